#include "automation/Application.h"

#include "automation/CVarColl.h"
#include "automation/Dispatch.h"
#include "base/GlobalValues.h"
#include "base/RuntimeError.h"
#include "platform/MessageBox.h"
#include "platform/profile/ProfileCache.h"
#include "protocol/HostMembers.h"
#include "wizard/Controls.h"
#include "wizard/VariableNameList.h"

namespace velmora {
namespace {

using namespace protocol;  // the document's member numbers

void ReadVariableNames(Dispatch& document, CVarColl& names) {
  for (const Variant& element : ObjectOf(document.Get(kVariableList)).Enumerate()) {
    Dispatch& variable = ObjectOf(element);
    // The kind is read once per comparison, all three every time: the host sees each read.
    const bool is5 = variable.Get(kVariableKind).ToLong() == 5;
    const bool is6 = variable.Get(kVariableKind).ToLong() == 6;
    const bool is7 = variable.Get(kVariableKind).ToLong() == 7;
    if (is5 || is6 || is7) {
      const std::string name = variable.Get(kVariableName).ToText();
      // A label template holds one value a line: such a name could never reach it.
      if (name.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) {
        RaiseError(kErrInvalidCall, "The host variable \"" + OneLine(name) +
                                        "\" has a line break or a NUL character in its name, which a label "
                                        "template cannot hold");
      }
      names.Add(name);
    }
  }
}

}  // namespace

bool Application::Connect(const Variant& doc, const std::string&) {
  NextFileEpoch();               // a new run sees the files as they are now
  const Variant document = doc;  // kept for the duration of the call
  Dispatch& host = ObjectOf(document);
  auto names = std::make_shared<CVarColl>();
  VariableNames() = names;  // the previous collection is released
  ReadVariableNames(host, *names);
  FMain& window = window_.Get();
  if (names->Count() > static_cast<std::int32_t>(kMaxListEntries)) {  // said before the user looks for one
    ShowMessageBox("The label has " + std::to_string(names->Count()) +
                       " variables that can feed an AI; the list of variables holds " +
                       std::to_string(kMaxListEntries) + ", so only the first " + std::to_string(kMaxListEntries) +
                       " are offered.",
                   kStyleExclamation, "GS1-128");
  }
  {
    const Variant source = ObjectOf(host.Get(kNumberStep1)).Get(kNumberStep2);
    window.HostNumberText = std::to_string(ObjectOf(source).Get(kNumber).ToLong());
  }
  window.Show();
  host.Call(kImport, {Variant(Globals().TemplateFile)});
  return false;
}

void Application::Class_Terminate() {
  VariableNames() = nullptr;
  FMain* window = window_.Existing();
  if (window && window->Loaded()) window->Unload();
}

}  // namespace velmora
