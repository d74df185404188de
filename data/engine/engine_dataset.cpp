// TEngineDataSet: the cursor, the record buffers and fetching.

#include "data/engine/engine_dataset.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "core/scope_exit.h"
#include "data/dataset_published.h"
#include "data/engine/engine_entries.h"
#include "data/engine/engine_error.h"
#include "data/engine/engine_hooks.h"
#include "data/engine/engine_text.h"
#include "data/fields/field.h"

const TClassInfo& TEngineDataSet::StaticClassInfo() {
  static const TClassInfo info =
      PublishDataSetMembers(TClassBuilder<TEngineDataSet>("TEngineDataSet", &TDataSet::StaticClassInfo()))
          .Property("CachedUpdates", &TEngineDataSet::CachedUpdates, &TEngineDataSet::SetCachedUpdates)
          .Default(false)
          .Property("ObjectView", &TDataSet::ObjectView, &TDataSet::SetObjectView)
          .Default(false)
          .Event("OnUpdateError", &TEngineDataSet::OnUpdateError)
          .Event("OnUpdateRecord", &TEngineDataSet::OnUpdateRecord)
          .Build();
  return info;
}

TEngineDataSet::TEngineDataSet(TComponent* AOwner) : TDataSet(AOwner) {}

TEngineDataSet::~TEngineDataSet() {
  CloseForDestruction();
}

void TEngineDataSet::SetCachedUpdates(bool Value) {
  if (Value == CachedUpdates_) return;
  EnsureInactive();
  CachedUpdates_ = Value;
}

// ---- Opening and closing ------------------------------------------------------------------

void TEngineDataSet::StartCursor(bool InfoOnly) {
  Handle_ = CreateHandle();
  if (Handle_ == 0) RaiseNoResultSet(this);
  char driver[ENG_NAME_BUFFER] = {};
  if (ENG_STATUS(DbEngine.EngGetLanguageDriver(Handle_, driver)) == ENG_OK)
    LanguageDriver_ = FixedText(driver, ENG_MAX_NAME_LEN);
  TDataSet::StartCursor(InfoOnly);
}

void TEngineDataSet::StopCursor() {
  std::exception_ptr failure;
  try {
    TDataSet::StopCursor();
  } catch (...) {
    failure = std::current_exception();
  }
  LanguageDriver_.clear();  // back to the default session's, which has none
  if (Handle_ != 0) {
    try {
      DestroyHandle();
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  }
  Handle_ = 0;
  if (failure) std::rethrow_exception(failure);
}

void TEngineDataSet::DestroyHandle() {
  DbEngine.EngReleaseRecordLock(Handle_, 1);
  const EngHandle handle = Handle_;
  Handle_ = 0;
  CheckEngine(DbEngine.EngCloseCursor(handle));
}

void TEngineDataSet::CoreOpen() {
  EngCursorProps props{};
  CheckEngine(DbEngine.EngGetCursorProps(Handle_, &props));
  SetBookmarkSize(static_cast<int>(props.bookmarkSize));
  CanModify_ = props.openMode != ENG_OPEN_READONLY && props.rightsReadOnly == 0;
  RecordNumberKind_ = props.recordNumberKind == ENG_RECNO_SEQUENCE   ? rkSequence
                      : props.recordNumberKind == ENG_RECNO_PHYSICAL ? rkPhysical
                                                                     : rkNone;
  FieldDefs()->SetUpdated(false);
  FieldDefs()->Update();
  if (MadeDefaultFields()) MakeDefaultFields();
  BindFieldObjects(true);
  Layout_.Build(props.recordSize, static_cast<size_t>(CalcAreaSize()), static_cast<size_t>(BlobFieldCount()),
                props.bookmarkSize);
  KeyBuffer_ = Layout_.New();
  CheckEngine(DbEngine.EngSetToBegin(Handle_));
  PrepareCursor();
  ActivateFilters();
}

void TEngineDataSet::CoreClose() {
  Layout_.Dispose(KeyBuffer_);
  FilterBuffer_ = nullptr;
  BindFieldObjects(false);
  if (MadeDefaultFields()) DropDefaultFields();
  FieldDescs_.clear();
  CanModify_ = false;
}

// ---- Record buffers -----------------------------------------------------------------------

TRowBuffer TEngineDataSet::NewRowBuffer() {
  return Layout_.New();
}

void TEngineDataSet::DisposeRowBuffer(TRowBuffer& Buffer) {
  Layout_.Dispose(Buffer);
}

uint16_t TEngineDataSet::RowSize() {
  return static_cast<uint16_t>(std::min<size_t>(Layout_.RecordSize(), 65535));
}

void TEngineDataSet::ReadBookmark(TRowBuffer Buffer, void* Dest) {
  std::memcpy(Dest, Layout_.Bookmark(Buffer), static_cast<size_t>(BookmarkSize()));
}

void TEngineDataSet::WriteBookmark(TRowBuffer Buffer, const void* Bookmark) {
  std::memcpy(Layout_.Bookmark(Buffer), Bookmark, static_cast<size_t>(BookmarkSize()));
}

TRowMark TEngineDataSet::ReadRowMark(TRowBuffer Buffer) {
  return static_cast<TRowMark>(Layout_.ReadInfo(Buffer).RowMark);
}

void TEngineDataSet::WriteRowMark(TRowBuffer Buffer, TRowMark Mark) {
  TRecordInfo info = Layout_.ReadInfo(Buffer);
  info.RowMark = static_cast<uint8_t>(Mark);
  Layout_.WriteInfo(Buffer, info);
}

void TEngineDataSet::ClearCalcArea(TRowBuffer Buffer) {
  std::memset(Layout_.Calc(Buffer), 0, static_cast<size_t>(CalcAreaSize()));
}

void TEngineDataSet::CoreClearRow(TRowBuffer Buffer) {
  std::memset(Buffer, 0, Layout_.RecordSize());
  for (const EngFieldDesc& desc : FieldDescs_) {
    if (desc.nullOffset < Layout_.RecordSize()) Buffer[desc.nullOffset] = 1;
  }
  Layout_.ClearBlobCache(Buffer);
  Layout_.WriteInfo(Buffer, TRecordInfo{});
}

bool TEngineDataSet::FieldIsBlank(TRowBuffer Buffer, int FieldNumber) const {
  if (FieldNumber < 1 || static_cast<size_t>(FieldNumber) > FieldDescs_.size()) return false;
  const EngFieldDesc& desc = FieldDescs_[static_cast<size_t>(FieldNumber) - 1];
  return desc.nullOffset < Layout_.RecordSize() && Buffer[desc.nullOffset] != 0;
}

// ---- Fetching -----------------------------------------------------------------------------

TFetchResult TEngineDataSet::FetchRow(TRowBuffer Buffer, TFetchMode Mode, bool Check) {
  for (;;) {
    const TFetchResult result = FetchOne(Buffer, Mode, Check);
    if (result != frOK || RecordAccepted(Buffer)) return result;
    // A record the dataset does not show: the current one is not there, the others move on.
    if (Mode == fmCurrent) return frError;
  }
}

TFetchResult TEngineDataSet::FetchOne(TRowBuffer Buffer, TFetchMode Mode, bool Check) {
  EngRecordProps props{};
  EngResult status = ENG_OK;
  switch (Mode) {
    case fmCurrent:
      status = DbEngine.EngGetRecord(Handle_, ENG_LOCK_NONE, Buffer, &props);
      break;
    case fmNext:
      status = DbEngine.EngGetNextRecord(Handle_, ENG_LOCK_NONE, Buffer, &props);
      break;
    case fmPrior:
      status = DbEngine.EngGetPriorRecord(Handle_, ENG_LOCK_NONE, Buffer, &props);
      break;
  }
  switch (ENG_STATUS(status)) {
    case ENG_OK:
      break;
    case ENG_BOF:
      return frBOF;
    case ENG_EOF:
      return frEOF;
    default:
      if (Check) RaiseEngineError(status);
      return frError;
  }
  LastRecordProps_ = props;
  TRecordInfo info;
  info.UpdateStatus = static_cast<uint8_t>(props.recordStatus);
  info.RowMark = rmCurrent;
  info.RecordNumber = RecordNumberKind_ == rkSequence   ? static_cast<int32_t>(props.seqNum)
                      : RecordNumberKind_ == rkPhysical ? static_cast<int32_t>(props.physRecNum)
                                                        : -1;
  Layout_.WriteInfo(Buffer, info);
  // Blobs cached for the record this buffer held before are stale now.
  Layout_.ClearBlobCache(Buffer);
  ComputeRowCalcFields(Buffer);
  CheckEngine(DbEngine.EngGetBookmark(Handle_, Layout_.Bookmark(Buffer)));
  return frOK;
}

bool TEngineDataSet::RecordAccepted(TRowBuffer Buffer) {
  if (!HasRecordFilter()) return true;
  const TDataSetMode saved = EnterTempMode(dmFilter);
  FilterBuffer_ = Buffer;
  TScopeExit leave([&] {
    FilterBuffer_ = nullptr;
    LeaveTempMode(saved);
  });
  return AcceptRecord();
}

bool TEngineDataSet::RereadCurrentRecord(TRowBuffer Buffer) {
  if (HasNoRows() || ReadRowMark(ActiveBuffer()) != rmCurrent) return false;
  SyncCursor();
  return ENG_STATUS(DbEngine.EngGetRecord(Handle_, ENG_LOCK_NONE, Buffer, nullptr)) == ENG_OK;
}

// ---- The cursor's place -------------------------------------------------------------------

void TEngineDataSet::CoreToStart() {
  CheckEngine(DbEngine.EngSetToBegin(Handle_));
}

void TEngineDataSet::CoreToEnd() {
  CheckEngine(DbEngine.EngSetToEnd(Handle_));
}

void TEngineDataSet::CoreToRow(TRowBuffer Buffer) {
  CheckEngine(DbEngine.EngSetToBookmark(Handle_, Layout_.Bookmark(Buffer)));
}

void TEngineDataSet::CoreToBookmark(const void* Bookmark) {
  CheckEngine(DbEngine.EngSetToBookmark(Handle_, Bookmark));
}

int TEngineDataSet::RowCount() const {
  if (Handle_ == 0) return -1;
  uint32_t count = 0;
  if (ENG_STATUS(DbEngine.EngGetRecordCount(Handle_, &count)) != ENG_OK) return -1;
  return static_cast<int>(count);
}

int TEngineDataSet::RowNumber() const {
  if (Handle_ == 0 || HasNoRows() || RecordNumberKind_ == rkNone) return -1;
  return Layout_.ReadInfo(ActiveBuffer()).RecordNumber;
}

void TEngineDataSet::CoreShowException() {
  DataEngineHooks().HandleException(std::current_exception());
}
