// TMemoryDataSet: reading and writing field values and blobs of the active row.

#include <algorithm>
#include <cstring>

#include "data/fields/blob_field.h"
#include "data/fields/field.h"
#include "data/memory_dataset/memory_blob_stream.h"
#include "data/memory_dataset/memory_row.h"

bool TMemoryDataSet::ReadFieldData(TField* Field, void* Buffer) {
  const TRow* row = RowForRead();
  if (row == nullptr) return false;
  const int columnNo = Field->ColumnNo();
  if (columnNo <= 0) {
    // Calculated and lookup fields live in the row's calculated area.
    const auto offset = static_cast<size_t>(Field->SlotOffset());
    if (columnNo == 0 || offset >= row->Calc.size() || row->Calc[offset] == 0) return false;
    if (Buffer != nullptr)
      std::memcpy(Buffer, row->Calc.data() + offset + 1, static_cast<size_t>(Field->RawSize()));
    return true;
  }
  const int column = columnNo - 1;
  if (column >= Table_.ColumnCount()) return false;
  const TMemoryColumn& def = Table_.Columns()[static_cast<size_t>(column)];
  if (IsBlobType(def.DataType)) {
    const TMemoryCell blob = BlobValue(*row, Field->SlotOffset(), column);
    return blob && !blob->empty();
  }
  const TMemoryCell& cell = row->Cells[static_cast<size_t>(column)];
  if (!cell) return false;
  if (Buffer != nullptr) {
    const auto size = std::min(cell->size(), static_cast<size_t>(std::max(Field->RawSize(), 0)));
    std::memcpy(Buffer, cell->data(), size);
    // A string's raw value ends with a zero byte.
    if ((def.DataType == ftString || def.DataType == ftFixedChar) &&
        size < static_cast<size_t>(Field->RawSize()))
      static_cast<char*>(Buffer)[size] = '\0';
  }
  return true;
}

void TMemoryDataSet::WriteFieldData(TField* Field, const void* Buffer) {
  TRow* row = nullptr;
  const TDataSetMode mode = Mode();
  if (mode == dmCalcFields || mode == dmInternalCalc) {
    row = AsRow(CalcBuffer());
  } else if (mode == dmEdit || mode == dmInsert) {
    row = AsRow(ActiveBuffer());
  } else {
    RaiseDataError(LoadResString(SNotEditing), this);
  }
  const int columnNo = Field->ColumnNo();
  if (columnNo > 0) {
    if (Field->ReadOnly()) RaiseDataErrorFmt(LoadResString(SFieldReadOnly), {Field->ShownName()}, this);
    if (mode == dmEdit || mode == dmInsert) Field->Validate(Buffer);
    const int column = columnNo - 1;
    const TMemoryColumn& def = Table_.Columns().at(static_cast<size_t>(column));
    if (IsBlobType(def.DataType)) {
      // Blobs are written through OpenBlobStream; here a null clears and a value is taken
      // as zero-terminated bytes.
      const auto blob = static_cast<size_t>(Field->SlotOffset());
      row->PendingBlobs.at(blob) =
          Buffer == nullptr ? std::string() : std::string(static_cast<const char*>(Buffer));
      if (auto* blobField = dynamic_cast<TBlobField*>(Field)) blobField->SetModified(true);
    } else if (Buffer == nullptr) {
      row->Cells[static_cast<size_t>(column)].reset();
    } else if (def.DataType == ftString || def.DataType == ftFixedChar) {
      const auto* text = static_cast<const char*>(Buffer);
      row->Cells[static_cast<size_t>(column)] =
          std::string(text, strnlen(text, static_cast<size_t>(def.Size)));
    } else {
      row->Cells[static_cast<size_t>(column)] =
          std::string(static_cast<const char*>(Buffer), static_cast<size_t>(Field->RawSize()));
    }
  } else if (columnNo < 0) {
    const auto offset = static_cast<size_t>(Field->SlotOffset());
    const auto size = static_cast<size_t>(Field->RawSize());
    if (offset + 1 + size > row->Calc.size()) return;
    row->Calc[offset] = Buffer != nullptr ? 1 : 0;
    if (Buffer != nullptr) {
      std::memcpy(row->Calc.data() + offset + 1, Buffer, size);
    } else {
      std::memset(row->Calc.data() + offset + 1, 0, size);
    }
  } else {
    RaiseDataErrorFmt(LoadResString(SFieldReadOnly), {Field->ShownName()}, this);
  }
  if (mode != dmCalcFields && mode != dmFilter && mode != dmNewValue)
    Notify(dnFieldChange, NoticeInfoOf(Field));
}

// ---- Blobs --------------------------------------------------------------------------------

std::unique_ptr<TStream> TMemoryDataSet::OpenBlobStream(TField* Field, TBlobStreamMode Mode) {
  TRow* row = RowForRead();
  const int column = Field->ColumnNo() - 1;
  const auto blob = static_cast<size_t>(Field->SlotOffset());
  if (row == nullptr || column < 0 || blob >= row->PendingBlobs.size()) {
    if (Mode != bmRead) RaiseDataError(LoadResString(SNotEditing), this);
    return std::make_unique<TStringStream>();
  }
  if (Mode == bmRead) {
    const TMemoryCell bytes = BlobValue(*row, static_cast<int>(blob), column);
    return std::make_unique<TStringStream>(bytes ? std::string_view(*bytes) : std::string_view());
  }
  if (this->Mode() != dmEdit && this->Mode() != dmInsert) RaiseDataError(LoadResString(SNotEditing), this);
  if (Field->ReadOnly()) RaiseDataErrorFmt(LoadResString(SFieldReadOnly), {Field->ShownName()}, this);
  std::string initial;
  if (Mode == bmReadWrite) {
    const TMemoryCell bytes = BlobValue(*row, static_cast<int>(blob), column);
    if (bytes) initial = *bytes;
  }
  row->PendingBlobs[blob] = std::move(initial);
  if (auto* blobField = dynamic_cast<TBlobField*>(Field)) blobField->SetModified(true);
  return std::make_unique<TPendingBlobStream>(&*row->PendingBlobs[blob]);
}

void TMemoryDataSet::ReleaseBlob(TField* Field) {
  if (BufferCount() == 0) return;
  TRow* row = AsRow(ActiveBuffer());
  const auto blob = static_cast<size_t>(Field->SlotOffset());
  if (blob < row->PendingBlobs.size()) row->PendingBlobs[blob].reset();
}

TMemoryCell TMemoryDataSet::BlobValue(const TRow& Row, int BlobIndex, int Column) const {
  const auto blob = static_cast<size_t>(BlobIndex);
  if (blob < Row.PendingBlobs.size() && Row.PendingBlobs[blob]) return Row.PendingBlobs[blob];
  const TMemoryCell* stored = StoredCell(Row, Column);
  return stored != nullptr ? *stored : TMemoryCell();
}

const TMemoryCell* TMemoryDataSet::StoredCell(const TRow& Row, int Column) const {
  if (Row.Id == 0 || Row.Mark != rmCurrent) return nullptr;
  const int position = Table_.PositionOf(Row.Id, Row.Position);
  if (position < 0) return nullptr;
  return &Table_.Record(position).Cells[static_cast<size_t>(Column)];
}

TMemoryDataSet::TRow* TMemoryDataSet::RowForRead() const {
  switch (Mode()) {
    case dmBrowse:
    case dmBlockRead:
      return HasNoRows() ? nullptr : AsRow(ActiveBuffer());
    case dmEdit:
    case dmInsert:
      return AsRow(ActiveBuffer());
    case dmCalcFields:
    case dmInternalCalc:
      return CalcBuffer() != nullptr ? AsRow(CalcBuffer()) : nullptr;
    default:
      return nullptr;
  }
}
