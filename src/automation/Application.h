#pragma once
// The server's one public class: Connect runs the wizard for a host document.
#include <memory>
#include <string>

#include "base/Variant.h"
#include "wizard/FMain.h"
#include "wizard/WindowView.h"

namespace velmora {

// The wizard window: one per process, created on first use and kept across
// Application objects, so a later Connect finds it as the last one left it.
class WizardWindow {
 public:
  explicit WizardWindow(WindowView& view) : view_(view) {}
  FMain& Get() {
    if (!window_) window_ = std::make_unique<FMain>(view_);
    return *window_;
  }
  FMain* Existing() { return window_.get(); }

 private:
  WindowView& view_;
  std::unique_ptr<FMain> window_;
};

class Application {
 public:
  explicit Application(WizardWindow& window) : window_(window) {}
  ~Application() { Class_Terminate(); }
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Reads the document's variables, shows the wizard modally, hands the template
  // path to the document. Returns False; a failure is a run-time error.
  bool Connect(const Variant& doc, const std::string& pwd);
  // The host let go of the object: the names are released and the window unloaded.
  void Class_Terminate();

  FMain* Window() { return window_.Existing(); }

 private:
  WizardWindow& window_;
};

}  // namespace velmora
