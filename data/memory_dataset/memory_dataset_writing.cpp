// TMemoryDataSet: writing rows into the table: post, add and delete.

#include <algorithm>
#include <exception>

#include "data/memory_dataset/memory_row.h"

// ---- Writing rows -------------------------------------------------------------------------

TMemoryTable::TRecord TMemoryDataSet::RecordFrom(const TRow& Row, int64_t Id) const {
  TMemoryTable::TRecord record;
  record.Id = Id;
  record.Cells = Row.Cells;
  for (size_t blob = 0; blob < BlobColumns_.size(); ++blob) {
    const int column = BlobColumns_[blob];
    if (column >= 0)
      record.Cells[static_cast<size_t>(column)] = BlobValue(Row, static_cast<int>(blob), column);
  }
  // Blob columns without a bound field keep what the table holds.
  const TMemoryCell* stored = nullptr;
  for (int column = 0; column < Table_.ColumnCount(); ++column) {
    if (!IsBlobType(Table_.Columns()[static_cast<size_t>(column)].DataType)) continue;
    if (std::find(BlobColumns_.begin(), BlobColumns_.end(), column) != BlobColumns_.end()) continue;
    stored = StoredCell(Row, column);
    record.Cells[static_cast<size_t>(column)] = stored != nullptr ? *stored : TMemoryCell();
  }
  return record;
}

// CorePost: writes the active row. In dmEdit the cursor stands on the row (the base placed it
// with SyncCursor); in dmInsert the new row goes where the cursor stands: before its row,
// or at the start or the end. Afterwards the cursor stands on the written row, where
// Refetch reads it again.
void TMemoryDataSet::CorePost() {
  const TRow& row = *AsRow(ActiveBuffer());
  std::vector<TMemoryTable::TRecord>& records = Table_.Records();
  if (Mode() == dmEdit) {
    if (!OnRow_) RaiseDataError(LoadResString(SRecordNotFound), this);
    records[static_cast<size_t>(Position_)] = RecordFrom(row, records[static_cast<size_t>(Position_)].Id);
    return;
  }
  const int position = std::clamp(Position_, 0, Table_.RowCount());
  records.insert(records.begin() + position, RecordFrom(row, Table_.NewId()));
  Table_.PositionsChanged();
  Position_ = position;
  OnRow_ = true;
}

// CoreAddRow: adds a buffer's row to the table without touching the window: at the end
// (Append) or before the cursor's row. The cursor then stands on the new row.
void TMemoryDataSet::CoreAddRow(TRowBuffer Buffer, bool Append) {
  const int position = Append ? Table_.RowCount() : std::clamp(Position_, 0, Table_.RowCount());
  std::vector<TMemoryTable::TRecord>& records = Table_.Records();
  records.insert(records.begin() + position, RecordFrom(*AsRow(Buffer), Table_.NewId()));
  Table_.PositionsChanged();
  Position_ = position;
  OnRow_ = true;
}

// CoreDelete: deletes the cursor's row; the cursor then stands where it was, between rows,
// so that Refetch finds the next row (or the prior one at the end).
void TMemoryDataSet::CoreDelete() {
  if (!OnRow_) RaiseDataError(LoadResString(SRecordNotFound), this);
  std::vector<TMemoryTable::TRecord>& records = Table_.Records();
  records.erase(records.begin() + Position_);
  Table_.PositionsChanged();
  OnRow_ = false;
}

// CoreShowException: reports the exception being handled while a layout opens the dataset
// at design time. Without a screen, the message is kept for whoever asks.
void TMemoryDataSet::CoreShowException() {
  try {
    std::rethrow_exception(std::current_exception());
  } catch (const std::exception& e) {
    LastShownError_ = e.what();
  } catch (...) {
    LastShownError_.clear();
  }
}
