// The back and next buttons, the command buttons and the page ring.
#include "base/Int16.h"
#include "ids/DerivedFields.h"
#include "ids/HistoryState.h"
#include "ids/IdTable.h"
#include "platform/MessageBox.h"
#include "settings/MGlobal.h"
#include "template/LabelTemplate.h"
#include "wizard/FMain.h"

namespace velmora {
namespace {

bool PageShown(std::int16_t page, const IdRecord& r) {
  switch (page) {
    case 1: return HasIdFlag(r.RankInFile, FlagCheckDigit) || HasIdFlag(r.RankInFile, FlagDecimalList);
    case 2: return HasIdFlag(r.RankInFile, FlagPrefixNine);
    case 4: return r.IsFixed == -1;
    case 5: return r.IsFixed == 0;
    default: return true;  // 0, 3 and 6
  }
}

}  // namespace

std::int16_t FMain::NextPage(std::int16_t page, std::int16_t direction, const IdRecord& record) {
  const int step = direction == 1 ? 1 : -1;
  int p = page;
  do {
    p = (p + step + 7) % 7;
  } while (!PageShown(static_cast<std::int16_t>(p), record));
  return static_cast<std::int16_t>(p);
}

void FMain::Curseur_Click(std::int16_t index) {
  EventsEnabled = False;
  const std::int16_t newPage = NextPage(CurrentPage, index, History().IdTable(History().CurrentId));
  BuildPage(newPage, index);
  Refresh();
  EventsEnabled = True;
}

void FMain::Bouton_Click(std::int16_t index) {
  EventsEnabled = False;
  if (index == 2 && ConfirmCancel() == True) Hide();
  if (index == 3) WriteLabelTemplate(*this);
  Refresh();
  EventsEnabled = True;
}

std::int16_t FMain::ConfirmCancel() {
  if (AnyIdComplete() == False) return True;
  const std::int16_t answer = ShowMessageBox(GetCny("msg1"), kStyleOkCancel | kStyleQuestion, GetCny("title"));
  return ToBoolean(answer == kAnswerOk);
}

}  // namespace velmora
