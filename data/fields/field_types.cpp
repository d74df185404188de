#include "data/fields/field_types.h"

#include <array>

#include "data/fields/blob_field.h"
#include "data/fields/other_fields.h"
#include "data/fields/string_field.h"

namespace {

struct TKindRow {
  const TClassInfo& (*Class)();
  TFieldType Group;
  const char* Name;
};

constexpr size_t kTypeCount = static_cast<size_t>(ftDataSet) + 1;

const std::array<TKindRow, kTypeCount> kKinds = {{
    {nullptr, ftUnknown, "Unknown"},
    {&TStringField::StaticClassInfo, ftString, "String"},
    {&TSmallintField::StaticClassInfo, ftSmallint, "SmallInt"},
    {&TIntegerField::StaticClassInfo, ftInteger, "Integer"},
    {&TWordField::StaticClassInfo, ftWord, "Word"},
    {&TBooleanField::StaticClassInfo, ftBoolean, "Boolean"},
    {&TFloatField::StaticClassInfo, ftFloat, "Float"},
    {&TCurrencyField::StaticClassInfo, ftFloat, "Currency"},
    {&TBCDField::StaticClassInfo, ftBCD, "BCD"},
    {&TDateField::StaticClassInfo, ftDate, "Date"},
    {&TTimeField::StaticClassInfo, ftTime, "Time"},
    {&TDateTimeField::StaticClassInfo, ftDateTime, "DateTime"},
    {&TBytesField::StaticClassInfo, ftBytes, "Bytes"},
    {&TVarBytesField::StaticClassInfo, ftVarBytes, "VarBytes"},
    {&TAutoIncField::StaticClassInfo, ftInteger, "AutoInc"},
    {&TBlobField::StaticClassInfo, ftBlob, "Blob"},
    {&TMemoField::StaticClassInfo, ftBlob, "Memo"},
    {&TGraphicField::StaticClassInfo, ftBlob, "Graphic"},
    {&TBlobField::StaticClassInfo, ftBlob, "FmtMemo"},
    {&TBlobField::StaticClassInfo, ftBlob, "ParadoxOle"},
    {&TBlobField::StaticClassInfo, ftBlob, "dBaseOle"},
    {&TBlobField::StaticClassInfo, ftBlob, "TypedBinary"},
    {nullptr, ftUnknown, "Cursor"},
    {&TStringField::StaticClassInfo, ftString, "FixedChar"},
    {nullptr, ftUnknown, "WideString"},
    {&TLargeintField::StaticClassInfo, ftLargeint, "LargeInt"},
    {&TADTField::StaticClassInfo, ftADT, "ADT"},
    {&TArrayField::StaticClassInfo, ftArray, "Array"},
    {&TReferenceField::StaticClassInfo, ftReference, "Reference"},
    {&TDataSetField::StaticClassInfo, ftDataSet, "DataSet"},
}};

const TKindRow& Row(TFieldType Type) {
  const auto i = static_cast<size_t>(Type);
  return kKinds[i < kTypeCount ? i : 0];
}

}  // namespace

const TClassInfo* FieldClassOf(TFieldType Type) {
  const TKindRow& row = Row(Type);
  return row.Class != nullptr ? &row.Class() : nullptr;
}

TFieldType FieldTypeGroup(TFieldType Type) {
  return Row(Type).Group;
}

const char* FieldTypeName(TFieldType Type) {
  return Row(Type).Name;
}
