#include "richtext/controls/custom_edit.h"

#include "core/rtti.h"
#include "gui/controls/keys.h"

BREVANT_DEFINE_CLASS(TCustomEdit, TWinControl, )
BREVANT_DEFINE_CLASS(TCustomMemo, TCustomEdit, )

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  InitDefaults(clWindow, false);
  InitTabStop(true);
  SetBounds(0, 0, 121, 21);
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (Value == BorderStyle_) return;
  BorderStyle_ = Value;
  EditSettingsChanged();
}

void TCustomEdit::SetReadOnly(bool Value) {
  SetEditReadOnly(Value);
}

void TCustomEdit::SetEditReadOnly(bool Value) {
  if (Value == ReadOnly_) return;
  ReadOnly_ = Value;
  EditSettingsChanged();
}

void TCustomEdit::SetHideSelection(bool Value) {
  if (Value == HideSelection_) return;
  HideSelection_ = Value;
  EditSettingsChanged();
}

void TCustomEdit::SelectAll() {
  SetSelStart(0);
  SetSelLength(-1);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner) {
  SetBounds(0, 0, 185, 89);
}

void TCustomMemo::SetAlignment(TAlignment Value) {
  if (Value == Alignment_) return;
  Alignment_ = Value;
  EditSettingsChanged();
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (Value == ScrollBars_) return;
  ScrollBars_ = Value;
  EditSettingsChanged();
}

void TCustomMemo::SetWordWrap(bool Value) {
  if (Value == WordWrap_) return;
  WordWrap_ = Value;
  EditSettingsChanged();
}

void TCustomMemo::SetWantTabs(bool Value) {
  if (Value == WantTabs_) return;
  WantTabs_ = Value;
  EditSettingsChanged();
}

bool TCustomMemo::WantsKey(uint16_t Key, TShiftState /*Shift*/) const {
  return Key == VK_RETURN && WantReturns_;
}
