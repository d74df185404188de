#include "data/fields/field.h"

#include <cstring>

#include "core/layout/layout_reader.h"
#include "core/rtti.h"
#include "core/text.h"
#include "data/data_strings.h"
#include "data/dataset.h"
#include "data/db_error.h"
#include "data/fields/fields_list.h"

BREVANT_DEFINE_CLASS(
    TField, TComponent,
    .Property("Alignment", &TField::Alignment, &TField::SetAlignment)
        .Default(taLeftJustify)
        .Property("CustomConstraint", &TField::CustomConstraint, &TField::SetCustomConstraint)
        .AlwaysStored()
        .Property("ConstraintErrorMessage", &TField::ConstraintErrorMessage,
                  &TField::SetConstraintErrorMessage)
        .AlwaysStored()
        .Property("DefaultExpression", &TField::DefaultExpression, &TField::SetDefaultExpression)
        .AlwaysStored()
        .Property("DisplayLabel", &TField::DisplayLabel, &TField::SetDisplayLabel)
        .StoredIf([](const TField& f) { return !f.DisplayLabel().empty(); })
        .Property("DisplayWidth", &TField::DisplayWidth, &TField::SetDisplayWidth)
        .StoredIf([](const TField& f) { return f.StoredDisplayWidth() > 0; })
        .Property("FieldKind", &TField::FieldKind, &TField::SetFieldKind)
        .Default(fkData)
        .Property("FieldName", &TField::FieldName, &TField::SetFieldName)
        .AlwaysStored()
        .Property("ImportedConstraint", &TField::ImportedConstraint, &TField::SetImportedConstraint)
        .AlwaysStored()
        .Property("Index", &TField::Index, &TField::SetIndex)
        .NotStored()
        .Property("KeyFields", &TField::KeyFields, &TField::SetKeyFields)
        .Property("LookupCache", &TField::LookupCache, &TField::SetLookupCache)
        .Default(false)
        .Property("LookupDataSet", &TField::LookupDataSet, &TField::SetLookupDataSet)
        .Property("LookupKeyFields", &TField::LookupKeyFields, &TField::SetLookupKeyFields)
        .Property("LookupResultField", &TField::LookupResultField, &TField::SetLookupResultField)
        .Property("Origin", &TField::Origin, &TField::SetOrigin)
        .AlwaysStored()
        .Property("ProviderFlags", &TField::ProviderFlags, &TField::SetProviderFlags)
        .Default(TProviderFlags{pfInUpdate, pfInWhere})
        .Property("ReadOnly", &TField::ReadOnly, &TField::SetReadOnly)
        .Default(false)
        .Property("Required", &TField::Required, &TField::SetRequired)
        .Default(false)
        .Property("Visible", &TField::Visible, &TField::SetVisible)
        .Default(true)
        .Event("OnChange", &TField::OnChange)
        .Event("OnGetText", &TField::OnGetText)
        .Event("OnSetText", &TField::OnSetText)
        .Event("OnValidate", &TField::OnValidate))

TField::TField(TComponent* AOwner) : TComponent(AOwner) {
  ValidChars_.set();
}

TField::~TField() {
  TDataSet* dataSet = HostDataSet_;
  if (dataSet == nullptr) return;
  if (dataSet->Active()) {
    // A destructor cannot report a failure; the dataset ends closed either way.
    try {
      dataSet->SetActive(false);
    } catch (...) {
    }
  }
  if (OwnerList_ != nullptr) OwnerList_->Remove(this);
}

void TField::SetAlignment(TAlignment Value) {
  if (Value == Alignment_) return;
  Alignment_ = Value;
  PropertyChanged(false);
}

void TField::SetDisplayLabel(const std::string& Value) {
  const std::string label = Value == FieldName_ ? std::string() : Value;
  if (label == DisplayLabel_) return;
  DisplayLabel_ = label;
  PropertyChanged(true);
}

int TField::DisplayWidth() const {
  return DisplayWidth_ > 0 ? DisplayWidth_ : DefaultWidth();
}

void TField::SetDisplayWidth(int Value) {
  if (Value == DisplayWidth_) return;
  DisplayWidth_ = Value;
  PropertyChanged(true);
}

void TField::SetFieldKind(TFieldKind Value) {
  if (Value == FieldKind_) return;
  TDataSet* dataSet = HostDataSet_;
  if (dataSet == nullptr) {
    FieldKind_ = Value;
    return;
  }
  dataSet->EnsureInactive();
  if ((Value == fkAggregate) == (FieldKind_ == fkAggregate)) {
    if (!OwnerList_->ValidKinds().Contains(Value)) RaiseDataError(LoadResString(SInvalidFieldKind), this);
    FieldKind_ = Value;
    return;
  }
  // Aggregates live in a list of their own: the field moves over.
  const TFieldKind old = FieldKind_;
  SetHostDataSet(nullptr);
  FieldKind_ = Value;
  try {
    SetHostDataSet(dataSet);
  } catch (...) {
    FieldKind_ = old;
    SetHostDataSet(dataSet);
    throw;
  }
}

void TField::SetFieldName(const std::string& Value) {
  if (Value == FieldName_) return;
  if (HostDataSet_ != nullptr) {
    HostDataSet_->EnsureInactive();
    if (!SameText(Value, FieldName_)) OwnerList_->CheckFieldName(Value);
  }
  FieldName_ = Value;
  PropertyChanged(true);
}

int TField::Index() const {
  return OwnerList_ == nullptr ? -1 : OwnerList_->IndexOf(this);
}

void TField::SetIndex(int Value) {
  if (OwnerList_ != nullptr) OwnerList_->SetFieldIndex(this, Value);
}

void TField::SetLookupDataSet(TDataSet* Value) {
  if (Value == LookupDataSet_) return;
  if (HostDataSet_ != nullptr) HostDataSet_->EnsureInactive();
  if (LookupDataSet_ != nullptr) LookupDataSet_->RemoveFreeNotification(this);
  LookupDataSet_ = Value;
  if (LookupDataSet_ != nullptr) LookupDataSet_->FreeNotification(this);
}

void TField::SetLookupKeyFields(const std::string& Value) {
  if (Value == LookupKeyFields_) return;
  if (HostDataSet_ != nullptr) HostDataSet_->EnsureInactive();
  LookupKeyFields_ = Value;
}

void TField::SetLookupResultField(const std::string& Value) {
  if (Value == LookupResultField_) return;
  if (HostDataSet_ != nullptr) HostDataSet_->EnsureInactive();
  LookupResultField_ = Value;
}

void TField::SetKeyFields(const std::string& Value) {
  if (Value == KeyFields_) return;
  if (HostDataSet_ != nullptr) HostDataSet_->EnsureInactive();
  KeyFields_ = Value;
}

void TField::SetReadOnly(bool Value) {
  if (Value == ReadOnly_) return;
  ReadOnly_ = Value;
  PropertyChanged(true);
}

void TField::SetVisible(bool Value) {
  if (Value == Visible_) return;
  Visible_ = Value;
  PropertyChanged(true);
}

void TField::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == LookupDataSet_) LookupDataSet_ = nullptr;
}

void TField::SetHostDataSet(TDataSet* Value) {
  if (Value == HostDataSet_) return;
  if (HostDataSet_ != nullptr) HostDataSet_->EnsureInactive();
  TFields* target = nullptr;
  if (Value != nullptr) {
    Value->EnsureInactive();
    target = FieldKind_ == fkAggregate ? Value->AggregateFields() : Value->FieldObjects();
    target->CheckFieldName(FieldName_);
  }
  if (OwnerList_ != nullptr) OwnerList_->Remove(this);
  if (target != nullptr) target->Add(this);
}

void TField::SetSize(int Value) {
  if (Value == Size_) return;
  if (Value < 0 || Value > 65535) RaiseDataError(LoadResString(SInvalidFieldSize), nullptr);
  CheckTypeSize(Value);
  if (HostDataSet_ != nullptr) HostDataSet_->EnsureInactive();
  Size_ = static_cast<uint16_t>(Value);
}

void TField::CheckTypeSize(int Value) const {
  if (Value != 0) RaiseDataError(LoadResString(SInvalidFieldSize), nullptr);
}

bool TField::ReadRaw(void* Buffer) const {
  if (HostDataSet_ == nullptr) RaiseDataErrorFmt(LoadResString(SDataSetMissing), {ShownName()}, nullptr);
  if (Validating_) {
    if (Buffer != nullptr && PendingValue_ != nullptr)
      std::memcpy(Buffer, PendingValue_, static_cast<size_t>(RawSize()));
    return PendingValue_ != nullptr;
  }
  return HostDataSet_->ReadFieldData(const_cast<TField*>(this), Buffer);
}

void TField::WriteRaw(const void* Buffer) {
  if (HostDataSet_ == nullptr) RaiseDataErrorFmt(LoadResString(SDataSetMissing), {ShownName()}, nullptr);
  HostDataSet_->WriteFieldData(this, Buffer);
}

bool TField::ValueIsNull() const {
  return !ReadRaw(nullptr);
}

std::string TField::AsText() const {
  return KindCaption();
}

void TField::SetAsText(const std::string& /*Value*/) {
  AccessError("String");
}

void TField::AccessError(const char* TypeName) const {
  RaiseDataErrorFmt(LoadResString(SFieldAccessError), {ShownName(), TypeName}, nullptr);
}

std::string TField::KindCaption() const {
  std::string name = ClassName();
  if (!name.empty() && name[0] == 'T') name.erase(0, 1);
  constexpr std::string_view kField = "field";
  if (name.size() >= kField.size() &&
      SameText(std::string_view(name).substr(name.size() - kField.size()), kField)) {
    name.erase(name.size() - kField.size());
  }
  if (!ValueIsNull()) {
    name = UpperCase(name);
  }
  return "(" + name + ")";
}

std::string TField::ShownName() const {
  return DisplayLabel_.empty() ? FieldName_ : DisplayLabel_;
}

std::string TField::PathName() const {
  return FieldName_;
}

std::string TField::GetText(bool /*DisplayText*/) const {
  return AsText();
}

std::string TField::ShownText() const {
  if (OnGetText) {
    std::string text;
    OnGetText(const_cast<TField*>(this), text, true);
    return text;
  }
  return GetText(true);
}

std::string TField::EditText() const {
  if (OnGetText) {
    std::string text;
    OnGetText(const_cast<TField*>(this), text, false);
    return text;
  }
  return GetText(false);
}

void TField::SetEditText(const std::string& Value) {
  if (OnSetText) {
    OnSetText(this, Value);
  } else {
    SetAsText(Value);
  }
}

bool TField::CanModify() const {
  if (ColumnNo_ <= 0 || HostDataSet_ == nullptr) return false;
  if (HostDataSet_->Mode() == dmSetKey) return HostDataSet_->IsIndexField(this);
  return !ReadOnly_ && HostDataSet_->CanModify();
}

void TField::Validate(const void* Buffer) {
  if (!OnValidate) return;
  Validating_ = true;
  PendingValue_ = Buffer;
  try {
    OnValidate(this);
  } catch (...) {
    Validating_ = false;
    PendingValue_ = nullptr;
    throw;
  }
  Validating_ = false;
  PendingValue_ = nullptr;
}

void TField::DataChanged() {
  if (HostDataSet_ != nullptr) HostDataSet_->Notify(dnFieldChange, NoticeInfoOf(this));
}

void TField::FocusControl() {
  if (HostDataSet_ == nullptr) return;
  TField* reference = this;
  HostDataSet_->Notify(dnFocusControl, NoticeInfoOf(&reference));
}

void TField::Change() {
  if (OnChange) OnChange(this);
}

void TField::PropertyChanged(bool Layout) {
  if (HostDataSet_ != nullptr && HostDataSet_->Active())
    HostDataSet_->Notify(Layout ? dnLayoutChange : dnDataSetChange, 0);
}

TComponent* TField::GetParentComponent() const {
  return HostDataSet_;
}

void TField::SetParentComponent(TComponent* Value) {
  SetHostDataSet(dynamic_cast<TDataSet*>(Value));
}

void TField::ReadState(TLayoutReader& Reader) {
  // The field needs its name (and kind) before a dataset will take it.
  TComponent* parent = Reader.Parent();
  Reader.ReadData(*this);
  if (auto* dataSet = dynamic_cast<TDataSet*>(parent)) SetHostDataSet(dataSet);
}
