#include "automation/Sessions.h"
#include "platform/ExitStatus.h"

#include <unistd.h>

#include <filesystem>
#include <ostream>

#include "automation/Application.h"
#include "automation/HostDocumentFile.h"
#include "automation/JsonRpcServer.h"
#include "base/GlobalValues.h"
#include "base/RuntimeError.h"
#include "platform/FileAccess.h"
#include "wizard/HeadlessView.h"

namespace velmora {

namespace {

// Why the finish left no file at `path`: no host directory at all, or what
// stood in the way in the one found.
std::string WhyNoTemplate(const std::string& path, const std::string& hostDir) {
  if (hostDir.empty() || hostDir == "/") {
    return "no host directory was found (no --host-dir, and the registry names no host program); give one with "
           "--host-dir DIR";
  }
  return WhyNotWritten(path);
}

// The outcome of a run, plain and in the exit status: decided by what this run
// wrote (`after`: the wizard's values once it ended), never by a file an
// earlier run left there.
int Outcome(const std::string& before, const GlobalValues& after, FileClock start, std::ostream& err) {
  const std::string& written = after.TemplateFile;
  if (written.empty() || written == before) {
    err << "cancelled" << std::endl;
    return kStatusCancelled;
  }
  if (!WrittenSince(written, start)) {
    err << "no template was written at " << written << ": " << WhyNoTemplate(written, after.HostDir) << std::endl;
    return kStatusNoTemplate;
  }
  return 0;
}

}  // namespace

int RunDocument(const std::string& documentPath, WindowView& view, std::ostream& out, std::ostream& err) {
  auto lastRead = std::make_shared<std::string>();
  const FileClock start = FileSystemNow();
  try {
    const auto document = LoadHostDocument(documentPath, out, lastRead, start);
    WizardWindow window(view);
    Application application(window);
    const std::string before = Globals().TemplateFile;
    application.Connect(Variant(Variant::Object(document)), "");
    view.RunRemaining(window.Get());
    return Outcome(before, Globals(), start, err);
  } catch (const DocumentFileError& e) {
    err << e.what() << std::endl;
    return kStatusUsage;
  } catch (const ScriptError& e) {
    err << e.what() << std::endl;
    return kStatusUsage;
  } catch (const RuntimeError& e) {
    // A value of the document that does not convert: say which one.
    // A description of its own already names its cause (a catalogue's key).
    const bool fromDocument =
        (e.Number() == kErrTypeMismatch || e.Number() == kErrOverflow || e.Number() == kErrInvalidUseOfNull) &&
        e.Description() == StandardErrorMessage(e.Number());
    err << "run-time error " << e.Number() << ": " << e.Description()
        << (fromDocument && !lastRead->empty() ? " (" + *lastRead + ")" : "") << std::endl;
    return kStatusRunTimeError;
  } catch (const std::filesystem::filesystem_error& e) {  // a folder the user may not enter, say
    err << "velmora-wizard: " << e.what() << std::endl;
    return kStatusRunTimeError;
  }
}

int Serve(WindowView& view, std::istream& in, std::ostream& out, std::ostream& err) {
  try {
    return JsonRpcServer(in, out, view).Serve();
  } catch (const ScriptError& e) {
    err << e.what() << std::endl;
    return kStatusUsage;
  } catch (const std::filesystem::filesystem_error& e) {
    err << "velmora-wizard: " << e.what() << std::endl;
    return kStatusRunTimeError;
  }
}

}  // namespace velmora
