// The handlers of the user's input on the page controls and the list box.
#include "base/Int16.h"
#include "ids/DerivedFields.h"
#include "ids/HistoryState.h"
#include "ids/IdCatalogue.h"
#include "ids/IdTable.h"
#include "wizard/FMain.h"

namespace velmora {
namespace {

IdRecord& Current() { return History().IdTable(History().CurrentId); }

}  // namespace

void FMain::Refresh() {
  UpdateCurrentId();
  RefreshPreview();
}

void FMain::ActionCheck_Click() {
  if (EventsEnabled != True) return;
  if (CurrentPage == 1) Current().Choice[0] = ActionCheck.Value();
  if (CurrentPage == 2) Current().Choice[1] = ActionCheck.Value();
  Refresh();
}

void FMain::ActionCombo_Change() {
  if (CurrentPage != 5) return;
  IdRecord& r = Current();
  r.VarData = ActionCombo.Text();
  r.IsSaved = r.IndexInList;
  Refresh();
}

void FMain::ActionCombo_Click() { ActionCombo_Change(); }

void FMain::ActionOption_Click(std::int16_t) {
  if (EventsEnabled != True || CurrentPage != 3) return;
  Current().IsFixed = ToBoolean(ActionOption[0]->Value);
  Refresh();
}

void FMain::ActionTxtBox_Change() {
  if (EventsEnabled != True || CurrentPage != 4) return;
  Current().FixData = ActionTxtBox.Text();
  Curseur[1].Enabled = !ActionTxtBox.Text().empty();
  Refresh();
}

void FMain::ActionTxtBox_KeyPress(std::int16_t& keyAscii) {
  if (CurrentPage != 4) return;
  if (keyAscii == 13) {
    keyAscii = 0;
    // A disabled next button is not pressed: Enter cannot skip the data check.
    if (Curseur[1].Enabled) Curseur[1].Press();
    return;
  }
  if (keyAscii >= 0 && keyAscii <= 31) return;
  if (keyAscii >= 48 && keyAscii <= 57) return;
  if (Current().IsNumeric != 0) keyAscii = 0;
}

void FMain::ActionButton_Click() {
  EventsEnabled = False;
  if (CurrentPage == 6) {
    if (IdCount() == 1) {
      RemoveIdRecord(1);
      History().CurrentId = 0;
      AddIdRecord();
      Curseur[0].Enabled = false;
      Curseur[1].Enabled = false;
      Bouton[1].Enabled = false;
      Bouton[3].Enabled = false;
      BuildPage(0, 0);
    } else {
      RemoveIdRecord(History().CurrentId);
      FillChosenIdList(ActionList);
    }
    Refresh();
  }
  EventsEnabled = True;
}

void FMain::ActionList_Click() {
  if (EventsEnabled == False) return;
  const std::int16_t position = ActionList.ListIndex();
  switch (CurrentPage) {
    case 0: {
      IdRecord& r = Current();
      r.IndexInList = position;
      FillRecordFromCatalogue(r, CheckedInt16(ActionList.ItemData(position)));
      Curseur[1].Enabled = true;
      Bouton[1].Enabled = true;
      UpdateCurrentId();
      break;
    }
    case 1:
      Current().Selection = position;
      UpdateCurrentId();
      break;
    case 6: History().CurrentId = position; break;
    default: return;
  }
  RefreshPreview();
}

}  // namespace velmora
