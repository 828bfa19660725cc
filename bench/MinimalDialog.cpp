// The floor for the window's start-up: a Qt Widgets dialog of the wizard's size
// with one label, shown and run, and nothing else.
#include <QApplication>
#include <QDialog>
#include <QLabel>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QDialog dialog;
  dialog.setFixedSize(632, 393);
  QLabel label(QStringLiteral("GS1-128"), &dialog);
  dialog.show();
  return dialog.exec();
}
