// TDataSet: field definitions, default fields, binding, lookups and calculated fields.

#include <memory>

#include "core/rtti.h"
#include "data/dataset.h"
#include "data/fields/field.h"
#include "data/fields/field_types.h"
#include "data/fields/string_field.h"

TField* TDataSet::SeekField(const std::string& Name) const {
  if (TField* field = FieldObjects_->SeekField(Name)) return field;
  // With ObjectView, child fields of object fields would be found by full name here; object
  // fields in this layer carry no child fields.
  return AggregateFields_->SeekField(Name);
}

TField* TDataSet::FieldNamed(const std::string& Name) const {
  TField* field = SeekField(Name);
  if (field == nullptr) RaiseDataErrorFmt(LoadResString(SFieldNotFound), {Name}, this);
  return field;
}

TField* TDataSet::FieldNumbered(int ColumnNo) const {
  return FieldObjects_->FieldNumbered(ColumnNo);
}

void TDataSet::LoadFieldDefs() {
  if (CoreIsOpen()) {
    CoreDescribeFields();
    return;
  }
  try {
    StartCursor(true);
  } catch (...) {
    StopCursor();
    throw;
  }
  StopCursor();
}

void TDataSet::DefinitionsChanged(TDefCollection* /*Defs*/) {
  FlatFieldDefs_->SetUpdated(false);
}

const TClassInfo* TDataSet::FieldClassFor(TFieldType Type) const {
  return FieldClassOf(Type);
}

void TDataSet::MakeDefaultFields() {
  TFieldDefList& defs = *FlatFieldDefs_;
  for (int i = 0; i < defs.Count(); ++i) {
    const TFieldDef* def = defs.FieldDef(i);
    const TFieldType type = def->DataType();
    if (type == ftUnknown || def->Attributes().Contains(faHiddenCol) || IsObjectType(type)) continue;
    const std::string name = defs.Get(i);
    const TClassInfo* cls = FieldClassFor(type);
    if (cls == nullptr || !cls->Create) RaiseDataErrorFmt(LoadResString(SUnknownFieldType), {name}, nullptr);
    std::unique_ptr<TField> field(dynamic_cast<TField*>(cls->Create(this)));
    if (!field) RaiseDataErrorFmt(LoadResString(SUnknownFieldType), {name}, nullptr);
    field->SetSize(def->Size());
    field->SetFieldName(name);
    field->SetRequired(def->Attributes().Contains(faRequired));
    field->SetReadOnly(def->Attributes().Contains(faReadonly));
    field->SetFieldType(type);
    field->SetHostDataSet(this);
    field.release();  // owned by this dataset as a component
  }
}

void TDataSet::DropDefaultFields() {
  FieldObjects_->Clear();
}

void TDataSet::BindFieldObjects(bool Binding) {
  CalcAreaSize_ = 0;
  BlobFieldCount_ = 0;
  InternalCalc_ = false;
  for (int i = 0; i < FieldObjects_->Count(); ++i) {
    TField* field = FieldObjects_->Fields(i);
    if (!Binding) {
      field->BindHook(false);
      field->ColumnNo_ = 0;
      continue;
    }
    switch (field->FieldKind()) {
      case fkCalculated:
      case fkLookup:
        if (field->DataType() < ftString || field->DataType() > ftDateTime) {
          RaiseDataErrorFmt(LoadResString(SInvalidCalcType), {field->ShownName()}, this);
        }
        field->ColumnNo_ = -1;
        field->SlotOffset_ = CalcAreaSize_;
        CalcAreaSize_ += field->RawSize() + 1;
        break;
      case fkAggregate:
        field->ColumnNo_ = -1;
        break;
      case fkData:
      case fkInternalCalc: {
        const int entry = FlatFieldDefs_->IndexOfName(field->PathName());
        if (entry < 0) RaiseDataErrorFmt(LoadResString(SFieldNotFound), {field->ShownName()}, this);
        const TFieldDef* def = FlatFieldDefs_->FieldDef(entry);
        field->ColumnNo_ =
            field->FieldKind() == fkInternalCalc ? def->ColumnNo() : FieldNumberOffset_ + entry;
        if (FieldTypeGroup(field->DataType()) != FieldTypeGroup(def->DataType())) {
          RaiseDataErrorFmt(
              LoadResString(SFieldTypeMismatch),
              {field->ShownName(), FieldTypeName(field->DataType()), FieldTypeName(def->DataType())}, this);
        }
        switch (field->DataType()) {
          case ftString:
          case ftBCD:
          case ftBytes:
          case ftVarBytes:
          case ftFixedChar:
          case ftReference:
            if (field->Size() != def->Size()) {
              RaiseDataErrorFmt(LoadResString(SFieldSizeMismatch),
                                {field->ShownName(), field->Size(), def->Size()}, this);
            }
            break;
          default:
            break;
        }
        if (def->InternalCalcField()) InternalCalc_ = true;
        if (field->HoldsBlob()) {
          field->Size_ = static_cast<uint16_t>(def->Size());
          field->SlotOffset_ = BlobFieldCount_++;
        }
        break;
      }
    }
    field->BindHook(true);
  }
}

void TDataSet::ReleaseFieldBuffers() {
  for (int i = 0; i < FieldObjects_->Count(); ++i)
    FieldObjects_->Fields(i)->ReleaseBuffers();
}

void TDataSet::InitRow(TRowBuffer Buffer) {
  CoreClearRow(Buffer);
  ClearCalcArea(Buffer);
  WriteRowMark(Buffer, rmInserted);
}

void TDataSet::ComputeRowCalcFields(TRowBuffer Buffer) {
  if (CalcAreaSize_ == 0 && !InternalCalc_) return;
  const TDataSetMode saved = Mode_;
  Mode_ = dmCalcFields;
  try {
    ComputeCalcFields(Buffer);
  } catch (...) {
    Mode_ = saved;
    throw;
  }
  Mode_ = saved;
}

void TDataSet::ComputeCalcFields(TRowBuffer Buffer) {
  CalcBuffer_ = Buffer;
  if (Mode_ != dmInternalCalc) {
    ClearCalcArea(Buffer);
    // Lookup fields would read their values from their lookup datasets here; this layer
    // keeps no lookup machinery, so their slots stay empty until OnCalcFields fills them.
  }
  FireOnCalcFields();
}
