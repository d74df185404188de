// TMemoryDataSet: every abstract operation of TDataSet over an in-memory table. Each override
// says what the base expects of it; an engine dataset does the same against its cursor.

#include "data/memory_dataset/memory_dataset.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "data/dataset_published.h"
#include "data/fields/blob_field.h"
#include "data/fields/field.h"
#include "data/links/data_source.h"
#include "data/links/master_data_link.h"
#include "data/memory_dataset/memory_blob_stream.h"

// A row buffer: the row's place in the table, its mark, copies of its scalar cells (blobs
// stay in the table and are read on demand), blobs written since the row was fetched, and
// the calculated area (per calculated field: a has-value byte, then its raw value).
struct TMemoryDataSet::TRow {
  TRowMark Mark = rmCurrent;
  int64_t Id = 0;     // the bookmark; 0 for a row not yet in the table
  int Position = -1;  // where the row stood when fetched (a hint)
  std::vector<TMemoryCell> Cells;
  std::vector<TMemoryCell> PendingBlobs;
  std::vector<char> Calc;
};

const TClassInfo& TMemoryDataSet::StaticClassInfo() {
  static const TClassInfo info =
      PublishDataSetMembers(TClassBuilder<TMemoryDataSet>("TMemoryDataSet", &TDataSet::StaticClassInfo()))
          .Property("Columns", &TMemoryDataSet::Columns, &TMemoryDataSet::SetColumns)
          .Property("MasterFields", &TMemoryDataSet::MasterFields, &TMemoryDataSet::SetMasterFields)
          .Property("MasterSource", &TMemoryDataSet::MasterSource, &TMemoryDataSet::SetMasterSource)
          .Property("ReadOnly", &TMemoryDataSet::ReadOnly, &TMemoryDataSet::SetReadOnly)
          .Default(false)
          .Build();
  return info;
}

TMemoryDataSet::TMemoryDataSet(TComponent* AOwner)
    : TDataSet(AOwner),
      ColumnLines_(std::make_unique<TStringList>()),
      MasterLink_(std::make_unique<TMasterDataLink>(this)) {
  ColumnLines_->OnChange = [this](TObject*) { ColumnsChanged(); };
  MasterLink_->OnMasterChange = [this](TObject*) { MasterChanged(); };
  MasterLink_->OnMasterDisable = [this](TObject*) { MasterDisabled(); };
}

TMemoryDataSet::~TMemoryDataSet() {
  // The base cannot close: its destructor runs when these operations are gone.
  CloseForDestruction();
  MasterLink_->OnMasterChange = nullptr;
  MasterLink_->OnMasterDisable = nullptr;
}

// ---- Published properties ----------------------------------------------------------------

void TMemoryDataSet::SetColumns(TStrings* Value) {
  if (Value != nullptr) ColumnLines_->Assign(*Value);
}

void TMemoryDataSet::ColumnsChanged() {
  if (UpdatingLines_) return;
  auto restoreLines = [this]() {
    UpdatingLines_ = true;
    ColumnLines_->BeginUpdate();
    ColumnLines_->Clear();
    for (const TMemoryColumn& column : Table_.Columns())
      ColumnLines_->Add(TMemoryTable::FormatColumn(column));
    ColumnLines_->EndUpdate();
    UpdatingLines_ = false;
  };
  try {
    EnsureInactive();
    std::vector<TMemoryColumn> columns;
    for (int i = 0; i < ColumnLines_->Count(); ++i) {
      const std::string line = ColumnLines_->Get(i);
      if (line.find_first_not_of(' ') != std::string::npos)
        columns.push_back(TMemoryTable::ParseColumn(line));
    }
    Table_.SetColumns(columns);
  } catch (...) {
    restoreLines();
    throw;
  }
  FieldDefs()->SetUpdated(false);
}

void TMemoryDataSet::SetReadOnly(bool Value) {
  if (Value == ReadOnly_) return;
  EnsureInactive();
  ReadOnly_ = Value;
}

TDataSource* TMemoryDataSet::MasterSource() const {
  return MasterLink_->DataSource();
}

void TMemoryDataSet::SetMasterSource(TDataSource* Value) {
  if (Value == MasterSource()) return;
  if (Value != nullptr && IsLinkedTo(Value)) RaiseDataError(LoadResString(SCircularDataLink), this);
  MasterLink_->SetDataSource(Value);
}

const std::string& TMemoryDataSet::MasterFields() const {
  return MasterLink_->FieldNames();
}

void TMemoryDataSet::SetMasterFields(const std::string& Value) {
  MasterLink_->SetFieldNames(Value);
}

// ---- Row buffers --------------------------------------------------------------------------

// NewRowBuffer: one buffer able to hold any row of the open cursor. Called after CoreOpen has
// bound the fields, so the number of blob fields and the calculated area are known.
TRowBuffer TMemoryDataSet::NewRowBuffer() {
  auto row = std::make_unique<TRow>();
  row->Cells.resize(static_cast<size_t>(Table_.ColumnCount()));
  row->PendingBlobs.resize(static_cast<size_t>(BlobFieldCount()));
  row->Calc.assign(static_cast<size_t>(CalcAreaSize()), 0);
  return reinterpret_cast<TRowBuffer>(row.release());
}

// DisposeRowBuffer: frees a buffer from NewRowBuffer and clears the caller's pointer.
void TMemoryDataSet::DisposeRowBuffer(TRowBuffer& Buffer) {
  delete AsRow(Buffer);
  Buffer = nullptr;
}

// CoreClearRow: blanks a buffer for a new row (every value null, no place in the table).
void TMemoryDataSet::CoreClearRow(TRowBuffer Buffer) {
  TRow* row = AsRow(Buffer);
  row->Id = 0;
  row->Position = -1;
  for (TMemoryCell& cell : row->Cells)
    cell.reset();
  for (TMemoryCell& blob : row->PendingBlobs)
    blob.reset();
}

void TMemoryDataSet::ClearCalcArea(TRowBuffer Buffer) {
  std::vector<char>& calc = AsRow(Buffer)->Calc;
  std::fill(calc.begin(), calc.end(), 0);
}

// ReadBookmark / WriteBookmark: the bookmark is the row's id (BookmarkSize 8 bytes). Writing
// one into a buffer makes the buffer stand for that row (an inserted row remembers the row
// it stands before this way).
void TMemoryDataSet::ReadBookmark(TRowBuffer Buffer, void* Dest) {
  std::memcpy(Dest, &AsRow(Buffer)->Id, sizeof(int64_t));
}

void TMemoryDataSet::WriteBookmark(TRowBuffer Buffer, const void* Bookmark) {
  TRow* row = AsRow(Buffer);
  std::memcpy(&row->Id, Bookmark, sizeof(int64_t));
  row->Position = -1;
}

// ReadRowMark / WriteRowMark: where the buffer's row stands; the window uses it to place the
// cursor (rmBOF: before the first row, rmEOF: after the last, otherwise on the row).
TRowMark TMemoryDataSet::ReadRowMark(TRowBuffer Buffer) {
  return AsRow(Buffer)->Mark;
}

void TMemoryDataSet::WriteRowMark(TRowBuffer Buffer, TRowMark Mark) {
  AsRow(Buffer)->Mark = Mark;
}

// RowSize: bytes of one row's fixed part.
uint16_t TMemoryDataSet::RowSize() {
  int size = 0;
  for (const TMemoryColumn& column : Table_.Columns())
    size += column.DataType == ftString || column.DataType == ftFixedChar ? column.Size + 1
                                                                          : TMemoryTable::RawWidth(column);
  return static_cast<uint16_t>(std::min(size, 65535));
}

// ---- The cursor ---------------------------------------------------------------------------

bool TMemoryDataSet::InRange(int Position) const {
  if (!RangeActive_) return true;
  const TMemoryTable::TRecord& record = Table_.Record(Position);
  for (size_t i = 0; i < RangeColumns_.size(); ++i) {
    if (record.Cells[static_cast<size_t>(RangeColumns_[i])] != RangeValues_[i]) return false;
  }
  return true;
}

// The next row in Direction (1 or -1) from position From that lies in the range; -1 or
// RowCount when there is none.
int TMemoryDataSet::Step(int From, int Direction) const {
  const int count = Table_.RowCount();
  int p = From;
  while (p >= 0 && p < count && !InRange(p))
    p += Direction;
  return std::clamp(p, -1, count);
}

// CoreToStart / CoreToEnd: the cursor before the first row, after the last.
void TMemoryDataSet::CoreToStart() {
  Position_ = -1;
  OnRow_ = false;
}

void TMemoryDataSet::CoreToEnd() {
  Position_ = Table_.RowCount();
  OnRow_ = false;
}

// CoreToRow: the cursor onto the row a buffer holds (for an inserted row, the row it stands
// before). A row that has gone raises "Record not found".
void TMemoryDataSet::CoreToRow(TRowBuffer Buffer) {
  const TRow* row = AsRow(Buffer);
  const int position = Table_.PositionOf(row->Id, row->Position);
  if (position < 0) RaiseDataError(LoadResString(SRecordNotFound), this);
  Position_ = position;
  OnRow_ = true;
}

void TMemoryDataSet::CoreToBookmark(const void* Bookmark) {
  int64_t id = 0;
  std::memcpy(&id, Bookmark, sizeof id);
  const int position = Table_.PositionOf(id, -1);
  if (position < 0) RaiseDataError(LoadResString(SRecordNotFound), this);
  Position_ = position;
  OnRow_ = true;
}

// FetchRow: reads the cursor's row (fmCurrent) or moves it one row on (fmNext, fmPrior) and
// reads that row into the buffer: mark rmCurrent, bookmark, values, calculated fields. At an
// end the cursor stays off the rows and the result is frBOF or frEOF. A memory table cannot
// fail otherwise; an engine dataset raises its error when Check is set and answers frError
// when it is not.
TFetchResult TMemoryDataSet::FetchRow(TRowBuffer Buffer, TFetchMode Mode, bool /*Check*/) {
  const int count = Table_.RowCount();
  switch (Mode) {
    case fmCurrent:
      if (!OnRow_ || Position_ < 0 || Position_ >= count) return Position_ < 0 ? frBOF : frEOF;
      break;
    case fmNext: {
      const int next = Step(OnRow_ ? Position_ + 1 : std::max(Position_, 0), 1);
      if (next >= count) {
        Position_ = count;
        OnRow_ = false;
        return frEOF;
      }
      Position_ = next;
      OnRow_ = true;
      break;
    }
    case fmPrior: {
      const int prior = Step(std::min(Position_, count) - 1, -1);
      if (prior < 0) {
        Position_ = -1;
        OnRow_ = false;
        return frBOF;
      }
      Position_ = prior;
      OnRow_ = true;
      break;
    }
  }
  TRow* row = AsRow(Buffer);
  const TMemoryTable::TRecord& record = Table_.Record(Position_);
  row->Mark = rmCurrent;
  row->Id = record.Id;
  row->Position = Position_;
  for (const int column : ScalarColumns_)
    row->Cells[static_cast<size_t>(column)] = record.Cells[static_cast<size_t>(column)];
  for (TMemoryCell& blob : row->PendingBlobs)
    blob.reset();
  ComputeRowCalcFields(Buffer);
  return frOK;
}

// ---- Opening and closing ------------------------------------------------------------------

// CoreDescribeFields: fills FieldDefs with the cursor's columns (here: the table's).
void TMemoryDataSet::CoreDescribeFields() {
  TFieldDefs* defs = FieldDefs();
  defs->BeginUpdate();
  try {
    defs->Clear();
    for (const TMemoryColumn& column : Table_.Columns()) {
      TFieldDef* def = defs->AddDef(column.Name, column.DataType, column.Size);
      def->SetAttributes(column.Attributes);
    }
  } catch (...) {
    defs->EndUpdate();
    throw;
  }
  defs->EndUpdate();
}

// CoreOpen: opens the cursor before the first row, refreshes FieldDefs, makes default
// fields when none were declared and binds the fields to the columns (which checks them).
void TMemoryDataSet::CoreOpen() {
  Open_ = true;
  Position_ = -1;
  OnRow_ = false;
  FieldDefs()->SetUpdated(false);
  FieldDefs()->Update();
  SetBookmarkSize(sizeof(int64_t));
  if (MadeDefaultFields()) MakeDefaultFields();
  BindFieldObjects(true);

  ScalarColumns_.clear();
  for (int i = 0; i < Table_.ColumnCount(); ++i) {
    if (!IsBlobType(Table_.Columns()[static_cast<size_t>(i)].DataType)) ScalarColumns_.push_back(i);
  }
  BlobColumns_.assign(static_cast<size_t>(BlobFieldCount()), -1);
  for (int i = 0; i < FieldObjects()->Count(); ++i) {
    TField* field = FieldObjects()->Fields(i);
    if (field->HoldsBlob() && field->ColumnNo() > 0)
      BlobColumns_[static_cast<size_t>(field->SlotOffset())] = field->ColumnNo() - 1;
  }
}

// CoreClose: releases the cursor, unbinds the fields and drops the fields CoreOpen made.
// It must cope with a cursor that only half opened.
void TMemoryDataSet::CoreClose() {
  Open_ = false;
  Position_ = -1;
  OnRow_ = false;
  RangeActive_ = false;
  BindFieldObjects(false);
  if (MadeDefaultFields()) DropDefaultFields();
}

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

// ---- Master source ------------------------------------------------------------------------

void TMemoryDataSet::MasterChanged() {
  EnsureBrowse();
  std::vector<int> columns;
  std::vector<TMemoryCell> values;
  for (TField* master : MasterLink_->Fields()) {
    const int column = Table_.ColumnIndex(master->FieldName());
    if (column < 0) RaiseDataErrorFmt(LoadResString(SFieldNotFound), {master->FieldName()}, this);
    std::vector<char> raw(static_cast<size_t>(std::max(master->RawSize(), 1)) + 1, '\0');
    TMemoryCell value;
    if (master->ReadRaw(raw.data())) {
      const TFieldType type = master->DataType();
      value = type == ftString || type == ftFixedChar
                  ? std::string(raw.data())
                  : std::string(raw.data(), static_cast<size_t>(master->RawSize()));
    }
    columns.push_back(column);
    values.push_back(std::move(value));
  }
  RangeColumns_ = std::move(columns);
  RangeValues_ = std::move(values);
  RangeActive_ = true;
  GoFirst();
}

void TMemoryDataSet::MasterDisabled() {
  EnsureBrowse();
  SyncCursor();
  if (!RangeActive_) return;
  RangeActive_ = false;
  Refetch({});
}
