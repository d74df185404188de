#include "data/register.h"

#include "core/rtti.h"
#include "data/fields/blob_field.h"
#include "data/fields/other_fields.h"
#include "data/fields/string_field.h"
#include "data/links/data_source.h"
#include "data/memory_dataset/memory_dataset.h"

void RegisterDataClasses() {
  RegisterClasses<TDataSource, TwwDataSource, TMemoryDataSet>();
  RegisterClasses<TStringField, TBlobField, TMemoField, TGraphicField>();
  RegisterClasses<TSmallintField, TIntegerField, TWordField, TAutoIncField, TLargeintField, TFloatField,
                  TCurrencyField, TBCDField, TBooleanField, TDateField, TTimeField, TDateTimeField,
                  TBytesField, TVarBytesField, TADTField, TArrayField, TReferenceField, TDataSetField>();
}
