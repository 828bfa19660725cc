#include "wizard/qt/WindowModule.h"

#include <QApplication>

#include "wizard/qt/QtWizardView.h"

extern "C" __attribute__((visibility("default"))) int velmora_run_in_window(int argc, char** argv,
                                                                            velmora::WindowSession session,
                                                                            void* context) {
  QApplication qt(argc, argv);
  QApplication::setApplicationName(QStringLiteral("EAN 128"));
  velmora::QtWizardView view;
  return session(view, context);
}
