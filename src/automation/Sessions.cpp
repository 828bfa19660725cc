#include "automation/Sessions.h"

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

// Why the finish left no file at `path`.
std::string WhyNoTemplate(const std::string& path) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(path).parent_path();
  std::error_code error;
  if (!fs::is_directory(folder, error)) return "the folder " + folder.string() + " does not exist";
  if (::access(folder.c_str(), W_OK) != 0) return "the folder " + folder.string() + " cannot be written";
  if (IsReadOnlyFile(path)) return "the file is read-only";
  return "the file could not be written";
}

// The outcome of a run, plain and in the exit status.
int Outcome(const std::string& before, std::ostream& err) {
  const std::string& written = Globals().TemplateFile;
  if (written.empty() || written == before) {
    err << "cancelled" << std::endl;
    return kStatusCancelled;
  }
  if (!std::filesystem::exists(written)) {
    err << "no template was written at " << written << ": " << WhyNoTemplate(written) << std::endl;
    return kStatusNoTemplate;
  }
  return 0;
}

}  // namespace

int RunDocument(const std::string& documentPath, WindowView& view, std::ostream& out, std::ostream& err) {
  auto lastRead = std::make_shared<std::string>();
  try {
    const auto document = LoadHostDocument(documentPath, out, lastRead);
    WizardWindow window(view);
    Application application(window);
    const std::string before = Globals().TemplateFile;
    application.Connect(Variant(Variant::Object(document)), "");
    view.RunRemaining(window.Get());
    return Outcome(before, err);
  } catch (const DocumentFileError& e) {
    err << e.what() << std::endl;
    return 2;
  } catch (const ScriptError& e) {
    err << e.what() << std::endl;
    return 2;
  } catch (const RuntimeError& e) {
    // A value of the document that does not convert: say which one.
    const bool fromDocument = e.Number() == kErrTypeMismatch || e.Number() == kErrOverflow ||
                              e.Number() == kErrInvalidUseOfNull;
    err << "run-time error " << e.Number() << ": " << e.Description()
        << (fromDocument && !lastRead->empty() ? " (" + *lastRead + ")" : "") << std::endl;
    return 1;
  }
}

int Serve(WindowView& view, std::istream& in, std::ostream& out, std::ostream& err) {
  try {
    return JsonRpcServer(in, out, view).Serve();
  } catch (const ScriptError& e) {
    err << e.what() << std::endl;
    return 2;
  }
}

}  // namespace velmora
