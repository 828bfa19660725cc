#include "automation/Application.h"

#include "automation/CVarColl.h"
#include "automation/Dispatch.h"
#include "base/GlobalValues.h"
#include "wizard/VariableNameList.h"

namespace velmora {
namespace {

constexpr std::int32_t kVariableList = 1;
constexpr std::int32_t kVariableKind = 3;
constexpr std::int32_t kVariableName = 1;
constexpr std::int32_t kNumberStep1 = 7;
constexpr std::int32_t kNumberStep2 = 12;
constexpr std::int32_t kNumber = 15;
constexpr std::int32_t kImport = 23;

void ReadVariableNames(Dispatch& document, CVarColl& names) {
  for (const Variant& element : ObjectOf(document.Get(kVariableList)).Enumerate()) {
    Dispatch& variable = ObjectOf(element);
    // The kind is read once per comparison, as the host sees it.
    if (variable.Get(kVariableKind).ToLong() == 5 || variable.Get(kVariableKind).ToLong() == 6 ||
        variable.Get(kVariableKind).ToLong() == 7) {
      names.Add(variable.Get(kVariableName).ToText());
    }
  }
}

}  // namespace

bool Application::Connect(const Variant& doc, const std::string&) {
  const Variant document = doc;  // kept for the duration of the call
  Dispatch& host = ObjectOf(document);
  auto names = std::make_shared<CVarColl>();
  VariableNames() = names;  // the previous collection is released
  ReadVariableNames(host, *names);
  if (!window_) window_ = std::make_unique<FMain>(view_);
  {
    const Variant source = ObjectOf(host.Get(kNumberStep1)).Get(kNumberStep2);
    window_->HostNumberText = std::to_string(ObjectOf(source).Get(kNumber).ToLong());
  }
  window_->Show();
  host.Call(kImport, {Variant(Globals().TemplateFile)});
  return false;
}

void Application::Class_Terminate() {
  VariableNames() = nullptr;
  if (window_ && window_->Loaded()) window_->Unload();
}

}  // namespace velmora
