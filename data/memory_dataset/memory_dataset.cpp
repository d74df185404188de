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
#include "data/memory_dataset/memory_row.h"

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

// RowCount / RowNumber: the rows the cursor can reach (within the master's range), and the
// active row's place among them.
int TMemoryDataSet::RowCount() const {
  if (!Open_) return -1;
  if (!RangeActive_) return Table_.RowCount();
  int count = 0;
  for (int i = 0; i < Table_.RowCount(); ++i)
    count += InRange(i) ? 1 : 0;
  return count;
}

int TMemoryDataSet::RowNumber() const {
  if (!Open_ || HasNoRows()) return -1;
  const TRow* row = AsRow(ActiveBuffer());
  if (row->Mark != rmCurrent) return -1;
  const int position = Table_.PositionOf(row->Id, row->Position);
  if (position < 0) return -1;
  int number = 0;
  for (int i = 0; i <= position; ++i)
    number += InRange(i) ? 1 : 0;
  return number;
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
