#pragma once
// The record buffer of an engine dataset: one zero-filled allocation in five parts, in this
// order (each part starts on an 8-byte boundary):
//
//   engine record       the record as the engine delivers it (record size bytes)
//   calculated fields   per calculated or lookup field: a byte telling whether it has a
//                       value, then its data
//   blob cache          one slot per blob field: the blob's bytes once read in full, or none
//   record info         record number (-1 when the cursor numbers none), update status, mark
//   bookmark            the engine's bookmark of the record

#include <cstddef>
#include <cstdint>
#include <string>

#include "data/db_types.h"

struct TRecordInfo {
  int32_t RecordNumber = -1;
  uint8_t UpdateStatus = 0;
  uint8_t RowMark = rmCurrent;
};

class TRecordLayout {
 public:
  void Build(size_t RecordSize, size_t CalcSize, size_t BlobCount, size_t BookmarkSize);

  size_t RecordSize() const { return RecordSize_; }
  size_t CalcOffset() const { return CalcOffset_; }
  size_t BlobCacheOffset() const { return BlobCacheOffset_; }
  size_t InfoOffset() const { return InfoOffset_; }
  size_t BookmarkOffset() const { return BookmarkOffset_; }
  size_t BufferSize() const { return BufferSize_; }
  size_t BlobCount() const { return BlobCount_; }

  // A zero-filled buffer of BufferSize bytes; raises std::bad_alloc.
  TRowBuffer New() const;
  // Frees the buffer and its cached blobs; the reference becomes none.
  void Dispose(TRowBuffer& Buffer) const;

  char* Calc(TRowBuffer Buffer) const { return Buffer + CalcOffset_; }
  char* Bookmark(TRowBuffer Buffer) const { return Buffer + BookmarkOffset_; }
  TRecordInfo ReadInfo(TRowBuffer Buffer) const;
  void WriteInfo(TRowBuffer Buffer, const TRecordInfo& Info) const;

  // The cached copy of blob Index of the buffer, or none.
  const std::string* CachedBlob(TRowBuffer Buffer, size_t Index) const;
  // Makes Bytes the cached copy (replacing any other).
  void CacheBlob(TRowBuffer Buffer, size_t Index, std::string Bytes) const;
  void DropCachedBlob(TRowBuffer Buffer, size_t Index) const;
  void ClearBlobCache(TRowBuffer Buffer) const;

 private:
  std::string** Slot(TRowBuffer Buffer, size_t Index) const {
    return reinterpret_cast<std::string**>(Buffer + BlobCacheOffset_) + Index;
  }

  size_t RecordSize_ = 0;
  size_t CalcOffset_ = 0;
  size_t BlobCacheOffset_ = 0;
  size_t InfoOffset_ = 0;
  size_t BookmarkOffset_ = 0;
  size_t BufferSize_ = 0;
  size_t BlobCount_ = 0;
};
