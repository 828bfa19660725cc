// The page builder: turns a page number into a configuration of the controls.
#include "base/GlobalValues.h"
#include "base/Int16.h"
#include "base/MGeneral.h"
#include "ids/FormulaComposer.h"
#include "ids/HistoryState.h"
#include "ids/IdCatalogue.h"
#include "ids/IdTable.h"
#include "settings/MGlobal.h"
#include "wizard/FMain.h"
#include "wizard/VariableNameList.h"

namespace velmora {
namespace {

IdRecord CurrentCopy() { return History().IdTable(History().CurrentId); }

// The page's own text, or the common one when it is empty.
std::string TextOr(const std::string& key, const std::string& fallbackKey) {
  const std::string text = GetCny(key);
  return text.empty() ? GetCny(fallbackKey) : text;
}

}  // namespace

void FMain::RefreshPreview() {
  line_code.Caption = ComposeReadableText();
  RefreshSymbol();
}

void FMain::BuildPage(std::int16_t page, std::int16_t direction) {
  const IdRecord copy = CurrentCopy();
  const std::string keyPrefix = "id" + std::to_string(copy.RankInFile);
  CurrentPage = page;
  if (page == 0 && direction == 0 && History().CurrentId == 0) Curseur[0].Enabled = false;
  if (CurrentPage > 0 && direction == 1) Curseur[0].Enabled = true;
  ApplyDialogFont();
  switch (CurrentPage) {
    case 0: BuildAiChoicePage(direction, copy); break;
    case 1: BuildOptionsPage(keyPrefix, copy); break;
    case 2:
      PlaceControls({.title = copy.IdName,
                     .heading = GetCny(keyPrefix + "_Label1"),
                     .info = TextOr(keyPrefix + "_text1", "text5"),
                     .checkCaption = GetCny(keyPrefix + "_check1"),
                     .checkValue = copy.Choice[1]});
      break;
    case 3:
      PlaceControls({.title = copy.IdName,
                     .info = TextOr(keyPrefix + "_text", "text1"),
                     .options = GetCny("option0") + kSectionSign + GetCny("option1"),
                     .selectedOption = CheckedInt16(copy.IsFixed + 1LL)});
      Curseur[1].Enabled = true;
      break;
    case 4: BuildFixedDataPage(keyPrefix, copy); break;
    case 5: BuildVariablePage(copy); break;
    case 6: BuildSummaryPage(direction); break;
    default: break;
  }
  Bouton[3].Enabled = CurrentPage == 6;
}

void FMain::BuildAiChoicePage(std::int16_t direction, const IdRecord&) {
  HistoryState& h = History();
  if (CatalogueListed[0] == False) {
    LoadIdCatalogue();
    CatalogueListed[static_cast<std::size_t>(CurrentPage)] = True;
  }
  FillListFromArray(h.IdCatalogueList, ActionList);
  if (direction == 1) h.CurrentId = CheckedInt16(h.CurrentId + 1LL);
  if (h.CurrentId >= IdCount()) AddIdRecord();
  const IdRecord copy = CurrentCopy();
  ActionList.SetListIndex(static_cast<std::int16_t>(MinValue(ActionList.ListCount() - 1, copy.IndexInList).ToLong()));
  Curseur[1].Enabled = ActionList.ListIndex() >= 0;
  PlaceControls({.heading = GetCny("label0"), .info = TextOr("text0", "text5"), .listShown = True});
}

void FMain::BuildOptionsPage(const std::string& keyPrefix, const IdRecord& copy) {
  const std::string heading = GetCny(keyPrefix + "_Label1");
  const std::string info = TextOr(keyPrefix + "_text0", "text5");
  const std::string check = GetCny(keyPrefix + "_check0");
  const bool decimals = HasIdFlag(copy.RankInFile, FlagDecimalList);
  if (decimals) {
    const bool ownTexts = HasIdFlag(copy.RankInFile, FlagOwnListTexts);
    ActionList.Clear();
    for (int k = 0; k < 10; ++k) {
      ActionList.AddItem(GetCny((ownTexts ? keyPrefix + "_lst" : std::string("lst")) + std::to_string(k)));
    }
    ActionList.SetListIndex(copy.Selection);
  }
  PlaceControls({.title = copy.IdName,
                 .heading = heading,
                 .info = info,
                 .checkCaption = check,
                 .checkValue = copy.Choice[0],
                 .listShown = ToBoolean(decimals)});
}

void FMain::BuildFixedDataPage(const std::string& keyPrefix, const IdRecord& copy) {
  const std::string field = FieldDescription(copy);
  PlaceControls({.title = copy.IdName,
                 .heading = GetCny("label1"),
                 .info = TextOr(keyPrefix + "_text", "text5"),
                 .textValue = copy.FixData.empty() ? kSectionSign : copy.FixData,
                 .fieldText = field});
  ActionTxtBox.MaxLength = copy.CharLen;
  Curseur[1].Enabled = !ActionTxtBox.Text().empty();
}

void FMain::BuildVariablePage(const IdRecord& copy) {
  ActionCombo.Clear();
  ActionCombo.SetText(copy.VarData);
  if (const auto& names = VariableNames()) {
    for (const std::string& name : names->Enumerate()) {  // as many as the list holds: Connect said so
      if (ActionCombo.Items().size() == kMaxListEntries) break;
      ActionCombo.AddItem(name);
    }
  }
  PlaceControls({.title = copy.IdName, .heading = GetCny("label2"), .info = GetCny("text3"), .comboShown = True});
}

void FMain::BuildSummaryPage(std::int16_t direction) {
  HistoryState& h = History();
  if (direction == 0) h.CurrentId = CheckedInt16(h.CurrentId - 1LL);
  CompactIdTable();
  const std::string heading = GetCny("label3");
  const std::string info = GetCny("text4");
  const std::string button = GetCny("Button4");
  FillChosenIdList(ActionList);
  PlaceControls({.heading = heading, .info = info, .buttonCaption = button, .listShown = True});
  Curseur[1].Enabled = true;
}

}  // namespace velmora
