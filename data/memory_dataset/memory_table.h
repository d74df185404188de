#pragma once
// The storage behind TMemoryDataSet: columns and rows kept in memory. It plays the part
// that a database table plays for an engine dataset: the dataset's cursor walks its rows.
//
// Cells hold raw values, the bytes a field object reads: the characters of a string, the
// bytes of a blob, a little-endian integer of the column's raw size, a double, a 16-bit
// truth value. Rows get a stable id, which is the dataset's bookmark.

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/db_types.h"

struct TMemoryColumn {
  std::string Name;
  TFieldType DataType = ftUnknown;
  int Size = 0;
  TFieldAttributes Attributes;
};

// A raw value; none is null.
using TMemoryCell = std::optional<std::string>;

class TMemoryTable {
 public:
  struct TRecord {
    int64_t Id = 0;
    std::vector<TMemoryCell> Cells;
  };

  const std::vector<TMemoryColumn>& Columns() const { return Columns_; }
  int ColumnCount() const { return static_cast<int>(Columns_.size()); }
  // The column of that name (any case), or -1.
  int ColumnIndex(const std::string& Name) const;
  // Raises EDatabaseError for a table that holds rows, a missing name or a string column
  // without a size from 1 to 8192.
  void AddColumn(const TMemoryColumn& Column);
  void SetColumns(const std::vector<TMemoryColumn>& Columns);

  int RowCount() const { return static_cast<int>(Records_.size()); }
  // Appends a row. Each value is given as text: digits for whole numbers, a decimal number
  // for floats, "True"/"False" for truth values, the bytes themselves for strings, blobs and
  // the other kinds; none for null. Raises EDatabaseError for a value that does not fit.
  void AddRow(const std::vector<TMemoryCell>& Values);
  // Removes every row.
  void ClearRows();
  const TRecord& Record(int Row) const { return Records_.at(static_cast<size_t>(Row)); }
  const TMemoryCell& Cell(int Row, int Column) const;

  // For the dataset: rows by position, positions by id.
  std::vector<TRecord>& Records() { return Records_; }
  int64_t NewId() { return NextId_++; }
  // The position of the row with that id (Hint is tried first), or -1.
  int PositionOf(int64_t Id, int Hint) const;
  // Rows were inserted or removed: positions of ids must be looked up anew.
  void PositionsChanged() { IndexValid_ = false; }

  // The raw value for a value given as text (see AddRow).
  static std::string EncodeCell(const TMemoryColumn& Column, const std::string& Text);
  // Bytes of the raw value of a column type that has a fixed width (0 for strings and blobs).
  static int RawWidth(const TMemoryColumn& Column);
  // "Name ftType Size required readonly hidden" and back.
  static TMemoryColumn ParseColumn(const std::string& Line);
  static std::string FormatColumn(const TMemoryColumn& Column);

 private:
  std::vector<TMemoryColumn> Columns_;
  std::vector<TRecord> Records_;
  int64_t NextId_ = 1;
  mutable std::unordered_map<int64_t, int> IndexById_;
  mutable bool IndexValid_ = false;
};
