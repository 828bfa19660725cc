#pragma once
// The wizard window: one set of controls that seven pages configure, the
// start-up, the page builder, the input handlers and the navigation.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/IdRecord.h"
#include "template/HideableWindow.h"
#include "wizard/Controls.h"
#include "wizard/SymbolPreview.h"
#include "wizard/WindowControls.h"
#include "wizard/WindowView.h"

namespace velmora {

// The section sign: the separator of option captions, and the text-box value
// that asks for an empty box.
inline const std::string kSectionSign = "\xC2\xA7";

// What one page shows, for PlaceControls: each control's text, by name. An
// empty caption hides its control; the text box's value kSectionSign shows it
// empty. Booleans are -1 and 0.
struct PageControls {
  std::string title{};         // LabelTitle
  std::string heading{};       // ActionTitle
  std::string info{};          // ActionInfo
  std::string textValue{};     // ActionTxtBox
  std::string checkCaption{};  // ActionCheck
  std::int16_t checkValue = 0;
  std::string options{};  // the ActionOption captions, separated by kSectionSign
  std::int16_t selectedOption = 0;
  std::string buttonCaption{};  // ActionButton
  std::int16_t comboShown = 0;  // ActionCombo
  std::int16_t listShown = 0;   // ActionList
  std::string fieldText{};      // ActionLabel
};

// The chosen AIs as the symbol band draws them: the table's complete records,
// with the one at CurrentId marked, and the barcode formula they make.
ChosenAis ChosenAisOfTable();

class FMain : public HideableWindow {
 public:
  explicit FMain(WindowView& view);
  ~FMain() override;

  // --- the window (the forms library's part) ---
  // Shows the window modally; a window that is not loaded runs its start-up first.
  void Show();
  void Hide() override;
  // Unloads the window (the close box): controls go back to their design state.
  void Unload();
  bool Loaded() const { return loaded_; }
  bool Visible() const { return visible_; }
  std::string Caption;
  std::string HostNumberText;
  Place Position{0, 0, 9570, 4425};  // the inner area 9480 x 4095 and the frame
  std::int32_t HWnd() const { return 0x10001; }

  // --- controls, declared from the table ---
#define VELMORA_DECLARE_ONE(kind, name, parent, left, top, width, height) \
  kind name{#name, -1, {left, top, width, height}};
#define VELMORA_DECLARE_ARRAY(kind, name, parent, count, ...) \
  std::array<kind, count> name = ControlArray<kind, count>(#name, {__VA_ARGS__});
#define VELMORA_DECLARE_LOADED(kind, name, parent, left, top, width, height) std::vector<std::unique_ptr<kind>> name;
  VELMORA_WINDOW_CONTROLS(VELMORA_DECLARE_ONE, VELMORA_DECLARE_ARRAY, VELMORA_DECLARE_LOADED)
#undef VELMORA_DECLARE_ONE
#undef VELMORA_DECLARE_ARRAY
#undef VELMORA_DECLARE_LOADED
  // The control collection, in the table's order (each array element counts once).
  std::vector<WindowControl> Controls();
  std::string FocusedControl;  // name of the control with the keyboard focus

  // --- module-level values of the window ---
  std::int16_t EventsEnabled = 0;  // Boolean
  std::int16_t CurrentPage = 0;
  std::array<std::int16_t, 10> CatalogueListed{};

  // --- start-up ---
  void InitGlobals();
  void KeepOnTop();
  void CenterForm();

  // --- pages ---
  void BuildPage(std::int16_t page, std::int16_t direction);
  void PlaceControls(const PageControls& page);
  void ApplyDialogFont();
  void RefreshPreview();

  // --- the symbol under the buttons, refreshed with the preview ---
  // Worked out when it is first looked at after a refresh: a window shows it
  // after every event, a script only when it dumps or previews it.
  const SymbolPreview& Symbol();
  void RefreshSymbol();
  const symbol::Gs1Data* Gs1();  // the GS1 data of DataDir, read once; nullptr when unreadable

  // --- handlers ---
  void ActionCheck_Click();
  void ActionCombo_Change();
  void ActionCombo_Click();
  void ActionOption_Click(std::int16_t index);
  void ActionTxtBox_Change();
  void ActionTxtBox_KeyPress(std::int16_t& keyAscii);
  void ActionButton_Click();
  void ActionList_Click();
  void Curseur_Click(std::int16_t index);
  void Bouton_Click(std::int16_t index);
  static std::int16_t NextPage(std::int16_t page, std::int16_t direction, const IdRecord& record);
  std::int16_t ConfirmCancel();

  // The option button array as the user sees it: setting one clears the others
  // and raises its Click.
  void SetOption(std::int16_t index);

 private:
  FMain(WindowView& view, int);  // the design-time window that CreateControls copies
  void Form_Load();
  void CreateControls();
  void WireEvents();
  void LoadOption(std::int16_t index);
  void UnloadOptionsAboveZero();
  void BuildAiChoicePage(std::int16_t direction, const IdRecord& copy);
  void BuildOptionsPage(const std::string& keyPrefix, const IdRecord& copy);
  void BuildFixedDataPage(const std::string& keyPrefix, const IdRecord& copy);
  void BuildVariablePage(const IdRecord& copy);
  void BuildSummaryPage(std::int16_t direction);
  void Refresh();  // UpdateCurrentId, then RefreshPreview

  WindowView& view_;
  SymbolPreview symbol_;
  bool symbolStale_ = true;
  std::shared_ptr<const symbol::Gs1Data> gs1_;
  std::string gs1Directory_;
  std::string gs1Problem_;
  bool loaded_ = false;
  bool visible_ = false;
};

}  // namespace velmora
