#include "wizard/qt/QtMessageBoxes.h"

#include "base/GlobalValues.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

namespace velmora {
namespace {

QMessageBox::Icon IconOf(std::int16_t style) {
  switch (style & 0x70) {
    case kStyleCritical: return QMessageBox::Critical;
    case kStyleQuestion: return QMessageBox::Question;
    case kStyleExclamation: return QMessageBox::Warning;
    case 64: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

struct Buttons {
  QMessageBox::StandardButtons set;
  QMessageBox::StandardButton defaultButton;
};

Buttons ButtonsOf(std::int16_t style) {
  switch (style & 7) {
    case 1: return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok};
    case 2: return {QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore, QMessageBox::Abort};
    case 3: return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes};
    case 4: return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes};
    case 5: return {QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry};
    default: return {QMessageBox::Ok, QMessageBox::Ok};
  }
}

std::int16_t AnswerOf(int button) {
  switch (button) {
    case QMessageBox::Ok: return kAnswerOk;
    case QMessageBox::Cancel: return kAnswerCancel;
    case QMessageBox::Abort: return 3;
    case QMessageBox::Retry: return 4;
    case QMessageBox::Ignore: return 5;
    case QMessageBox::Yes: return kAnswerYes;
    case QMessageBox::No: return kAnswerNo;
    default: return kAnswerCancel;  // closed without a button
  }
}

// The system's line break is a line feed then a carriage return; Qt wants one.
QString Prompt(const std::string& prompt) {
  QString text = QString::fromStdString(prompt);
  text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
  text.remove(QLatin1Char('\r'));
  return text;
}

}  // namespace

QtMessageBoxes::QtMessageBoxes() : previous_(SetMessageBoxes(this)) {}

QtMessageBoxes::~QtMessageBoxes() {
  SetMessageBoxes(previous_);
  if (translator_) QCoreApplication::removeTranslator(translator_.get());
}

// Qt's own texts (the boxes' standard buttons) in the user's language: country 1
// is French. Installed once, from Debian's Qt translations. The language is
// the one the wizard's start-up read from the user's settings: the callers
// (a message box's prompt, style and title) have no way to say it.
void QtMessageBoxes::FollowTheUsersLanguage() {
  if (translated_ || Globals().CountryNumber != 1) return;
  translated_ = true;
  auto translator = std::make_unique<QTranslator>();
  if (translator->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator.get());
    translator_ = std::move(translator);
  }
}

std::int16_t QtMessageBoxes::Show(const std::string& prompt, std::int16_t style, const std::string& title) {
  FollowTheUsersLanguage();
  const Buttons buttons = ButtonsOf(style);
  QMessageBox box(IconOf(style), title.empty() ? QApplication::applicationName() : QString::fromStdString(title),
                  Prompt(prompt), buttons.set, QApplication::activeWindow());
  box.setDefaultButton(buttons.defaultButton);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  return AnswerOf(box.exec());
}

}  // namespace velmora
