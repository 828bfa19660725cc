#include "automation/Sessions.h"

#include <ostream>

#include "automation/Application.h"
#include "automation/HostDocumentFile.h"
#include "automation/JsonRpcServer.h"
#include "base/RuntimeError.h"
#include "wizard/HeadlessView.h"

namespace velmora {

int RunDocument(const std::string& documentPath, WindowView& view, std::ostream& out, std::ostream& err) {
  try {
    const auto document = LoadHostDocument(documentPath, out);
    WizardWindow window(view);
    Application application(window);
    application.Connect(Variant(Variant::Object(document)), "");
    view.RunRemaining(window.Get());
    return 0;
  } catch (const DocumentFileError& e) {
    err << e.what() << std::endl;
    return 2;
  } catch (const ScriptError& e) {
    err << e.what() << std::endl;
    return 2;
  } catch (const RuntimeError& e) {
    err << "run-time error " << e.Number() << ": " << e.Description() << std::endl;
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
