// The symbol band: what GS1 makes of the chosen AIs, refreshed with the preview.
// It only informs: nothing here changes the controls or the table.
#include "base/GlobalValues.h"
#include "ids/FormulaComposer.h"
#include "ids/HistoryState.h"
#include "ids/IdTable.h"
#include "settings/MGlobal.h"
#include "wizard/FMain.h"

namespace velmora {
namespace {

// The page text file's words for findings; English where it has none.
symbol::FindingWords PageFindingWords() {
  symbol::FindingWords words;
  if (const std::string at = GetCny("finding_at"); !at.empty()) words.atPosition = at;
  if (const std::string ai = GetCny("finding_ai"); !ai.empty()) words.wholeAi = ai;
  if (const std::string orWord = GetCny("finding_or"); !orWord.empty()) words.orWord = orWord;
  words.sentence = [](symbol::FindingKind kind) { return GetCny(std::string("finding_") + symbol::KindName(kind)); };
  return words;
}

}  // namespace

// The complete records the barcode formula holds, in its order, with the one at
// CurrentId marked.
ChosenAis ChosenAisOfTable() {
  ChosenAis chosen{.formula = ComposeBarcodeData()};
  const HistoryState& h = History();
  for (std::int16_t i = 0; i < ChosenIdCount(); ++i) {
    const IdRecord& r = h.IdTable(i);
    if (r.IsFixed == 0 && r.VarData.empty() && !r.IdKey.empty()) chosen.withoutVariable.push_back(r.IdKey);
    if (IsIdComplete(r) == 0) continue;
    if (i == h.CurrentId) chosen.current = static_cast<int>(chosen.records.size());
    chosen.records.push_back(&r);
  }
  return chosen;
}

const symbol::Gs1Data* FMain::Gs1() {
  const std::string& directory = Globals().DataDir;
  if (directory != gs1Directory_) {
    gs1Directory_ = directory;
    gs1_.reset();
    gs1Problem_.clear();
    try {
      gs1_ = std::make_shared<const symbol::Gs1Data>(symbol::LoadGs1Data(directory));
    } catch (const std::exception& e) {
      gs1Problem_ = e.what();
    }
  }
  return gs1_.get();
}

void FMain::RefreshSymbol() { symbolStale_ = true; }

const SymbolPreview& FMain::Symbol() {
  if (!symbolStale_) return symbol_;
  symbolStale_ = false;
  symbol_ = SymbolPreview{};
  const ChosenAis chosen = ChosenAisOfTable();
  // Nothing chosen, nothing to draw: GS1's tables are read once there is (or an AI waits for its variable).
  if (chosen.formula.empty() && chosen.withoutVariable.empty()) return symbol_;
  try {
    if (const symbol::Gs1Data* gs1 = Gs1()) {
      symbol_ = ComputeSymbolPreview(chosen, *gs1, PageFindingWords());
    } else {
      symbol_.problem = gs1Problem_;
    }
  } catch (const std::exception& e) {
    symbol_.problem = e.what();  // the band says so; the wizard goes on as ever
  }
  return symbol_;
}

}  // namespace velmora
