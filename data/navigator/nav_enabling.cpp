// Which buttons can be pressed: moving needs rows before or after the current one,
// editing needs a dataset that can be modified, and nothing works while the navigator is
// disabled or its source inactive.

#include "data/dataset.h"
#include "data/navigator/db_navigator.h"

void TDBNavigator::RefreshMoveButtons() {
  if (!ButtonsMade()) return;
  const TDataSet* dataSet = NavLink_->DataSet();
  const bool live = Enabled() && NavLink_->Active() && dataSet != nullptr;
  const bool up = live && !dataSet->AtStart();
  const bool down = live && !dataSet->AtEnd();
  Buttons(nbFirst)->SetEnabled(up);
  Buttons(nbPrior)->SetEnabled(up);
  Buttons(nbNext)->SetEnabled(down);
  Buttons(nbLast)->SetEnabled(down);
  Buttons(nbDelete)->SetEnabled(live && dataSet->CanModify() && !(dataSet->AtStart() && dataSet->AtEnd()));
}

void TDBNavigator::RefreshEditButtons() {
  if (!ButtonsMade()) return;
  const TDataSet* dataSet = NavLink_->DataSet();
  const bool can = Enabled() && NavLink_->Active() && dataSet != nullptr && dataSet->CanModify();
  const bool editing = NavLink_->Editing();
  Buttons(nbInsert)->SetEnabled(can);
  Buttons(nbEdit)->SetEnabled(can && !editing);
  Buttons(nbPost)->SetEnabled(can && editing);
  Buttons(nbCancel)->SetEnabled(can && editing);
  Buttons(nbRefresh)->SetEnabled(can);
}

void TDBNavigator::RefreshAllButtons() {
  if (!ButtonsMade()) return;
  if (Enabled() && NavLink_->Active()) {
    RefreshMoveButtons();
    RefreshEditButtons();
    return;
  }
  for (TNavButton* button : Buttons_)
    button->SetEnabled(false);
}
