#pragma once
// The window on a screen: a Qt dialog that mirrors the window model.
#include <memory>

#include "wizard/WindowView.h"
#include "wizard/qt/QtMessageBoxes.h"

namespace velmora {

class WizardDialog;

class QtWizardView : public WindowView {
 public:
  QtWizardView();  // needs a QApplication
  ~QtWizardView() override;

  void RunModal(FMain& window) override;
  void KeepOnTop(FMain& window) override;
  std::int32_t ScreenWidthTwips() const override;
  std::int32_t ScreenHeightTwips() const override;
  void ControlsChanged(FMain& window) override;

  // The dialog while the window is shown, for tests and screenshots.
  WizardDialog* Dialog() { return dialog_.get(); }

 private:
  WizardDialog& DialogFor(FMain& window);
  QtMessageBoxes boxes_;
  std::unique_ptr<WizardDialog> dialog_;
  FMain* window_ = nullptr;
};

}  // namespace velmora
