#pragma once
// TBlobStream: reads or writes one blob field of one record buffer of an engine dataset.
// Made by TEngineDataSet::OpenBlobStream for the record buffer the dataset's mode selects;
// without one the stream stays unopened and reads nothing.
//
// Read mode with blob caching on, in the active record: a blank blob, or one already cached,
// is read from the record buffer without any engine call. Otherwise the engine's blob is
// opened; the bytes read from the start onward are collected, and once they make the whole
// blob they become the record's cached copy and the engine's blob is freed.
//
// Write and read-write modes, only while the dataset edits or inserts and not for a read-only
// field: the engine's blob is opened for writing (write mode cuts it to nothing at once) and
// the record's cached copy is dropped. The engine keeps the written bytes with the record
// until the dataset posts (or cancels) it; the field stays marked modified meanwhile, and
// later streams of the same field work on those pending bytes.

#include <cstdint>
#include <string>

#include "core/streams.h"
#include "data/db_types.h"

class TEngineDataSet;
class TField;

class TBlobStream : public TStream {
 public:
  TBlobStream(TField* Field, TBlobStreamMode Mode);
  // Frees the engine's blob unless it is cached or still being changed; a changed blob
  // announces the field's change.
  ~TBlobStream() override;

  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override;
  void SetSize(int64_t NewSize) override;
  // Cuts the blob at the position.
  void Truncate();

  bool Opened() const { return Opened_; }
  bool Cached() const { return Cached_; }

 private:
  void OpenEngineBlob(uint32_t OpenMode);
  bool Collecting() const;
  void Collect(const char* Bytes, uint32_t Count, bool AtEnd);
  bool PendingChange() const;
  // After a write or a cut: the stream is modified and the cached copy dropped.
  void Changed();

  TField* Field_;
  TEngineDataSet* DataSet_;
  TRowBuffer Buffer_ = nullptr;
  uint16_t FieldNumber_ = 0;
  size_t BlobIndex_ = 0;
  TBlobStreamMode Mode_;
  bool Opened_ = false;
  bool Modified_ = false;
  bool Cached_ = false;
  bool EngineOpen_ = false;
  int64_t Position_ = 0;
  // While caching: the bytes read from the start so far, and the blob's size once asked.
  std::string Collected_;
  int64_t BlobSize_ = -1;
};
