#pragma once
// Messages of the data layer.

#include "core/string_table.h"

// Datasets
inline constexpr TResString SDataSetClosed{"SDataSetClosed",
                                           "Cannot perform this operation on a closed dataset"};
inline constexpr TResString SDataSetOpen{"SDataSetOpen", "Cannot perform this operation on an open dataset"};
inline constexpr TResString SRecordNotFound{"SRecordNotFound", "Record not found"};
inline constexpr TResString SDataSetReadOnly{"SDataSetReadOnly", "Cannot modify a read-only dataset"};
inline constexpr TResString SDataSetEmpty{"SDataSetEmpty",
                                          "Cannot perform this operation on an empty dataset"};
inline constexpr TResString SNotEditing{"SNotEditing", "Dataset not in edit or insert mode"};
inline constexpr TResString SFieldRequired{"SFieldRequired", "Field '%s' must have a value"};
inline constexpr TResString SFieldReadOnly{"SFieldReadOnly", "Field '%s' cannot be modified"};

// Data sources and links
inline constexpr TResString SCircularDataLink{"SCircularDataLink", "Circular datalinks are not allowed"};
inline constexpr TResString SDataSourceFixed{"SDataSourceFixed", "DataSource cannot be changed"};
inline constexpr TResString SInvalidBufferSize{"SInvalidBufferSize", "Invalid buffer size %d"};
inline constexpr TResString SInvalidActiveIndex{"SInvalidActiveIndex", "Row index %d is outside the window"};

// Fields and field definitions
inline constexpr TResString SFieldNotFound{"SFieldNotFound", "Field '%s' not found"};
inline constexpr TResString SInvalidCalcType{"SInvalidCalcType",
                                             "Field '%s' cannot be a calculated or lookup field"};
inline constexpr TResString SFieldTypeMismatch{"SFieldTypeMismatch",
                                               "Type mismatch for field '%s', expecting: %s actual: %s"};
inline constexpr TResString SFieldSizeMismatch{"SFieldSizeMismatch",
                                               "Size mismatch for field '%s', expecting: %d actual: %d"};
inline constexpr TResString SUnknownFieldType{"SUnknownFieldType", "Field '%s' is of an unknown type"};
inline constexpr TResString SFieldNameMissing{"SFieldNameMissing", "Field name missing"};
inline constexpr TResString SDuplicateFieldName{"SDuplicateFieldName", "Duplicate field name '%s'"};
inline constexpr TResString SInvalidFieldKind{"SInvalidFieldKind", "Invalid FieldKind"};
inline constexpr TResString SDataSetMissing{"SDataSetMissing", "Field '%s' has no dataset"};
inline constexpr TResString SInvalidFieldSize{"SInvalidFieldSize", "Invalid field size"};
inline constexpr TResString SInvalidBlobType{"SInvalidBlobType", "Invalid blob type for field '%s'"};
inline constexpr TResString SValueTooLong{"SValueTooLong",
                                          "Value too long for field '%s' (at most %d characters)"};
inline constexpr TResString SFieldAccessError{"SFieldAccessError", "Cannot access field '%s' as type %s"};

// The in-memory dataset
inline constexpr TResString SInvalidColumnDef{"SInvalidColumnDef", "Invalid column definition '%s'"};
inline constexpr TResString SRowShape{"SRowShape", "A row of %d values does not fit %d columns"};
inline constexpr TResString SInvalidCellValue{"SInvalidCellValue", "Invalid value '%s' for column '%s'"};
inline constexpr TResString SInvalidFieldValue{"SInvalidFieldValue",
                                               "'%s' is not a valid value for field '%s'"};
inline constexpr TResString SColumnsWithRows{"SColumnsWithRows",
                                             "Cannot change the columns of a table that holds rows"};
