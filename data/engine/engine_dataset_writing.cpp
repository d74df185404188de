// TEngineDataSet: the engine's steps of editing, inserting, posting, cancelling and deleting
// records, and writing field values into the record being edited.
//
// An edit begins by reading the record afresh with a write lock: the engine remembers that
// reading, and a post that finds the file's row changed since (another program wrote it)
// fails with "Record changed or deleted by another user" instead of overwriting it. Every
// engine failure is raised as EDBEngineError, so the dataset's error-retry loop offers it to
// OnEditError, OnPostError or OnDeleteError with the engine's status and texts.

#include <algorithm>
#include <cstring>
#include <vector>

#include "data/data_strings.h"
#include "data/engine/engine_dataset.h"
#include "data/engine/engine_entries.h"
#include "data/engine/engine_error.h"
#include "data/fields/field.h"

void TEngineDataSet::CoreBeginEdit() {
  TRowBuffer buffer = ActiveBuffer();
  EngRecordProps props{};
  CheckEngine(DbEngine.EngGetRecord(Handle_, ENG_LOCK_WRITE, buffer, &props));
  LastRecordProps_ = props;
  // The record was read again: blobs cached from the earlier reading may be stale.
  Layout_.ClearBlobCache(buffer);
}

void TEngineDataSet::CoreBeginInsert() {
  CheckEngine(DbEngine.EngInitRecord(Handle_, ActiveBuffer()));
}

void TEngineDataSet::CoreCancelEdit() {
  if (Handle_ == 0) return;
  // The engine drops the record's pending blob writes and its edit. A failure here is not
  // reported: the dataset leaves the edit either way, and closing the cursor frees the rest.
  DbEngine.EngCancelRecord(Handle_, nullptr);
}

void TEngineDataSet::CorePost() {
  TRowBuffer buffer = ActiveBuffer();
  if (Mode() == dmEdit) {
    CheckEngine(DbEngine.EngModifyRecord(Handle_, buffer, 1));
  } else {
    CheckEngine(DbEngine.EngInsertRecord(Handle_, ENG_LOCK_NONE, buffer));
  }
}

void TEngineDataSet::CoreAddRow(TRowBuffer Buffer, bool Append) {
  // The engine keeps records in the order they were written, so a new one always goes last.
  if (Append) CheckEngine(DbEngine.EngSetToEnd(Handle_));
  CheckEngine(DbEngine.EngInsertRecord(Handle_, ENG_LOCK_NONE, Buffer));
}

void TEngineDataSet::CoreDelete() {
  CheckEngine(DbEngine.EngDeleteRecord(Handle_, ActiveBuffer()));
}

void TEngineDataSet::CoreRefresh() {
  // The engine's cursor keeps the rows it has read, so only a new cursor sees what others
  // wrote since. Its bookmarks belong to it alone: the active row is found again by its row
  // id; when it is gone, the new cursor stands before the first row.
  int64_t rowId = 0;
  const bool onRow = !HasNoRows() && ReadRowMark(ActiveBuffer()) == rmCurrent;
  if (onRow) std::memcpy(&rowId, ActiveBuffer() + kRowIdOffset, sizeof rowId);
  const EngHandle fresh = CreateHandle();
  if (fresh == 0) RaiseNoResultSet(this);
  const EngHandle old = Handle_;
  Handle_ = fresh;
  DbEngine.EngReleaseRecordLock(old, 1);
  DbEngine.EngCloseCursor(old);
  if (!onRow) return;
  EngRecordProps props{};
  while (ENG_STATUS(DbEngine.EngGetNextRecord(Handle_, ENG_LOCK_NONE, nullptr, &props)) == ENG_OK) {
    if (props.rowId == rowId) return;
  }
  CheckEngine(DbEngine.EngSetToBegin(Handle_));
}

// ---- Field values -------------------------------------------------------------------------

size_t TEngineDataSet::EngineLength(int FieldNumber) const {
  if (FieldNumber < 1 || static_cast<size_t>(FieldNumber) > FieldDescs_.size()) return 0;
  return FieldDescs_[static_cast<size_t>(FieldNumber) - 1].length;
}

void TEngineDataSet::WriteFieldData(TField* Field, const void* Buffer) {
  const TDataSetMode mode = Mode();
  if (Field->ColumnNo() >= 1) {
    WriteColumn(Field, Buffer);
    return;
  }
  // Calculated values live in the record buffer, which the program may write.
  TRowBuffer record = mode == dmCalcFields                 ? CalcBuffer()
                      : mode == dmEdit || mode == dmInsert ? ActiveBuffer()
                                                           : nullptr;
  if (record == nullptr) RaiseDataError(LoadResString(SNotEditing), this);
  char* slot = Layout_.Calc(record) + Field->SlotOffset();
  const auto size = static_cast<size_t>(std::max(Field->RawSize(), 0));
  slot[0] = Buffer != nullptr ? 1 : 0;
  if (Buffer != nullptr) {
    std::memcpy(slot + 1, Buffer, size);
  } else {
    std::memset(slot + 1, 0, size);
  }
  if (mode != dmCalcFields && mode != dmFilter && mode != dmNewValue)
    Notify(dnFieldChange, NoticeInfoOf(Field));
}

void TEngineDataSet::WriteColumn(TField* Field, const void* Buffer) {
  const TDataSetMode mode = Mode();
  if (mode != dmEdit && mode != dmInsert) RaiseDataError(LoadResString(SNotEditing), this);
  if (Field->ReadOnly()) RaiseDataErrorFmt(LoadResString(SFieldReadOnly), {Field->ShownName()}, this);
  Field->Validate(Buffer);
  // The engine takes its own length of the value: a field's raw value that is shorter (a
  // declared string field smaller than its column cannot bind, but a number may be) is
  // widened with zero bytes.
  const size_t engineLength = EngineLength(Field->ColumnNo());
  const size_t rawSize = static_cast<size_t>(std::max(Field->RawSize(), 0));
  const void* source = Buffer;
  std::vector<char> widened;
  if (Buffer != nullptr && engineLength > rawSize) {
    widened.assign(engineLength, '\0');
    std::memcpy(widened.data(), Buffer, rawSize);
    source = widened.data();
  }
  CheckEngine(
      DbEngine.EngPutField(Handle_, static_cast<uint16_t>(Field->ColumnNo()), ActiveBuffer(), source));
  Notify(dnFieldChange, NoticeInfoOf(Field));
}
