#include "data/engine/record_buffer.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr size_t Aligned(size_t Offset) {
  return (Offset + 7) & ~size_t{7};
}

}  // namespace

void TRecordLayout::Build(size_t RecordSize, size_t CalcSize, size_t BlobCount, size_t BookmarkSize) {
  RecordSize_ = RecordSize;
  BlobCount_ = BlobCount;
  CalcOffset_ = Aligned(RecordSize);
  BlobCacheOffset_ = Aligned(CalcOffset_ + CalcSize);
  InfoOffset_ = Aligned(BlobCacheOffset_ + BlobCount * sizeof(std::string*));
  BookmarkOffset_ = Aligned(InfoOffset_ + sizeof(TRecordInfo));
  BufferSize_ = BookmarkOffset_ + BookmarkSize;
}

TRowBuffer TRecordLayout::New() const {
  // calloc hands out memory aligned for any object, so the slots at 8-byte offsets are too.
  void* memory = std::calloc(BufferSize_ > 0 ? BufferSize_ : 1, 1);
  if (memory == nullptr) throw std::bad_alloc();
  return static_cast<TRowBuffer>(memory);
}

void TRecordLayout::Dispose(TRowBuffer& Buffer) const {
  if (Buffer == nullptr) return;
  ClearBlobCache(Buffer);
  std::free(Buffer);
  Buffer = nullptr;
}

TRecordInfo TRecordLayout::ReadInfo(TRowBuffer Buffer) const {
  TRecordInfo info;
  std::memcpy(&info, Buffer + InfoOffset_, sizeof info);
  return info;
}

void TRecordLayout::WriteInfo(TRowBuffer Buffer, const TRecordInfo& Info) const {
  std::memcpy(Buffer + InfoOffset_, &Info, sizeof Info);
}

const std::string* TRecordLayout::CachedBlob(TRowBuffer Buffer, size_t Index) const {
  return Index < BlobCount_ ? *Slot(Buffer, Index) : nullptr;
}

void TRecordLayout::CacheBlob(TRowBuffer Buffer, size_t Index, std::string Bytes) const {
  if (Index >= BlobCount_) return;
  std::string*& slot = *Slot(Buffer, Index);
  if (slot == nullptr) {
    slot = new std::string(std::move(Bytes));
  } else {
    *slot = std::move(Bytes);
  }
}

void TRecordLayout::DropCachedBlob(TRowBuffer Buffer, size_t Index) const {
  if (Index >= BlobCount_) return;
  std::string*& slot = *Slot(Buffer, Index);
  delete slot;
  slot = nullptr;
}

void TRecordLayout::ClearBlobCache(TRowBuffer Buffer) const {
  for (size_t i = 0; i < BlobCount_; ++i)
    DropCachedBlob(Buffer, i);
}
