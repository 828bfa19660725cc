#include "wizard/qt/QtWizardView.h"

#include <QGuiApplication>
#include <QScreen>

#include "wizard/qt/WizardDialog.h"

namespace velmora {
namespace {

double LogicalDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}

std::int32_t ScreenTwips(bool width) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int pixels =
      screen == nullptr ? (width ? 1024 : 768) : (width ? screen->geometry().width() : screen->geometry().height());
  return TwipScale(LogicalDpi()).Twips(pixels);
}

}  // namespace

QtWizardView::QtWizardView() = default;

QtWizardView::~QtWizardView() = default;

WizardDialog& QtWizardView::DialogFor(FMain& window) {
  if (!dialog_ || window_ != &window) {
    dialog_ = std::make_unique<WizardDialog>(window, TwipScale(LogicalDpi()));
    window_ = &window;
  }
  return *dialog_;
}

void QtWizardView::RunModal(FMain& window) { DialogFor(window).RunModal(); }

void QtWizardView::KeepOnTop(FMain& window) { DialogFor(window).setWindowFlag(Qt::WindowStaysOnTopHint); }

std::int32_t QtWizardView::ScreenWidthTwips() const { return ScreenTwips(true); }

std::int32_t QtWizardView::ScreenHeightTwips() const { return ScreenTwips(false); }

void QtWizardView::ControlsChanged(FMain& window) {
  if (dialog_ && window_ == &window) dialog_->ControlsChanged();
}

}  // namespace velmora
