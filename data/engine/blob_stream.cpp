#include "data/engine/blob_stream.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

#include "data/data_strings.h"
#include "data/engine/engine_dataset.h"
#include "data/engine/engine_entries.h"
#include "data/engine/engine_error.h"
#include "data/engine/engine_hooks.h"
#include "data/engine/engine_strings.h"
#include "data/fields/blob_field.h"
#include "platform/codepage.h"

namespace {

bool Transliterates(const TField* Field) {
  const auto* blob = dynamic_cast<const TBlobField*>(Field);
  return blob != nullptr && blob->Transliterate();
}

uint32_t Clamp32(int64_t Value) {
  return static_cast<uint32_t>(std::clamp<int64_t>(Value, 0, std::numeric_limits<uint32_t>::max()));
}

}  // namespace

TBlobStream::TBlobStream(TField* Field, TBlobStreamMode Mode)
    : Field_(Field), DataSet_(dynamic_cast<TEngineDataSet*>(Field->HostDataSet())), Mode_(Mode) {
  if (DataSet_ == nullptr || Field->ColumnNo() < 1) return;
  FieldNumber_ = static_cast<uint16_t>(Field->ColumnNo());
  BlobIndex_ = static_cast<size_t>(Field->SlotOffset());
  Buffer_ = DataSet_->ActiveRecordBuffer();
  if (Buffer_ == nullptr) return;
  if (DataSet_->Mode() == dmFilter)
    RaiseDataErrorFmt(LoadResString(SNoFieldAccess), {Field->ShownName()}, DataSet_);
  const bool active = DataSet_->BufferCount() > 0 && Buffer_ == DataSet_->ActiveBuffer();
  if (!PendingChange()) {
    if (Mode_ != bmRead) {
      if (active) DataSet_->Layout().DropCachedBlob(Buffer_, BlobIndex_);
      if (Field->ReadOnly()) RaiseDataErrorFmt(LoadResString(SFieldReadOnly), {Field->ShownName()}, DataSet_);
      if (DataSet_->Mode() != dmEdit && DataSet_->Mode() != dmInsert)
        RaiseDataError(LoadResString(SNotEditing), DataSet_);
      OpenEngineBlob(ENG_OPEN_READWRITE);
    } else {
      if (DataSet_->CacheBlobs() && active) {
        Cached_ = DataSet_->FieldIsBlank(Buffer_, FieldNumber_) ||
                  DataSet_->Layout().CachedBlob(Buffer_, BlobIndex_) != nullptr;
      }
      if (!Cached_) OpenEngineBlob(ENG_OPEN_READONLY);
    }
  }
  Opened_ = true;
  if (Mode_ == bmWrite) Truncate();
}

TBlobStream::~TBlobStream() {
  if (!Opened_) return;
  try {
    if (Modified_) {
      if (auto* blob = dynamic_cast<TBlobField*>(Field_)) blob->SetModified(true);
    }
    if (!PendingChange() && !Cached_ && EngineOpen_) {
      EngineOpen_ = false;
      DbEngine.EngFreeBlob(DataSet_->Handle(), Buffer_, FieldNumber_);
    }
    if (Modified_) DataSet_->Notify(dnFieldChange, NoticeInfoOf(Field_));
  } catch (...) {
    DataEngineHooks().HandleException(std::current_exception());
  }
}

bool TBlobStream::PendingChange() const {
  const auto* blob = dynamic_cast<const TBlobField*>(Field_);
  return blob != nullptr && blob->Modified();
}

void TBlobStream::OpenEngineBlob(uint32_t OpenMode) {
  if (DataSet_->Mode() == dmBrowse) DataSet_->RereadCurrentRecord(Buffer_);
  CheckEngine(DbEngine.EngOpenBlob(DataSet_->Handle(), Buffer_, FieldNumber_, OpenMode));
  EngineOpen_ = true;
}

bool TBlobStream::Collecting() const {
  return DataSet_->CacheBlobs() && Mode_ == bmRead && DataSet_->BufferCount() > 0 &&
         Buffer_ == DataSet_->ActiveBuffer() && !PendingChange() &&
         Position_ == static_cast<int64_t>(Collected_.size());
}

void TBlobStream::Collect(const char* Bytes, uint32_t Count, bool AtEnd) {
  Collected_.append(Bytes, Count);
  // A short read tells that the blob ends here; otherwise the engine says how long it is.
  if (!AtEnd) {
    if (BlobSize_ < 0) BlobSize_ = Size();
    if (static_cast<int64_t>(Collected_.size()) < BlobSize_) return;
  }
  DataSet_->Layout().CacheBlob(Buffer_, BlobIndex_, std::move(Collected_));
  Collected_.clear();
  Cached_ = true;
  EngineOpen_ = false;
  DbEngine.EngFreeBlob(DataSet_->Handle(), Buffer_, FieldNumber_);
}

int64_t TBlobStream::Read(void* Buffer, int64_t Count) {
  if (!Opened_ || Count <= 0) return 0;
  if (Cached_) {
    const std::string* copy = DataSet_->Layout().CachedBlob(Buffer_, BlobIndex_);
    const int64_t size = copy != nullptr ? static_cast<int64_t>(copy->size()) : 0;
    const int64_t n = std::clamp<int64_t>(size - Position_, 0, Count);
    if (n > 0) std::memcpy(Buffer, copy->data() + Position_, static_cast<size_t>(n));
    Position_ += n;
    return n;
  }
  uint32_t got = 0;
  const EngResult status = DbEngine.EngGetBlob(DataSet_->Handle(), Buffer_, FieldNumber_, Clamp32(Position_),
                                               Clamp32(Count), Buffer, &got);
  const uint16_t code = ENG_STATUS(status);
  if (code == ENG_ERR_BLOB_OFFSET) return got;
  if (code != ENG_OK && code != ENG_ERR_BLOB_SHORT_READ) RaiseEngineError(status);
  char* bytes = static_cast<char*>(Buffer);
  if (Transliterates(Field_) && got > 0) {
    const std::string text = OemToAnsi(std::string_view(bytes, got));
    std::memcpy(bytes, text.data(), std::min<size_t>(text.size(), got));
  }
  if (Collecting()) Collect(bytes, got, code == ENG_ERR_BLOB_SHORT_READ || got == 0);
  Position_ += got;
  return got;
}

int64_t TBlobStream::Write(const void* Buffer, int64_t Count) {
  if (!Opened_ || Count <= 0 || Buffer == nullptr) return 0;
  const char* bytes = static_cast<const char*>(Buffer);
  int64_t length = Count;
  std::string native;
  if (Transliterates(Field_)) {
    native = AnsiToOem(std::string_view(bytes, static_cast<size_t>(Count)));
    bytes = native.data();
    length = static_cast<int64_t>(native.size());
  }
  if (Position_ + length > std::numeric_limits<uint32_t>::max()) RaiseEngineError(ENG_ERR_INVALID_PARAMETER);
  CheckEngine(DbEngine.EngPutBlob(DataSet_->Handle(), Buffer_, FieldNumber_, Clamp32(Position_),
                                  Clamp32(length), bytes));
  Position_ += length;
  Changed();
  return Count;
}

void TBlobStream::Truncate() {
  if (!Opened_) return;
  CheckEngine(DbEngine.EngTruncateBlob(DataSet_->Handle(), Buffer_, FieldNumber_, Clamp32(Position_)));
  Changed();
}

void TBlobStream::Changed() {
  Modified_ = true;
  // The record's cached copy no longer matches the engine's blob.
  DataSet_->Layout().DropCachedBlob(Buffer_, BlobIndex_);
}

void TBlobStream::SetSize(int64_t NewSize) {
  Position_ = std::max<int64_t>(NewSize, 0);
  Truncate();
}

int64_t TBlobStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  switch (Origin) {
    case soBeginning:
      Position_ = Offset;
      break;
    case soCurrent:
      Position_ += Offset;
      break;
    case soEnd:
      Position_ = Size() + Offset;
      break;
  }
  return Position_;
}

int64_t TBlobStream::Size() {
  if (!Opened_) return 0;
  if (Cached_) {
    const std::string* copy = DataSet_->Layout().CachedBlob(Buffer_, BlobIndex_);
    return copy != nullptr ? static_cast<int64_t>(copy->size()) : 0;
  }
  uint32_t size = 0;
  CheckEngine(DbEngine.EngGetBlobSize(DataSet_->Handle(), Buffer_, FieldNumber_, &size));
  return size;
}

// ---- The dataset's side -------------------------------------------------------------------

std::unique_ptr<TStream> TEngineDataSet::OpenBlobStream(TField* Field, TBlobStreamMode Mode) {
  return std::make_unique<TBlobStream>(Field, Mode);
}

void TEngineDataSet::ReleaseBlob(TField* Field) {
  if (Handle_ == 0 || BufferCount() == 0 || Field->ColumnNo() < 1) return;
  DbEngine.EngFreeBlob(Handle_, ActiveBuffer(), static_cast<uint16_t>(Field->ColumnNo()));
}

size_t TEngineDataSet::ReadBlobData(TField* Field, std::vector<char>& Bytes) {
  TRowBuffer record = ActiveRecordBuffer();
  if (record == nullptr || Field->ColumnNo() < 1) return 0;
  const auto number = static_cast<uint16_t>(Field->ColumnNo());
  if (ENG_STATUS(DbEngine.EngOpenBlob(Handle_, record, number, ENG_OPEN_READONLY)) != ENG_OK) return 0;
  // A failure is reported once the blob is freed, with the engine's account of it.
  std::optional<EDBEngineError> failure;
  size_t read = 0;
  uint32_t size = 0;
  const EngResult sized = DbEngine.EngGetBlobSize(Handle_, record, number, &size);
  if (ENG_STATUS(sized) != ENG_OK) failure.emplace(sized);
  if (!failure && size > 0) {
    if (Bytes.size() <= size) Bytes.resize(static_cast<size_t>(static_cast<double>(size) * 1.25));
    uint32_t got = 0;
    const EngResult status = DbEngine.EngGetBlob(Handle_, record, number, 0, size, Bytes.data(), &got);
    const uint16_t code = ENG_STATUS(status);
    if (code == ENG_OK || code == ENG_ERR_BLOB_SHORT_READ) {
      read = got;
    } else {
      failure.emplace(status);
    }
  }
  DbEngine.EngFreeBlob(Handle_, record, number);
  if (failure && Mode() != dmBlockRead) throw *failure;
  return read;
}
