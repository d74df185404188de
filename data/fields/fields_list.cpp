#include "data/fields/fields_list.h"

#include <algorithm>

#include "core/core_strings.h"
#include "core/text.h"
#include "data/data_strings.h"
#include "data/dataset.h"
#include "data/db_error.h"
#include "data/fields/field.h"

TField* TFields::Fields(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format(LoadResString(SListIndexError), Index));
  return List_[static_cast<size_t>(Index)];
}

int TFields::IndexOf(const TField* Field) const {
  auto it = std::find(List_.begin(), List_.end(), Field);
  return it == List_.end() ? -1 : static_cast<int>(it - List_.begin());
}

void TFields::Add(TField* Field) {
  if (!ValidKinds_.Contains(Field->FieldKind())) RaiseDataError(LoadResString(SInvalidFieldKind), Field);
  List_.push_back(Field);
  Field->OwnerList_ = this;
  Field->HostDataSet_ = DataSet_;
  Changed();
}

void TFields::Remove(TField* Field) {
  const int i = IndexOf(Field);
  if (i < 0) return;
  List_.erase(List_.begin() + i);
  Field->OwnerList_ = nullptr;
  Field->HostDataSet_ = nullptr;
  Field->ColumnNo_ = 0;
  Changed();
}

void TFields::Clear() {
  while (!List_.empty()) {
    TField* field = List_.back();
    Remove(field);
    delete field;
  }
}

void TFields::SetFieldIndex(TField* Field, int Value) {
  const int current = IndexOf(Field);
  if (current < 0) return;
  const int last = Count() - 1;
  const int target = Value < 0 || Value > last ? last : Value;
  if (target == current) return;
  auto first = List_.begin();
  if (current < target) {
    std::rotate(first + current, first + current + 1, first + target + 1);
  } else {
    std::rotate(first + target, first + current, first + current + 1);
  }
  Changed();
}

TField* TFields::SeekField(const std::string& Name) const {
  for (TField* field : List_) {
    if (SameText(field->FieldName(), Name)) return field;
  }
  return nullptr;
}

TField* TFields::FieldNamed(const std::string& Name) const {
  TField* field = SeekField(Name);
  if (field == nullptr) RaiseDataErrorFmt(LoadResString(SFieldNotFound), {Name}, DataSet_);
  return field;
}

TField* TFields::FieldNumbered(int ColumnNo) const {
  for (TField* field : List_) {
    if (field->ColumnNo() == ColumnNo) return field;
  }
  return nullptr;
}

void TFields::CheckFieldName(const std::string& Name) const {
  if (Name.empty()) RaiseDataError(LoadResString(SFieldNameMissing), DataSet_);
  if (SeekField(Name) != nullptr) RaiseDataErrorFmt(LoadResString(SDuplicateFieldName), {Name}, DataSet_);
}

void TFields::Changed() {
  if (DataSet_ != nullptr && !DataSet_->IsDestroying()) DataSet_->Notify(dnFieldListChange, 0);
}
