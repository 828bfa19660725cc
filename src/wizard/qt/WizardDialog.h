#pragma once
// The real window of FMain: a widget for every control of the model, mirrored
// from it after every event; the user's clicks and keys become its events.
#include <array>
#include <exception>
#include <vector>

#include <QDialog>

#include "wizard/AiSearch.h"
#include "wizard/FMain.h"
#include "wizard/qt/Twips.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace velmora {

class WizardDialog : public QDialog {
 public:
  WizardDialog(FMain& model, TwipScale scale);

  // Runs the modal loop until the model's window is hidden or unloaded; an error
  // raised by a handler ends the loop and is raised again here.
  void RunModal();
  // The model's controls changed in number: widgets follow at the next mirror.
  void ControlsChanged() { rebuildOptions_ = true; }
  // Copies the model's state onto the widgets.
  void Mirror();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override {}  // Escape does nothing, as in the original window

 private:
  template <class Action>
  void Act(Action action);
  void MakeWidgets();
  void CreateWidgets();
  void ConnectWidgets();
  // The widgets whose making or first change sets up Qt's accessibility bridge
  // (a D-Bus round trip): made once the window is mapped, before it is painted.
  void CompleteAfterMap();
  void RebuildOptions();
  void Place(QWidget* widget, const Control& control);
  void PlaceControls();
  void MirrorTexts();
  void MirrorLists();
  void MarkTextBox();
  bool TypeIntoTextBox(int key, const QString& text);
  void ConnectSearch();
  void Paste(const QString& text);
  bool PasteKey(class QKeyEvent* key);
  void ChainTabOrder();

  FMain& model_;
  TwipScale scale_;
  std::exception_ptr pending_;
  bool rebuildOptions_ = true;
  bool focusSelection_ = false;  // the list selects an entry by itself when it gets the focus
  bool rowJustChanged_ = false;  // the press that changed the row was already a click
  std::vector<std::string> listItems_;
  bool listIsCatalogue_ = false;  // the list shows page 0's AIs
  int catalogueScroll_ = 0;       // where the user left page 0's list
  bool textMarked_ = false;
  AiSearch search_;

  QWidget* pannel_ = nullptr;
  QWidget* buttonBar_ = nullptr;
  QLabel* labelTitle_ = nullptr;
  QLabel* actionTitle_ = nullptr;
  QLabel* actionInfo_ = nullptr;
  QLabel* actionLabel_ = nullptr;
  QLabel* lineCode_ = nullptr;
  QLineEdit* textBox_ = nullptr;
  QCheckBox* check_ = nullptr;
  std::vector<QRadioButton*> options_;
  QPushButton* actionButton_ = nullptr;
  QComboBox* combo_ = nullptr;
  QListWidget* list_ = nullptr;
  std::array<QPushButton*, 4> bouton_{};
  std::array<QPushButton*, 2> curseur_{};
  class SymbolBand* band_ = nullptr;
};

}  // namespace velmora
