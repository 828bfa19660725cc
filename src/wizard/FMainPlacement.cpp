// Placement of the page controls, and the dialog font.
#include "base/GlobalValues.h"
#include "base/Int16.h"
#include "base/VbText.h"
#include "platform/Utf8Text.h"
#include "settings/MFile.h"
#include "wizard/FMain.h"

namespace velmora {
namespace {

// Runs one property assignment; a control that refuses the value keeps its own.
template <class Assignment>
void Ignoring(Assignment assign) {
  try {
    assign();
  } catch (...) {
  }
}

}  // namespace

void FMain::PlaceControls(const PageControls& page) {
  LabelTitle.Caption = page.title;
  ActionTitle.Caption = page.heading;
  ActionTitle.Visible = !page.heading.empty();
  ActionInfo.Caption = page.info;
  const std::string& textValue = page.textValue;

  ActionTxtBox.Move(150, 630, 3000, 315);
  ActionTxtBox.SetText(textValue == kSectionSign ? std::string() : textValue);
  if (!textValue.empty()) {
    ActionTxtBox.Visible = true;
    ActionTxtBox.SetSelStart(0);
    ActionTxtBox.SetSelLength(32767);
    FocusedControl = ActionTxtBox.Name();
  } else {
    ActionTxtBox.Visible = false;
  }

  ActionCheck.Move(540, 750, 6000);
  ActionCheck.Caption = page.checkCaption;
  ActionCheck.SetValue(static_cast<std::int16_t>(page.checkValue < 0 ? -page.checkValue : page.checkValue));
  ActionCheck.Visible = !page.checkCaption.empty();

  UnloadOptionsAboveZero();
  std::string options = page.options;
  ActionOption[0]->Visible = !options.empty();
  std::int16_t i = 0;
  while (!options.empty()) {
    if (i > 0) LoadOption(i);
    OptionButton& option = *ActionOption[static_cast<std::size_t>(i)];
    option.Move(570, CheckedInt16(750 + 300LL * i));
    const std::size_t cut = options.find(kSectionSign);
    option.Caption = options.substr(0, cut);
    options = cut == std::string::npos ? std::string() : options.substr(cut + kSectionSign.size());
    option.Visible = true;
    i = CheckedInt16(i + 1LL);
  }
  SetOption(page.selectedOption);

  ActionButton.Move(3550, 1900);
  ActionButton.Caption = page.buttonCaption;
  ActionButton.Visible = !page.buttonCaption.empty();
  ActionCombo.Move(150, 900, 3000);
  ActionCombo.Visible = page.comboShown != 0;
  ActionList.Move(120, 570, 9200, 1220);
  ActionList.Visible = page.listShown != 0;
  ActionLabel.Move(150, 1260, 3405, 675);
  ActionLabel.Caption = page.fieldText;
  ActionLabel.Visible = !page.fieldText.empty();
}

void FMain::ApplyDialogFont() {
  const std::string value = ReadIniString(Globals().UserSettingsFile, "Dialogs", "PointFont", "");
  if (value.empty()) return;
  const std::size_t at = value.find(", ");
  const std::string faceName = at == std::string::npos ? std::string() : value.substr(0, at);
  // Without ", " the size is taken from the second character on.
  const std::string size = at == std::string::npos ? value.substr(ByteOffsetOfChar(value, 1)) : value.substr(at + 2);
  for (const WindowControl& each : Controls()) {
    Control* control = each.control;
    Ignoring([&] { control->SetFontName(faceName); });
    Ignoring([&] { control->SetFontSize(size); });
    Ignoring([&] { control->SetFontBold(false); });
  }
}

}  // namespace velmora
