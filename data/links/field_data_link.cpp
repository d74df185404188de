#include "data/links/field_data_link.h"

#include "core/rtti.h"
#include "data/dataset.h"
#include "data/fields/field.h"

BREVANT_DEFINE_CLASS(TFieldDataLink, TDataLink, )

TFieldDataLink::TFieldDataLink() {
  SetIsVisual(true);
}

void TFieldDataLink::SetFieldName(const std::string& Value) {
  if (Value == FieldName_) return;
  FieldName_ = Value;
  BindField();
}

void TFieldDataLink::BindField() {
  AttachField(nullptr);
  if (!Active() || FieldName_.empty()) return;
  TField* field = Control_ != nullptr ? FieldForControl(DataSet(), Control_, FieldName_)
                                      : DataSet()->FieldNamed(FieldName_);
  AttachField(field);
}

void TFieldDataLink::AttachField(TField* Value) {
  if (Value == Field_) return;
  Field_ = Value;
  NotifyEditing();
  NotifyRecord(nullptr);
  SyncReadingOrder();
}

void TFieldDataLink::NotifyRecord(TField* Field) {
  if (Field != nullptr && Field != Field_) return;
  if (OnDataChange) OnDataChange(this);
  HasChanges_ = false;
}

void TFieldDataLink::NotifyActive() {
  BindField();
  if (OnActiveChange) OnActiveChange(this);
}

void TFieldDataLink::NotifyLayout() {
  BindField();
}

void TFieldDataLink::NotifyEditing() {
  SetFieldEditing(Editing() && CanChange());
}

void TFieldDataLink::SetFieldEditing(bool Value) {
  if (Value == FieldEditing_) return;
  FieldEditing_ = Value;
  HasChanges_ = false;
  if (OnEditingChange) OnEditingChange(this);
}

bool TFieldDataLink::CanChange() const {
  return !ReadOnly() && Field_ != nullptr && Field_->CanModify();
}

bool TFieldDataLink::RequestEdit() {
  if (CanChange()) TDataLink::RequestEdit();
  return FieldEditing_;
}

void TFieldDataLink::PushData() {
  if (!HasChanges_) return;
  if (Field_ != nullptr && OnUpdateData) OnUpdateData(this);
  HasChanges_ = false;
}

void TFieldDataLink::NotifyFocus(TField** FieldRef) {
  if (FieldRef == nullptr || *FieldRef == nullptr || *FieldRef != Field_ || !ControlCanFocus()) return;
  *FieldRef = nullptr;
  FocusControl();
}
