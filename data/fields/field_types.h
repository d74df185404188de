#pragma once
// The kind table: for every TFieldType the field class made for it, its type group (types of
// one group bind to each other) and its name in messages.

#include "data/db_types.h"

class TClassInfo;

// The class of field object made for a column of this type, or none.
const TClassInfo* FieldClassOf(TFieldType Type);
// The group a type belongs to: blob types are all ftBlob, ftCurrency is ftFloat, ...
TFieldType FieldTypeGroup(TFieldType Type);
// "String", "SmallInt", "dBaseOle", ...
const char* FieldTypeName(TFieldType Type);
