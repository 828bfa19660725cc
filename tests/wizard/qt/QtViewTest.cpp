// The real window, driven with the mouse and the keyboard on the offscreen platform.
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <set>

#include "../WizardFixture.h"
#include "base/GlobalValues.h"
#include "ids/HistoryState.h"
#include "platform/ProgramDirectory.h"
#include "settings/HostDirectory.h"
#include "support/FixedRandom.h"
#include "wizard/FMain.h"
#include "wizard/VariableNameList.h"
#include "wizard/qt/QtWizardView.h"
#include "wizard/qt/SymbolBand.h"
#include "wizard/qt/WizardDialog.h"

namespace velmora {
namespace {

template <class W>
W& Find(QWidget& root, const char* name) {
  W* widget = root.findChild<W*>(QString::fromLatin1(name));
  if (widget == nullptr) throw std::runtime_error(std::string("no widget ") + name);
  return *widget;
}

// Clicks a control; check boxes and option buttons on their indicator, which is
// where they take clicks.
void Click(QWidget& root, const char* name) {
  QWidget& widget = Find<QWidget>(root, name);
  const bool indicator =
      qobject_cast<QCheckBox*>(&widget) != nullptr || qobject_cast<QRadioButton*>(&widget) != nullptr;
  QTest::mouseClick(&widget, Qt::LeftButton, {}, indicator ? QPoint(6, widget.height() / 2) : widget.rect().center());
}

// Clicks the list entry whose text starts with `prefix`.
void ClickEntry(QWidget& root, const QString& prefix) {
  auto& list = Find<QListWidget>(root, "ActionList");
  for (int row = 0; row < list.count(); ++row) {
    if (!list.item(row)->text().startsWith(prefix)) continue;
    list.scrollToItem(list.item(row));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
    return;
  }
  throw std::runtime_error("no list entry " + prefix.toStdString());
}

// Answers the next message box with `button` once it is shown.
void AnswerNextBox(QMessageBox::StandardButton button) {
  QTimer::singleShot(0, [button] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box != nullptr) box->button(button)->click();
  });
}

class QtViewTest : public test::WizardFixture {
 protected:
  // Shows the window; `user` acts on it from inside its modal loop.
  void Walk(const std::function<void(WizardDialog&)>& user) {
    SetProgramDirectoryOverride(dataDir);
    SetHostDirectoryOverride(host.Path());
    VariableNames() = std::make_shared<FixedVariableNames>(std::vector<std::string>{"LOT"});
    QtWizardView view;
    FMain window(view);
    model = &window;
    QTimer::singleShot(0, [&] {
      WizardDialog& dialog = *view.Dialog();
      QTimer::singleShot(10000, &dialog, [&dialog] { dialog.done(0); });  // a stuck test ends
      user(dialog);
    });
    window.Show();
    shown = window.Visible();
    SetProgramDirectoryOverride("");
    SetHostDirectoryOverride("");
  }
  // The road of one run up to page 4 with the data typed.
  static void ToPageFour(WizardDialog& d) {
    ClickEntry(d, QStringLiteral("01 "));
    Click(d, "Curseur1");
    Click(d, "ActionCheck");
    Click(d, "Curseur1");
    Click(d, "Curseur1");
    Click(d, "Curseur1");
  }
  bool shown = true;
  FMain* model = nullptr;    // the window being walked
  test::FixedRandom random;  // the same letters in every variable name, so two runs write the same template
};

TEST_F(QtViewTest, RoadOfOneRunWritesWhatTheHeadlessDemoWrites) {
  Walk([](WizardDialog& d) {
    ToPageFour(d);
    QTest::keyClicks(&Find<QLineEdit>(d, "ActionTxtBox"), QStringLiteral("1234567"));
    Click(d, "Curseur1");
    Click(d, "Bouton3");
  });
  EXPECT_FALSE(shown);
  const std::string byHand = Template();
  ResetHistory();
  ResetGlobals();
  const auto demo = Run("pick 01\nnext\ncheck\nnext\nnext\nnext\ntype 1234567\nnext\ndone\n");
  ASSERT_EQ(demo.Result.Status, 0) << demo.Errors;
  EXPECT_EQ(byHand, Template());
  EXPECT_NE(byHand.find("Modulo10(\"0000001234567\")"), std::string::npos);
}

TEST_F(QtViewTest, NumericFilterRefusesALetterAndEnterMovesOn) {
  std::string typed;
  int pageAfterEnter = -1;
  Walk([&](WizardDialog& d) {
    ToPageFour(d);
    auto& box = Find<QLineEdit>(d, "ActionTxtBox");
    QTest::keyClicks(&box, QStringLiteral("12a3"));
    typed = box.text().toStdString();
    QTest::keyClick(&box, Qt::Key_Return);
    pageAfterEnter = static_cast<int>(Find<QPushButton>(d, "Bouton3").isEnabled() ? 6 : 4);
    AnswerNextBox(QMessageBox::Ok);
    Click(d, "Bouton2");
  });
  EXPECT_EQ(typed, "123");
  EXPECT_EQ(pageAfterEnter, 6) << "done is enabled on page 6 only";
  EXPECT_FALSE(shown);
}

TEST_F(QtViewTest, TheBoxShowsTheModelsTextWholePastItsLengthLimit) {
  QString pasted;
  QString afterBackspace;
  QString afterTyping;
  Walk([&](WizardDialog& d) {
    ToPageFour(d);  // AI 01 with its check digit: 13 characters may be typed
    auto& box = Find<QLineEdit>(d, "ActionTxtBox");
    QApplication::clipboard()->setText(QStringLiteral("12345678901234567890"));
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);  // a paste is not limited
    pasted = box.text();
    QTest::keyClick(&box, Qt::Key_Backspace);
    afterBackspace = box.text();
    QTest::keyClicks(&box, QStringLiteral("9"));  // a typed key past the limit is refused
    afterTyping = box.text();
    d.done(0);
  });
  EXPECT_EQ(pasted, QStringLiteral("12345678901234567890"));
  EXPECT_EQ(afterBackspace, QStringLiteral("1234567890123456789")) << "Backspace edits what the user sees";
  EXPECT_EQ(afterTyping, afterBackspace);
}

TEST_F(QtViewTest, TheSymbolBandFollowsTypingAndListsFindings) {
  SymbolPreview afterGtin;
  SymbolPreview afterDate;
  QString link;
  Walk([&](WizardDialog& d) {
    const auto& band = Find<SymbolBand>(d, "SymbolBand");
    ToPageFour(d);
    auto& box = Find<QLineEdit>(d, "ActionTxtBox");
    QTest::keyClicks(&box, QStringLiteral("1234567"));
    afterGtin = band.Shown();
    const auto& uri = Find<QLineEdit>(d, "DigitalLink");
    link = uri.isVisible() && uri.isReadOnly() ? uri.text() : QString();
    Click(d, "Curseur1");  // the summary
    Click(d, "Curseur1");  // the next AI
    ClickEntry(d, QStringLiteral("17 "));
    for (int i = 0; i < 4 && !box.isVisible(); ++i) Click(d, "Curseur1");
    QTest::keyClicks(&box, QStringLiteral("261331"));
    afterDate = band.Shown();
    d.done(0);
  });
  EXPECT_EQ(symbol::HumanReadable(afterGtin.elements), "(01)00000012345670");
  EXPECT_FALSE(afterGtin.symbol.modules.empty()) << "the symbol is drawn";
  ASSERT_EQ(afterGtin.findings.size(), 1u);
  EXPECT_EQ(afterGtin.findings[0].kind, "zeros-added") << "7 digits typed of 13";
  EXPECT_EQ(link, QStringLiteral("https://id.gs1.org/01/00000012345670")) << "a line the user can copy";
  EXPECT_EQ(symbol::HumanReadable(afterDate.elements), "(01)00000012345670(17)261331");
  ASSERT_EQ(afterDate.findings.size(), 2u);
  EXPECT_EQ(afterDate.findings[0].text, "AI (17) position 3: invalid month '13'");
  EXPECT_EQ(afterDate.markStart, 2) << "the month's digits are marked in the text box";
  EXPECT_EQ(afterDate.markLength, 2);
}

TEST_F(QtViewTest, CancelAsksThroughADialog) {
  bool shownAfterNo = false;
  Walk([&](WizardDialog& d) {
    ToPageFour(d);
    QTest::keyClicks(&Find<QLineEdit>(d, "ActionTxtBox"), QStringLiteral("5"));
    AnswerNextBox(QMessageBox::Cancel);
    Click(d, "Bouton2");
    shownAfterNo = d.isVisible();
    AnswerNextBox(QMessageBox::Ok);
    Click(d, "Bouton2");
  });
  EXPECT_TRUE(shownAfterNo) << "Cancel in the question leaves the wizard as it was";
  EXPECT_FALSE(shown);
}

TEST_F(QtViewTest, TheCancelQuestionSpeaksFrenchForAFrenchUser) {
  host.Write("System/Users/User.ini", "[Initialize]\r\nCountry=1\r\n");
  QString cancelButton;
  Walk([&](WizardDialog& d) {
    ToPageFour(d);
    QTest::keyClicks(&Find<QLineEdit>(d, "ActionTxtBox"), QStringLiteral("5"));
    QTimer::singleShot(0, [&cancelButton] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      cancelButton = box->button(QMessageBox::Cancel)->text();
      box->button(QMessageBox::Ok)->click();
    });
    Click(d, "Bouton2");
  });
  EXPECT_EQ(cancelButton.remove(QLatin1Char('&')), QStringLiteral("Annuler"));
}

// The window's controls come from one table: each has a widget of its kind,
// named after it, shown when the model shows it, on every page.
TEST_F(QtViewTest, EveryControlOfTheModelHasItsWidget) {
  std::vector<std::string> wrong;
  const auto check = [&](WizardDialog& d) {
    for (const WindowControl& each : model->Controls()) {
      const std::string& name = each.control->Name();
      const std::string objectName = each.arrayElement ? name + std::to_string(each.control->Index()) : name;
      const QWidget* widget = d.findChild<QWidget*>(QString::fromStdString(objectName));
      if (widget == nullptr || widget->isHidden() == each.control->Visible) wrong.push_back(objectName);
    }
  };
  Walk([&](WizardDialog& d) {
    check(d);
    ClickEntry(d, QStringLiteral("01 "));
    Click(d, "Curseur1"), check(d);
    Click(d, "Curseur1"), Click(d, "Curseur1"), check(d);  // the options
    d.done(0);
  });
  EXPECT_TRUE(wrong.empty()) << wrong.front();
}

TEST_F(QtViewTest, TheHeadingKeepsOffTheWindowsEdgeInItsPlace) {
  int indent = 0;
  int left = -1;
  Walk([&](WizardDialog& d) {
    const auto& heading = Find<QLabel>(d, "LabelTitle");
    indent = heading.indent();
    left = heading.geometry().left();
    d.done(0);
  });
  EXPECT_EQ(left, 0) << "the label stays where the model puts it";
  EXPECT_GT(indent, 0) << "its text does not touch the edge";
}

// Page 0's search box, driven by the keyboard: typing finds and selects, Down
// moves on, the list shows the selection; a barcode pasted with Ctrl+V walks
// the pages; one the catalogue cannot take changes nothing and says why.
TEST_F(QtViewTest, TheSearchBoxFindsAndAPasteFillsTheWizard) {
  QString afterBest;
  QString afterDown;
  bool selectionShown = false;
  int pageAfterBadPaste = -1;
  std::string badPasteAi;
  int pageAfterPaste = -1;
  std::string elements;
  QString hint;
  bool tabbedToBox = false;
  Walk([&](WizardDialog& d) {
    auto& box = Find<QLineEdit>(d, "FindBox");
    auto& list = Find<QListWidget>(d, "ActionList");
    tabbedToBox = box.nextInFocusChain() == &list;
    box.setFocus();
    QTest::keyClicks(&box, QStringLiteral("date"));
    QTest::keyClick(&box, Qt::Key_Down);
    afterDown = list.currentItem() != nullptr ? list.currentItem()->text() : QString();
    box.clear();
    QTest::keyClicks(&box, QStringLiteral("best before"));
    afterBest = list.currentItem() != nullptr ? list.currentItem()->text() : QString();
    selectionShown = list.viewport()->rect().intersects(list.visualItemRect(list.currentItem()));
    QGuiApplication::clipboard()->setText(QStringLiteral("(01)09506000134352(2345)X"));
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_V, Qt::ControlModifier);
    pageAfterBadPaste =
        History().CurrentId == 0 ? static_cast<int>(d.findChild<QLineEdit*>("FindBox")->isVisible()) : -1;
    badPasteAi = History().IdTable(0).IdKey;
    QGuiApplication::clipboard()->setText(QStringLiteral("(01)09506000134352(17)271231(10)ABC123"));
    QTest::keyClick(&list, Qt::Key_V, Qt::ControlModifier);
    elements = symbol::HumanReadable(Find<SymbolBand>(d, "SymbolBand").Shown().elements);
    pageAfterPaste = box.isVisible() ? 0 : 6;
    hint = box.placeholderText();
    d.done(0);
  });
  EXPECT_TRUE(afterBest.contains(QStringLiteral("Best before"))) << afterBest.toStdString();
  EXPECT_TRUE(selectionShown) << "the list is scrolled to the selected AI";
  EXPECT_FALSE(afterDown.isEmpty());
  EXPECT_EQ(pageAfterBadPaste, 1) << "still on page 0";
  EXPECT_EQ(badPasteAi, "15") << "nothing changed: the AI found before is still picked";
  EXPECT_EQ(elements, "(01)09506000134352(17)271231(10)ABC123");
  EXPECT_EQ(pageAfterPaste, 6) << "the summary page";
  EXPECT_FALSE(hint.isEmpty());
  EXPECT_TRUE(tabbedToBox) << "Tab goes from the search box to the list";
}

TEST_F(QtViewTest, ScreenshotsOfEveryPage) {
  QDir().mkpath(QStringLiteral(VELMORA_SCREENSHOT_DIR));
  std::vector<QImage> shots;
  Walk([&](WizardDialog& d) {
    const auto shoot = [&] { shots.push_back(d.grab().toImage()); };
    shoot();                                                                           // page 0
    QTest::keyClicks(&Find<QLineEdit>(d, "FindBox"), QStringLiteral("lot")), shoot();  // page 0, searching
    ClickEntry(d, QStringLiteral("01 "));
    Click(d, "Curseur1"), shoot();                             // 1
    Click(d, "Curseur1"), shoot();                             // 2
    Click(d, "Curseur1"), shoot();                             // 3
    Click(d, "ActionOption1"), Click(d, "Curseur1"), shoot();  // 5
    Click(d, "Curseur0"), Click(d, "ActionOption0"), Click(d, "Curseur1");
    QTest::keyClicks(&Find<QLineEdit>(d, "ActionTxtBox"), QStringLiteral("42")), shoot();  // 4
    Click(d, "Curseur1"), shoot();                                                         // 6
    d.done(0);
  });
  ASSERT_EQ(shots.size(), 8u);
  const char* names[] = {"page0", "page0-find", "page1", "page2", "page3", "page5", "page4", "page6"};
  for (std::size_t i = 0; i < shots.size(); ++i) {
    SCOPED_TRACE(names[i]);
    const QImage& shot = shots[i];
    EXPECT_EQ(shot.size(), QSize(632, 393)) << "9480 by 4095 twips at 96 dpi, and the symbol band of 1800";
    std::set<QRgb> colours;
    for (int y = 0; y < shot.height(); y += 3) {
      for (int x = 0; x < shot.width(); x += 3) colours.insert(shot.pixel(x, y));
    }
    EXPECT_GT(colours.size(), 4u) << "not blank";
    EXPECT_TRUE(
        shot.save(QStringLiteral(VELMORA_SCREENSHOT_DIR "/") + QString::fromLatin1(names[i]) + QStringLiteral(".png")));
  }
}

}  // namespace
}  // namespace velmora
