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

std::vector<WindowControl> FMain::Controls() {
  std::vector<WindowControl> all;
#define VELMORA_LIST_ONE(kind, name, parent, ...) all.push_back({&name, kind::kKind, #parent, false});
#define VELMORA_LIST_ARRAY(kind, name, parent, ...) \
  for (auto& element : name) all.push_back({&element, kind::kKind, #parent, true});
#define VELMORA_LIST_LOADED(kind, name, parent, ...) \
  for (auto& element : name) all.push_back({element.get(), kind::kKind, #parent, true});
  VELMORA_WINDOW_CONTROLS(VELMORA_LIST_ONE, VELMORA_LIST_ARRAY, VELMORA_LIST_LOADED)
#undef VELMORA_LIST_ONE
#undef VELMORA_LIST_ARRAY
#undef VELMORA_LIST_LOADED
  return all;
}

// The controls as the window was designed: what a freshly loaded window shows.
void FMain::CreateControls() {
  const FMain design(view_, 0);
  Caption.clear();
#define VELMORA_RESET(kind, name, ...) name = design.name;
#define VELMORA_RESET_LOADED(kind, name, parent, left, top, width, height) \
  name.clear();                                                            \
  name.push_back(std::make_unique<kind>(#name, 0, Place{left, top, width, height}));
  VELMORA_WINDOW_CONTROLS(VELMORA_RESET, VELMORA_RESET, VELMORA_RESET_LOADED)
#undef VELMORA_RESET
#undef VELMORA_RESET_LOADED
  LabelTitle.SetFontBold(true);
  ActionTitle.SetFontBold(true);
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
    RaiseError(kErrNoSuchArrayElement, "Control array element '" + std::to_string(index) + "' doesn't exist");
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
