#include "wizard/FMain.h"

#include "base/RuntimeError.h"
#include "wizard/VariableNameList.h"

namespace velmora {

std::shared_ptr<VariableNameList>& VariableNames() {
  static std::shared_ptr<VariableNameList> names;
  return names;
}

FMain::FMain(WindowView& view) : view_(view) { CreateControls(); }

FMain::~FMain() = default;

void FMain::Show() {
  if (!loaded_) {
    CreateControls();
    loaded_ = true;
    view_.ControlsChanged(*this);
    try {
      Form_Load();
    } catch (...) {
      loaded_ = false;  // a start-up that failed leaves no window behind
      throw;
    }
  }
  visible_ = true;
  view_.RunModal(*this);
}

void FMain::Hide() { visible_ = false; }

void FMain::Unload() {
  loaded_ = false;
  visible_ = false;
  CreateControls();
  view_.ControlsChanged(*this);
}

std::vector<Control*> FMain::Controls() {
  std::vector<Control*> all = {&ActionPannel, &LabelTitle, &ActionTitle, &ActionInfo, &ActionTxtBox, &ActionCheck};
  for (auto& option : ActionOption) all.push_back(option.get());
  for (Control* c :
       std::initializer_list<Control*>{&ActionButton, &ActionCombo, &ActionList, &ActionLabel, &line_code, &Panel3D1}) {
    all.push_back(c);
  }
  for (auto& b : Bouton) all.push_back(&b);
  for (auto& c : Curseur) all.push_back(&c);
  return all;
}

// The controls as the window was designed: what a freshly loaded window shows.
void FMain::CreateControls() {
  const FMain design(view_, 0);
  Caption.clear();
  ActionPannel = design.ActionPannel;
  Panel3D1 = design.Panel3D1;
  LabelTitle = design.LabelTitle;
  ActionTitle = design.ActionTitle;
  ActionInfo = design.ActionInfo;
  ActionTxtBox = design.ActionTxtBox;
  ActionCheck = design.ActionCheck;
  ActionButton = design.ActionButton;
  ActionCombo = design.ActionCombo;
  ActionList = design.ActionList;
  ActionLabel = design.ActionLabel;
  line_code = design.line_code;
  Bouton = design.Bouton;
  Curseur = design.Curseur;
  LabelTitle.SetFontBold(true);
  ActionTitle.SetFontBold(true);
  ActionOption.clear();
  ActionOption.push_back(std::make_unique<OptionButton>("ActionOption", 0, Place{570, 750, 1680, 240}));
  FocusedControl.clear();
  WireEvents();
}

FMain::FMain(WindowView& view, int) : view_(view) {}

void FMain::WireEvents() {
  ActionCheck.OnClick = [this] { ActionCheck_Click(); };
  ActionCombo.OnChange = [this] { ActionCombo_Change(); };
  ActionCombo.OnClick = [this] { ActionCombo_Click(); };
  ActionTxtBox.OnChange = [this] { ActionTxtBox_Change(); };
  ActionTxtBox.OnKeyPress = [this](std::int16_t& key) { ActionTxtBox_KeyPress(key); };
  ActionButton.OnClick = [this] { ActionButton_Click(); };
  ActionList.OnClick = [this] { ActionList_Click(); };
  for (std::int16_t i = 0; i < 4; ++i) Bouton[i].OnClick = [this, i] { Bouton_Click(i); };
  for (std::int16_t i = 0; i < 2; ++i) Curseur[i].OnClick = [this, i] { Curseur_Click(i); };
}

void FMain::SetOption(std::int16_t index) {
  if (index < 0 || index >= static_cast<std::int16_t>(ActionOption.size())) {
    RaiseError(340, "Control array element '" + std::to_string(index) + "' doesn't exist");
  }
  for (auto& option : ActionOption) option->Value = option->Index() == index;
  ActionOption_Click(index);
}

void FMain::LoadOption(std::int16_t index) {
  const OptionButton& first = *ActionOption.front();
  auto option = std::make_unique<OptionButton>("ActionOption", index, first.Position());
  // A loaded element starts hidden and clear, with element 0's other properties.
  option->Visible = false;
  option->Enabled = first.Enabled;
  option->Caption = first.Caption;
  option->SetFontName(first.FontName());
  option->SetFontSize(std::to_string(first.FontSize()));
  option->SetFontBold(first.FontBold());
  ActionOption.push_back(std::move(option));
  view_.ControlsChanged(*this);
}

void FMain::UnloadOptionsAboveZero() {
  if (ActionOption.size() > 1) {
    ActionOption.resize(1);
    view_.ControlsChanged(*this);
  }
}

}  // namespace velmora
