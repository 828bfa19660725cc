#include "commands/LabelCommands.h"

#include <stdlib.h>

#include <filesystem>
#include <optional>

#include "commands/CommandSupport.h"
#include "label/VariableNames.h"
#include "label/WizardHost.h"
#include "platform/FileAccess.h"
#include "platform/ProgramDirectory.h"
#include "protocol/HostDocument.h"
#include "symbol/Findings.h"

namespace velmora::commands {

using namespace label;  // the label side, which the commands drive
namespace {

namespace fs = std::filesystem;

// A host directory with its SYSTEM folder, removed when the design is over.
class TemporaryHost {
 public:
  TemporaryHost() {
    std::string pattern = (fs::temp_directory_path() / "velmora-host-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary host directory");
    path_ = pattern;
    fs::create_directory(fs::path(path_) / "SYSTEM");
  }
  ~TemporaryHost() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  TemporaryHost(const TemporaryHost&) = delete;
  TemporaryHost& operator=(const TemporaryHost&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// Where the designed template is now: kept in the host directory given, copied
// to --keep-template, or gone with the temporary host directory (said so).
void KeepTemplate(const DesignRequest& r, const std::string& imported, const std::optional<TemporaryHost>& temporary,
                  std::ostream& out) {
  if (!r.keepTemplate.empty()) {
    std::error_code error;
    fs::copy_file(imported, r.keepTemplate, fs::copy_options::overwrite_existing, error);
    if (error)
      throw std::runtime_error(r.keepTemplate + ": the template cannot be kept there (" + error.message() + ")");
    out << "template: " << r.keepTemplate << '\n';
  } else if (temporary) {
    out << "template: not kept (designed in the temporary host directory " << temporary->Path()
        << ", removed; --keep-template PATH keeps it)\n";
  } else {
    out << "template: " << imported << '\n';
  }
}

// The document's variables offered to the wizard whose names no formula can
// read as one name: said before the wizard starts, as a template using one
// would read something else.
void WarnOfNames(const protocol::HostDocument& document, const std::string& path, std::ostream& err) {
  for (const protocol::HostDocument::Variable& v : document.variables) {
    if (!v.name.is_string() || !v.kind.is_number_integer()) continue;
    const auto kind = v.kind.get<long long>();
    if (kind < 5 || kind > 7) continue;
    const std::string name = v.name.get<std::string>();
    const std::size_t bad = symbol::BadNameCharacter(name);
    if (bad == std::string::npos) continue;
    err << "velmora-label: " << path << ": the variable name '" << symbol::Printable(name)
        << "' cannot be carried by a template's formula"
        << (name.empty() ? std::string(" (it is empty)") : " ('" + symbol::Printable(name.substr(bad, 1)) + "')")
        << "; a label that uses it cannot be drawn" << std::endl;
  }
}

}  // namespace

int RunDesign(const DesignRequest& r, const std::string& dataDir, std::ostream& out, std::ostream& err) {
  return Guarded(out, err, [&] {
    const auto gs1 = symbol::LoadGs1Data(dataDir);
    const protocol::HostDocument document = protocol::ReadHostDocument(r.documentPath);
    WarnOfNames(document, r.documentPath, err);
    PrepareOutput(r.options);
    std::optional<TemporaryHost> temporary;
    if (r.hostDir.empty()) temporary.emplace();
    std::vector<std::string> command = {r.wizard, "serve", "--host-dir",
                                        r.hostDir.empty() ? temporary->Path() : r.hostDir};
    command.insert(command.end(), r.wizardOptions.begin(), r.wizardOptions.end());
    const FileClock start = FileSystemNow();
    WizardLimits limits;
    limits.messageSeconds = r.timeoutSeconds;
    if (r.timeoutSeconds > 0) limits.endSeconds = std::min(limits.endSeconds, r.timeoutSeconds);
    limits.stopped = [&err](const std::string& what) { err << "velmora-label: " << what << std::endl; };
    const std::string imported = DesignWithWizard(command, document, limits);
    if (imported.empty()) {
      err << "velmora-label: the wizard wrote no template: it was cancelled" << std::endl;
      return kStatusFindings;
    }
    if (!WrittenSince(imported, start)) {  // an earlier run's file is no design of this one
      throw std::runtime_error("the wizard wrote no template at " + imported + ": " + WhyNotWritten(imported));
    }
    KeepTemplate(r, imported, temporary, out);
    const LabelTemplate t = ReadCheckedTemplate(imported);
    const symbol::VariableValues values = document.Values();
    RequireValues(
        t, ReadVariables(t), [&](const std::string& name) { return values.contains(name); }, r.samples,
        "give it a \"value\" in " + r.documentPath + ", or --samples", err);
    FixedRows one({values});
    return Render(t, gs1, one, r.options, false, out, err);
  });
}

namespace {

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

}  // namespace

std::string PrepareDesign(DesignRequest& design, const DesignWords& words, const std::string& dataDir) {
  if (!words.headless && !HasDisplay()) {
    return "design: no display to open the wizard's window on (DISPLAY is not set); give --headless --script FILE "
           "to play the user from a script";
  }
  const std::string own = ExecutableDirectory();
  const char* wizard = std::getenv("VELMORA_WIZARD");
  design.wizard =
      wizard != nullptr && *wizard != '\0' ? wizard : (own.empty() ? std::string(".") : own) + "/velmora-wizard";
  design.timeoutSeconds = words.timeout >= 0 ? words.timeout : words.headless ? 60 : 0;
  if (words.headless) {
    design.wizardOptions = {"--headless", "--script", std::filesystem::absolute(words.script).string()};
  }
  design.wizardOptions.insert(design.wizardOptions.end(), {"--data-dir", dataDir});
  return "";
}

}  // namespace velmora::commands
