#include "wizard/qt/WizardDialog.h"

#include <limits>

#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCharFormat>
#include <QTimer>

#include "platform/profile/ProfileCache.h"
#include "wizard/PasteWalk.h"
#include "wizard/qt/SymbolBand.h"
#include "wizard/qt/TabStopDelegate.h"

namespace velmora {
namespace {

QString Text(const std::string& text) {
  QString q = QString::fromStdString(text);
  q.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));  // the system's line break
  return q;
}

QFont FontOf(const Control& c) {
  QFont font(QString::fromStdString(c.FontName()));
  font.setPointSizeF(c.FontSize());
  font.setBold(c.FontBold());
  return font;
}

template <class W>
W* Make(QWidget* parent, const char* name) {
  auto* widget = new W(parent);
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace

WizardDialog::WizardDialog(FMain& model, TwipScale scale) : model_(model), scale_(scale) {
  // The window of the model, and under its button bar the symbol band.
  setFixedSize(scale_.Pixels(9480), scale_.Pixels(4095 + SymbolBand::kHeightTwips));
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(true);
}

void WizardDialog::MakeWidgets() {
  if (band_ != nullptr) return;
  // Made once the model has loaded its page, in the font its controls have (the
  // same for all as a rule): the one font Qt loads is the one that is drawn, and
  // no font change goes down the widget tree later.
  setFont(FontOf(model_.ActionPannel));
  band_ = new SymbolBand(this);
  band_->setGeometry(0, scale_.Pixels(4095), scale_.Pixels(9480), scale_.Pixels(SymbolBand::kHeightTwips));
  SyncWidgets();
  ConnectSearch();
}

// Page 0's search box and pastes: a find clicks the best match in the list, a
// paste walks the pages; either is the user's event, mirrored after.
void WizardDialog::ConnectSearch() {
  band_->OnFind = [this](const QString& text) { Act([this, text] { search_.Type(model_, text.toStdString()); }); };
  band_->OnStep = [this](int step) { Act([this, step] { search_.Step(model_, step); }); };
  band_->OnPaste = [this](const QString& text) { Paste(text); };
}

// Ctrl+V on page 0 outside the search box: a barcode's data is pasted in,
// other text is searched for.
bool WizardDialog::PasteKey(QKeyEvent* key) {
  if (!key->matches(QKeySequence::Paste) || model_.CurrentPage != 0) return false;
  const QString text = QGuiApplication::clipboard()->text().trimmed();
  if (text.isEmpty()) return true;
  if (SymbolBand::LooksLikeBarcode(text)) {
    Paste(text);
    return true;
  }
  band_->SearchBox().setText(text);
  band_->SearchBox().setFocus();
  band_->OnFind(text);
  return true;
}

void WizardDialog::keyPressEvent(QKeyEvent* event) {
  if (!PasteKey(event)) QDialog::keyPressEvent(event);
}

void WizardDialog::Paste(const QString& text) {
  QString problem;
  Act([this, text, &problem] {
    const symbol::Gs1Data* gs1 = model_.Gs1();
    try {
      if (gs1 == nullptr) throw PasteError("the GS1 data files cannot be read");
      PasteInto(model_, text.toStdString(), *gs1);
    } catch (const PasteError& e) {
      problem = QString::fromStdString(e.what());
    }
  });
  if (!problem.isEmpty()) band_->SayProblem(problem);
}

QWidget* WizardDialog::WidgetOf(const Control* control) const {
  for (const Shown& shown : shown_) {
    if (shown.control == control) return shown.widget;
  }
  return nullptr;
}

QWidget* WizardDialog::ParentOf(const WindowControl& each) const {
  for (const Shown& shown : shown_) {
    if (shown.control->Name() == each.parent) return shown.widget;
  }
  return const_cast<WizardDialog*>(this);  // "Window"
}

void WizardDialog::SyncWidgets() {
  syncWidgets_ = false;
  const std::vector<WindowControl> controls = model_.Controls();
  std::vector<Shown> kept;
  for (const Shown& shown : shown_) {
    const bool present = std::any_of(controls.begin(), controls.end(),
                                     [&shown](const WindowControl& each) { return each.control == shown.control; });
    if (present) {
      kept.push_back(shown);
    } else {
      shown.widget->hide();  // gone from the screen now; deleted once the event is over
      shown.widget->deleteLater();
    }
  }
  shown_.clear();
  for (const WindowControl& each : controls) {
    QWidget* widget = nullptr;
    for (const Shown& shown : kept) {
      if (shown.control == each.control) widget = shown.widget;
    }
    // The list is made once the window is mapped (the accessibility bridge).
    if (widget == nullptr && (mapped_ || each.kind != ControlKind::ListBox)) widget = MakeWidget(each, ParentOf(each));
    if (widget != nullptr) shown_.push_back({each.control, widget});
  }
  // Stacked in the table's order, whenever each was made.
  for (const Shown& shown : shown_) shown.widget->raise();
}

namespace {

QString ObjectName(const WindowControl& each) {
  const std::string& name = each.control->Name();
  return QString::fromStdString(each.arrayElement ? name + std::to_string(each.control->Index()) : name);
}

// How a few controls look beyond what the model says of them.
void Dress(const std::string& name, QWidget* widget, const TwipScale& scale) {
  auto* label = qobject_cast<QLabel*>(widget);
  if (label == nullptr) return;
  if (name == "LabelTitle") {
    // The heading's place starts at the window's edge: a margin inside the label
    // keeps its text off the edge without moving the label.
    label->setIndent(scale.Pixels(90));
  } else if (name == "ActionInfo" || name == "ActionLabel") {
    label->setWordWrap(name == "ActionInfo");
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  } else if (name == "line_code") {
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  }
}

}  // namespace

// A widget of the control's kind, wired so that the user's acts on it become
// the control's events.
QWidget* WizardDialog::MakeWidget(const WindowControl& each, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (each.kind) {
    case ControlKind::Control: widget = new QWidget(parent); break;
    case ControlKind::Label: widget = new QLabel(parent); break;
    case ControlKind::TextBox: widget = MakeTextBox(*static_cast<TextBox*>(each.control), parent); break;
    case ControlKind::ComboBox: widget = MakeComboBox(*static_cast<ComboBox*>(each.control), parent); break;
    case ControlKind::ListBox: widget = MakeListBox(*static_cast<ListBox*>(each.control), parent); break;
    case ControlKind::CheckBox: {
      auto* check = new QCheckBox(parent);
      auto* model = static_cast<CheckBox*>(each.control);
      connect(check, &QCheckBox::clicked, this, [this, model] { Act([model] { model->UserClick(); }); });
      widget = check;
      break;
    }
    case ControlKind::OptionButton: {
      auto* option = new QRadioButton(parent);
      const std::int16_t index = each.control->Index();
      connect(option, &QRadioButton::clicked, this, [this, index] { Act([this, index] { model_.SetOption(index); }); });
      widget = option;
      break;
    }
    case ControlKind::CommandButton: {
      auto* button = new QPushButton(parent);
      button->setAutoDefault(false);
      auto* model = static_cast<CommandButton*>(each.control);
      connect(button, &QPushButton::clicked, this, [this, model] { Act([model] { model->Press(); }); });
      widget = button;
      break;
    }
  }
  widget->setObjectName(ObjectName(each));
  Dress(each.control->Name(), widget, scale_);
  return widget;
}

QWidget* WizardDialog::MakeTextBox(TextBox& box, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->installEventFilter(this);
  // The model's length limit refuses typed keys only; the box itself never cuts
  // the text it is given, so it always shows the model's text whole.
  edit->setMaxLength(std::numeric_limits<int>::max());
  // What reaches the text box without a key press (a paste, the delete key) is not filtered.
  connect(edit, &QLineEdit::textEdited, this, [this, edit, &box](const QString& text) {
    const int caret = edit->cursorPosition();  // after the paste, where the user left it
    Act([&box, text, caret] {
      box.SetText(text.toStdString());
      box.SetSelStart(caret);
    });
  });
  return edit;
}

QWidget* WizardDialog::MakeComboBox(ComboBox& model, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  connect(combo, &QComboBox::activated, this,
          [this, &model](int index) { Act([&model, index] { model.UserPick(static_cast<std::int16_t>(index)); }); });
  return combo;
}

QWidget* WizardDialog::MakeListBox(ListBox& model, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setItemDelegate(new TabStopDelegate(scale_.Pixels(600), list));
  list->installEventFilter(this);
  list->viewport()->installEventFilter(this);
  // A click raises the list's Click whether or not it changes the selection; the
  // selection that the list makes by itself when it gets the focus is no click.
  connect(list, &QListWidget::currentRowChanged, this, [this, &model](int row) {
    if (focusSelection_ || row < 0) return;
    rowJustChanged_ = true;
    Act([&model, row] { model.UserClick(static_cast<std::int16_t>(row)); });
  });
  connect(list, &QListWidget::itemPressed, this, [this, list, &model](QListWidgetItem* item) {
    const int row = list->row(item);
    if (!std::exchange(rowJustChanged_, false) && row >= 0) {
      Act([&model, row] { model.UserClick(static_cast<std::int16_t>(row)); });
    }
  });
  return list;
}

template <class Action>
void WizardDialog::Act(Action action) {
  if (pending_) return;
  NoteUserAction();  // each event looks at the files afresh
  try {
    action();
  } catch (...) {
    pending_ = std::current_exception();
  }
  Mirror();
  if (pending_ || !model_.Visible() || !model_.Loaded()) QDialog::done(0);
}

void WizardDialog::RunModal() {
  pending_ = nullptr;
  MakeWidgets();
  move(scale_.Pixels(model_.Position.Left), scale_.Pixels(model_.Position.Top));
  setWindowTitle(Text(model_.Caption));  // the title bar is the window manager's: right from the start
  // Only the widgets the page shows are shown with the window.
  if (syncWidgets_) SyncWidgets();
  for (const WindowControl& each : model_.Controls()) {
    if (QWidget* widget = WidgetOf(each.control); widget != nullptr) Place(widget, *each.control);
  }
  // Mapped first, filled before the event loop paints it: the screen never shows
  // it empty, and what Qt sets up on a widget's first change (the accessibility
  // bridge, a D-Bus round trip) no longer holds the window back.
  show();
  CompleteAfterMap();
  Mirror();
  exec();
  if (pending_) std::rethrow_exception(std::exchange(pending_, nullptr));
}

void WizardDialog::CompleteAfterMap() {
  if (mapped_) return;
  mapped_ = true;
  SyncWidgets();
  auto* combo = static_cast<QComboBox*>(WidgetOf(&model_.ActionCombo));
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  ComboBox& model = model_.ActionCombo;
  connect(combo->lineEdit(), &QLineEdit::textEdited, this,
          [this, &model](const QString& text) { Act([&model, text] { model.SetText(text.toStdString()); }); });
  ChainTabOrder();
}

// Tab follows the page from top to bottom, then the buttons; hidden widgets
// are skipped by Qt itself. The option buttons take the check box's place in
// the chain when they are made.
void WizardDialog::ChainTabOrder() {
  const Control* const order[] = {&model_.ActionList,  &model_.ActionCheck,  &model_.ActionTxtBox,
                                  &model_.ActionCombo, &model_.ActionButton, &model_.Curseur[0],
                                  &model_.Curseur[1],  &model_.Bouton[3],    &model_.Bouton[2]};
  QWidget* previous = &band_->SearchBox();
  for (const Control* control : order) {
    QWidget* widget = WidgetOf(control);
    setTabOrder(previous, widget);
    previous = widget;
  }
}

void WizardDialog::closeEvent(QCloseEvent* event) {
  // The title bar's close box unloads the window.
  if (model_.Loaded() && model_.Visible()) Act([this] { model_.Unload(); });
  event->accept();
}

bool WizardDialog::TypeIntoTextBox(QLineEdit* edit, int key, const QString& text) {
  TextBox* box = nullptr;
  for (const WindowControl& each : model_.Controls()) {
    if (each.kind == ControlKind::TextBox && WidgetOf(each.control) == edit) box = static_cast<TextBox*>(each.control);
  }
  if (box == nullptr) return false;
  const auto start =
      static_cast<std::int32_t>(edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition());
  box->SetSelStart(start);
  box->SetSelLength(static_cast<std::int32_t>(edit->selectedText().size()));
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    Act([box] { box->TypeKey(13); });
  } else if (key == Qt::Key_Backspace) {
    Act([box] { box->TypeKey(8); });
  } else if (!text.isEmpty() && text.at(0).isPrint()) {
    for (const char32_t cp : text.toUcs4()) {
      Act([box, cp] { box->TypeKey(static_cast<std::int16_t>(cp > 0x7FFF ? U'?' : cp)); });
    }
  } else {
    return false;  // movement and other editing keys work as the line edit does them
  }
  return true;
}

bool WizardDialog::eventFilter(QObject* watched, QEvent* event) {
  auto* list = qobject_cast<QListWidget*>(watched);
  // A press on the list's viewport starts a click afresh.
  if (auto* owner = qobject_cast<QListWidget*>(watched->parent());
      owner != nullptr && owner->viewport() == watched && event->type() == QEvent::MouseButtonPress) {
    rowJustChanged_ = false;
  }
  if (list != nullptr && event->type() == QEvent::FocusIn) {
    focusSelection_ = true;
    QTimer::singleShot(0, this, [this] {
      focusSelection_ = false;
      Mirror();  // back to the model's selection
    });
  }
  if (list != nullptr && event->type() == QEvent::KeyPress && PasteKey(static_cast<QKeyEvent*>(event))) return true;
  if (auto* edit = qobject_cast<QLineEdit*>(watched); edit != nullptr && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      return TypeIntoTextBox(edit, key->key(), key->text());
    }
  }
  return QDialog::eventFilter(watched, event);
}

void WizardDialog::Place(QWidget* widget, const Control& control) {
  widget->setGeometry(scale_.Rect(control.Position()));
  widget->setVisible(control.Visible);
  widget->setEnabled(control.Enabled);
  // A font that is the one already in use is not set again: setting it would
  // still send a font change down the widget tree (a combo box rebuilds its
  // list for it).
  if (const QFont font = FontOf(control); widget->font() != font) widget->setFont(font);
}

void WizardDialog::Mirror() {
  if (band_ == nullptr) return;  // nothing to copy onto before the first run
  if (syncWidgets_) SyncWidgets();
  setWindowTitle(Text(model_.Caption));
  for (const WindowControl& each : model_.Controls()) {
    if (QWidget* widget = WidgetOf(each.control); widget != nullptr) MirrorControl(each, widget);
  }
  band_->ShowSearch(model_.CurrentPage == 0, static_cast<int>(search_.Matches().size()));
  band_->Show(model_.Symbol());
  MarkTextBox();
}

// The control's place, state and what it shows, on its widget of the same kind.
void WizardDialog::MirrorControl(const WindowControl& each, QWidget* widget) {
  Place(widget, *each.control);
  const QSignalBlocker block(widget);
  switch (each.kind) {
    case ControlKind::Control: break;
    case ControlKind::Label:
      static_cast<QLabel*>(widget)->setText(Text(static_cast<const Label*>(each.control)->Caption));
      break;
    case ControlKind::CommandButton:
      static_cast<QPushButton*>(widget)->setText(Text(static_cast<const CommandButton*>(each.control)->Caption));
      break;
    case ControlKind::OptionButton: {
      const auto* option = static_cast<const OptionButton*>(each.control);
      static_cast<QRadioButton*>(widget)->setText(Text(option->Caption));
      static_cast<QRadioButton*>(widget)->setChecked(option->Value);
      break;
    }
    case ControlKind::CheckBox: {
      const auto* check = static_cast<const CheckBox*>(each.control);
      static_cast<QCheckBox*>(widget)->setText(Text(check->Caption));
      static_cast<QCheckBox*>(widget)->setCheckState(check->Value() == 0   ? Qt::Unchecked
                                                     : check->Value() == 1 ? Qt::Checked
                                                                           : Qt::PartiallyChecked);
      break;
    }
    case ControlKind::TextBox:
      MirrorTextBox(*static_cast<const TextBox*>(each.control), static_cast<QLineEdit*>(widget));
      break;
    case ControlKind::ComboBox:
      MirrorCombo(*static_cast<const ComboBox*>(each.control), static_cast<QComboBox*>(widget));
      break;
    case ControlKind::ListBox:
      MirrorList(*static_cast<const ListBox*>(each.control), static_cast<QListWidget*>(widget));
      break;
  }
}

void WizardDialog::MirrorTextBox(const TextBox& box, QLineEdit* edit) {
  if (edit->text() != Text(box.Text())) edit->setText(Text(box.Text()));
  if (box.SelLength() > 0) {
    edit->setSelection(box.SelStart(), box.SelLength());
  } else {
    edit->setCursorPosition(box.SelStart());
  }
  if (model_.FocusedControl == box.Name() && box.Visible && !edit->hasFocus()) edit->setFocus();
}

// Underlines the typed characters that a GS1 finding is about, without touching
// the text or the caret: a text format of the line edit's own, as input methods set.
void WizardDialog::MarkTextBox() {
  auto* textBox = static_cast<QLineEdit*>(WidgetOf(&model_.ActionTxtBox));
  const SymbolPreview& p = model_.Symbol();
  const bool marked = p.markStart >= 0 && model_.ActionTxtBox.Visible;
  if (!marked && !textMarked_) return;
  QList<QInputMethodEvent::Attribute> attributes;
  if (marked) {
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    format.setUnderlineColor(Qt::red);
    format.setBackground(QColor(255, 224, 224));
    attributes << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, p.markStart - textBox->cursorPosition(),
                                               p.markLength, format);
  }
  QInputMethodEvent event(QString(), attributes);
  QCoreApplication::sendEvent(textBox, &event);
  textMarked_ = marked;
}

void WizardDialog::MirrorList(const ListBox& model, QListWidget* list) {
  const bool catalogue = model_.CurrentPage == 0;
  if (listIsCatalogue_) catalogueScroll_ = list->verticalScrollBar()->value();
  if (listItems_ != model.Items()) {
    listItems_ = model.Items();
    list->clear();
    for (const std::string& item : listItems_) list->addItem(QString::fromStdString(item));
    if (catalogue) list->verticalScrollBar()->setValue(catalogueScroll_);  // where the user left it
  }
  listIsCatalogue_ = catalogue;
  list->setCurrentRow(model.ListIndex());
  if (QListWidgetItem* item = list->currentItem(); item != nullptr) list->scrollToItem(item);
}

void WizardDialog::MirrorCombo(const ComboBox& model, QComboBox* combo) {
  std::vector<std::string> shown;
  for (int i = 0; i < combo->count(); ++i) shown.push_back(combo->itemText(i).toStdString());
  if (shown != model.Items()) {
    combo->clear();
    for (const std::string& item : model.Items()) combo->addItem(QString::fromStdString(item));
  }
  if (combo->currentText() != QString::fromStdString(model.Text())) {
    combo->setEditText(QString::fromStdString(model.Text()));
  }
}

}  // namespace velmora
