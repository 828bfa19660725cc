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
  if (pannel_ != nullptr) return;
  // Made once the model has loaded its page, in the font its controls have (the
  // same for all as a rule): the one font Qt loads is the one that is drawn, and
  // no font change goes down the widget tree later.
  setFont(FontOf(model_.ActionPannel));
  CreateWidgets();
  ConnectWidgets();
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

void WizardDialog::CreateWidgets() {
  pannel_ = Make<QWidget>(this, "ActionPannel");
  buttonBar_ = Make<QWidget>(this, "Panel3D1");
  labelTitle_ = Make<QLabel>(pannel_, "LabelTitle");
  // The heading's place starts at the window's edge: a margin inside the label keeps
  // its text off the edge without moving the label.
  labelTitle_->setIndent(scale_.Pixels(90));
  actionTitle_ = Make<QLabel>(pannel_, "ActionTitle");
  actionInfo_ = Make<QLabel>(pannel_, "ActionInfo");
  actionInfo_->setWordWrap(true);
  actionInfo_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  textBox_ = Make<QLineEdit>(pannel_, "ActionTxtBox");
  textBox_->installEventFilter(this);
  check_ = Make<QCheckBox>(pannel_, "ActionCheck");
  actionButton_ = Make<QPushButton>(pannel_, "ActionButton");
  combo_ = Make<QComboBox>(pannel_, "ActionCombo");
  actionLabel_ = Make<QLabel>(pannel_, "ActionLabel");
  actionLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  band_ = new SymbolBand(this);
  band_->setGeometry(0, scale_.Pixels(4095), scale_.Pixels(9480), scale_.Pixels(SymbolBand::kHeightTwips));
  lineCode_ = Make<QLabel>(this, "line_code");
  lineCode_->setFrameShape(QFrame::Panel);
  lineCode_->setFrameShadow(QFrame::Sunken);
  lineCode_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  for (int i = 0; i < 4; ++i) {
    bouton_[i] = Make<QPushButton>(buttonBar_, ("Bouton" + std::to_string(i)).c_str());
    bouton_[i]->setAutoDefault(false);
  }
  for (int i = 0; i < 2; ++i) {
    curseur_[i] = Make<QPushButton>(buttonBar_, ("Curseur" + std::to_string(i)).c_str());
    curseur_[i]->setAutoDefault(false);
  }
}

void WizardDialog::ConnectWidgets() {
  connect(check_, &QCheckBox::clicked, this, [this] { Act([this] { model_.ActionCheck.UserClick(); }); });
  connect(actionButton_, &QPushButton::clicked, this, [this] { Act([this] { model_.ActionButton.Press(); }); });
  for (int i = 0; i < 4; ++i) {
    connect(bouton_[i], &QPushButton::clicked, this, [this, i] { Act([this, i] { model_.Bouton[i].Press(); }); });
  }
  for (int i = 0; i < 2; ++i) {
    connect(curseur_[i], &QPushButton::clicked, this, [this, i] { Act([this, i] { model_.Curseur[i].Press(); }); });
  }
  connect(combo_, &QComboBox::activated, this,
          [this](int index) { Act([this, index] { model_.ActionCombo.UserPick(static_cast<std::int16_t>(index)); }); });
  // What reaches the text box without a key press (a paste, the delete key) is not filtered.
  connect(textBox_, &QLineEdit::textEdited, this, [this](const QString& text) {
    const int caret = textBox_->cursorPosition();  // after the paste, where the user left it
    Act([this, text, caret] {
      model_.ActionTxtBox.SetText(text.toStdString());
      model_.ActionTxtBox.SetSelStart(caret);
    });
  });
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
  PlaceControls();                       // only the widgets the page shows are shown with the window
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
  if (list_ != nullptr) return;
  list_ = Make<QListWidget>(pannel_, "ActionList");
  list_->stackUnder(actionLabel_);  // where it stood when it was made with the others
  list_->setItemDelegate(new TabStopDelegate(scale_.Pixels(600), list_));
  list_->installEventFilter(this);
  list_->viewport()->installEventFilter(this);
  // A click raises the list's Click whether or not it changes the selection; the
  // selection that the list makes by itself when it gets the focus is no click.
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (focusSelection_ || row < 0) return;
    rowJustChanged_ = true;
    Act([this, row] { model_.ActionList.UserClick(static_cast<std::int16_t>(row)); });
  });
  connect(list_, &QListWidget::itemPressed, this, [this](QListWidgetItem* item) {
    const int row = list_->row(item);
    if (!std::exchange(rowJustChanged_, false) && row >= 0) {
      Act([this, row] { model_.ActionList.UserClick(static_cast<std::int16_t>(row)); });
    }
  });
  // The model's length limit refuses typed keys only; the box itself never cuts
  // the text it is given, so it always shows the model's text whole.
  textBox_->setMaxLength(std::numeric_limits<int>::max());
  combo_->setEditable(true);
  combo_->setInsertPolicy(QComboBox::NoInsert);
  connect(combo_->lineEdit(), &QLineEdit::textEdited, this,
          [this](const QString& text) { Act([this, text] { model_.ActionCombo.SetText(text.toStdString()); }); });
  ChainTabOrder();
}

// Tab follows the page from top to bottom, then the buttons left to right;
// hidden widgets are skipped by Qt itself. The option buttons take the check
// box's place in the chain when they are made.
void WizardDialog::ChainTabOrder() {
  QWidget* const chain[] = {&band_->SearchBox(), list_,       check_,      textBox_,   combo_,
                            actionButton_,       curseur_[0], curseur_[1], bouton_[3], bouton_[2]};
  for (std::size_t i = 1; i < std::size(chain); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void WizardDialog::closeEvent(QCloseEvent* event) {
  // The title bar's close box unloads the window.
  if (model_.Loaded() && model_.Visible()) Act([this] { model_.Unload(); });
  event->accept();
}

bool WizardDialog::TypeIntoTextBox(int key, const QString& text) {
  TextBox& box = model_.ActionTxtBox;
  const auto start =
      static_cast<std::int32_t>(textBox_->hasSelectedText() ? textBox_->selectionStart() : textBox_->cursorPosition());
  box.SetSelStart(start);
  box.SetSelLength(static_cast<std::int32_t>(textBox_->selectedText().size()));
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    Act([&box] { box.TypeKey(13); });
  } else if (key == Qt::Key_Backspace) {
    Act([&box] { box.TypeKey(8); });
  } else if (!text.isEmpty() && text.at(0).isPrint()) {
    for (const char32_t cp : text.toUcs4()) {
      Act([&box, cp] { box.TypeKey(static_cast<std::int16_t>(cp > 0x7FFF ? U'?' : cp)); });
    }
  } else {
    return false;  // movement and other editing keys work as the line edit does them
  }
  return true;
}

bool WizardDialog::eventFilter(QObject* watched, QEvent* event) {
  if (list_ != nullptr && watched == list_->viewport() && event->type() == QEvent::MouseButtonPress) {
    rowJustChanged_ = false;
  }
  if (list_ != nullptr && watched == list_ && event->type() == QEvent::FocusIn) {
    focusSelection_ = true;
    QTimer::singleShot(0, this, [this] {
      focusSelection_ = false;
      Mirror();  // back to the model's selection
    });
  }
  if (watched == list_ && event->type() == QEvent::KeyPress && PasteKey(static_cast<QKeyEvent*>(event))) return true;
  if (watched == textBox_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return TypeIntoTextBox(key->key(), key->text());
  }
  return QDialog::eventFilter(watched, event);
}

void WizardDialog::RebuildOptions() {
  rebuildOptions_ = false;
  for (QRadioButton* option : options_) {
    option->hide();  // gone from the screen now; deleted once the event is over
    option->deleteLater();
  }
  options_.clear();
  for (std::size_t i = 0; i < model_.ActionOption.size(); ++i) {
    auto* option = Make<QRadioButton>(pannel_, ("ActionOption" + std::to_string(i)).c_str());
    connect(option, &QRadioButton::clicked, this,
            [this, i] { Act([this, i] { model_.SetOption(static_cast<std::int16_t>(i)); }); });
    options_.push_back(option);
  }
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

void WizardDialog::PlaceControls() {
  const std::pair<QWidget*, const Control*> pairs[] = {
      {pannel_, &model_.ActionPannel},       {buttonBar_, &model_.Panel3D1},    {labelTitle_, &model_.LabelTitle},
      {actionTitle_, &model_.ActionTitle},   {actionInfo_, &model_.ActionInfo}, {actionLabel_, &model_.ActionLabel},
      {lineCode_, &model_.line_code},        {textBox_, &model_.ActionTxtBox},  {check_, &model_.ActionCheck},
      {actionButton_, &model_.ActionButton}, {combo_, &model_.ActionCombo},     {list_, &model_.ActionList}};
  for (const auto& [widget, control] : pairs) {
    if (widget != nullptr) Place(widget, *control);  // the list is made once the window is mapped
  }
  for (std::size_t i = 0; i < options_.size(); ++i) Place(options_[i], *model_.ActionOption[i]);
  for (std::size_t i = 0; i < 4; ++i) Place(bouton_[i], model_.Bouton[i]);
  for (std::size_t i = 0; i < 2; ++i) Place(curseur_[i], model_.Curseur[i]);
}

void WizardDialog::Mirror() {
  if (pannel_ == nullptr) return;  // nothing to copy onto before the first run
  if (rebuildOptions_ || options_.size() != model_.ActionOption.size()) RebuildOptions();
  setWindowTitle(Text(model_.Caption));
  PlaceControls();
  MirrorTexts();
  MirrorLists();
  band_->ShowSearch(model_.CurrentPage == 0, static_cast<int>(search_.Matches().size()));
  band_->Show(model_.Symbol());
  MarkTextBox();
  if (model_.FocusedControl == model_.ActionTxtBox.Name() && model_.ActionTxtBox.Visible && !textBox_->hasFocus()) {
    textBox_->setFocus();
  }
}

void WizardDialog::MirrorTexts() {
  labelTitle_->setText(Text(model_.LabelTitle.Caption));
  actionTitle_->setText(Text(model_.ActionTitle.Caption));
  actionInfo_->setText(Text(model_.ActionInfo.Caption));
  actionLabel_->setText(Text(model_.ActionLabel.Caption));
  lineCode_->setText(Text(model_.line_code.Caption));
  const QSignalBlocker blockText(textBox_);
  const TextBox& box = model_.ActionTxtBox;
  if (textBox_->text() != Text(box.Text())) textBox_->setText(Text(box.Text()));
  if (box.SelLength() > 0) {
    textBox_->setSelection(box.SelStart(), box.SelLength());
  } else {
    textBox_->setCursorPosition(box.SelStart());
  }
  const QSignalBlocker blockCheck(check_);
  check_->setText(Text(model_.ActionCheck.Caption));
  check_->setCheckState(model_.ActionCheck.Value() == 0   ? Qt::Unchecked
                        : model_.ActionCheck.Value() == 1 ? Qt::Checked
                                                          : Qt::PartiallyChecked);
  for (std::size_t i = 0; i < options_.size(); ++i) {
    const QSignalBlocker blockOption(options_[i]);
    options_[i]->setText(Text(model_.ActionOption[i]->Caption));
    options_[i]->setChecked(model_.ActionOption[i]->Value);
  }
  actionButton_->setText(Text(model_.ActionButton.Caption));
  for (std::size_t i = 0; i < 4; ++i) bouton_[i]->setText(Text(model_.Bouton[i].Caption));
  for (std::size_t i = 0; i < 2; ++i) curseur_[i]->setText(Text(model_.Curseur[i].Caption));
}

// Underlines the typed characters that a GS1 finding is about, without touching
// the text or the caret: a text format of the line edit's own, as input methods set.
void WizardDialog::MarkTextBox() {
  const SymbolPreview& p = model_.Symbol();
  const bool marked = p.markStart >= 0 && model_.ActionTxtBox.Visible;
  if (!marked && !textMarked_) return;
  QList<QInputMethodEvent::Attribute> attributes;
  if (marked) {
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    format.setUnderlineColor(Qt::red);
    format.setBackground(QColor(255, 224, 224));
    attributes << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, p.markStart - textBox_->cursorPosition(),
                                               p.markLength, format);
  }
  QInputMethodEvent event(QString(), attributes);
  QCoreApplication::sendEvent(textBox_, &event);
  textMarked_ = marked;
}

void WizardDialog::MirrorLists() {
  const QSignalBlocker blockList(list_);
  const bool catalogue = model_.CurrentPage == 0;
  if (listIsCatalogue_) catalogueScroll_ = list_->verticalScrollBar()->value();
  if (listItems_ != model_.ActionList.Items()) {
    listItems_ = model_.ActionList.Items();
    list_->clear();
    for (const std::string& item : listItems_) list_->addItem(QString::fromStdString(item));
    if (catalogue) list_->verticalScrollBar()->setValue(catalogueScroll_);  // where the user left it
  }
  listIsCatalogue_ = catalogue;
  list_->setCurrentRow(model_.ActionList.ListIndex());
  if (QListWidgetItem* item = list_->currentItem(); item != nullptr) list_->scrollToItem(item);
  const QSignalBlocker blockCombo(combo_);
  std::vector<std::string> shown;
  for (int i = 0; i < combo_->count(); ++i) shown.push_back(combo_->itemText(i).toStdString());
  if (shown != model_.ActionCombo.Items()) {
    combo_->clear();
    for (const std::string& item : model_.ActionCombo.Items()) combo_->addItem(QString::fromStdString(item));
  }
  if (combo_->currentText() != QString::fromStdString(model_.ActionCombo.Text())) {
    combo_->setEditText(QString::fromStdString(model_.ActionCombo.Text()));
  }
}

}  // namespace velmora
