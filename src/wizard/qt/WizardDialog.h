#pragma once
// The real window of FMain: a widget for every control of the model, made by
// its kind, mirrored from it after every event; the user's clicks and keys
// become its events.
#include <exception>
#include <vector>

#include <QDialog>

#include "wizard/AiSearch.h"
#include "wizard/FMain.h"
#include "wizard/qt/Twips.h"

class QComboBox;
class QLineEdit;
class QListWidget;

namespace velmora {

class WizardDialog : public QDialog {
 public:
  WizardDialog(FMain& model, TwipScale scale);

  // Runs the modal loop until the model's window is hidden or unloaded; an error
  // raised by a handler ends the loop and is raised again here.
  void RunModal();
  // The model's controls changed in number: widgets follow at the next mirror.
  void ControlsChanged() { syncWidgets_ = true; }
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
  // Makes a widget for every control of the model that has none yet and
  // deletes the widgets of controls that are gone (loaded array elements).
  void SyncWidgets();
  QWidget* MakeWidget(const WindowControl& each, QWidget* parent);
  QWidget* MakeTextBox(TextBox& box, QWidget* parent);
  QWidget* MakeComboBox(ComboBox& combo, QWidget* parent);
  QWidget* MakeListBox(ListBox& list, QWidget* parent);
  QWidget* WidgetOf(const Control* control) const;
  QWidget* ParentOf(const WindowControl& each) const;
  // The widgets whose making or first change sets up Qt's accessibility bridge
  // (a D-Bus round trip): made once the window is mapped, before it is painted.
  void CompleteAfterMap();
  void Place(QWidget* widget, const Control& control);
  void MirrorControl(const WindowControl& each, QWidget* widget);
  void MirrorList(const ListBox& model, QListWidget* list);
  void MirrorCombo(const ComboBox& model, QComboBox* combo);
  void MirrorTextBox(const TextBox& model, QLineEdit* edit);
  void MarkTextBox();
  bool TypeIntoTextBox(QLineEdit* edit, int key, const QString& text);
  void ConnectSearch();
  void Paste(const QString& text);
  bool PasteKey(class QKeyEvent* key);
  void ChainTabOrder();

  FMain& model_;
  TwipScale scale_;
  std::exception_ptr pending_;
  bool syncWidgets_ = true;
  bool focusSelection_ = false;  // the list selects an entry by itself when it gets the focus
  bool rowJustChanged_ = false;  // the press that changed the row was already a click
  std::vector<std::string> listItems_;
  bool listIsCatalogue_ = false;  // the list shows page 0's AIs
  int catalogueScroll_ = 0;       // where the user left page 0's list
  bool textMarked_ = false;
  AiSearch search_;

  struct Shown {
    const Control* control;
    QWidget* widget;
  };
  std::vector<Shown> shown_;  // the model's controls with a widget, in the table's order
  bool mapped_ = false;       // the window was mapped: the deferred widgets may be made
  class SymbolBand* band_ = nullptr;
};

}  // namespace velmora
