#pragma once
// The write stream of TMemoryDataSet's blobs: it writes into the pending copy of a blob that
// a row buffer keeps until the row is posted or cancelled.

#include <string>

#include "core/streams.h"

class TPendingBlobStream : public TStream {
 public:
  // Bytes must outlive the stream (a row buffer's pending blob lives until post or cancel).
  explicit TPendingBlobStream(std::string* Bytes) : Bytes_(Bytes) {}

  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override { return static_cast<int64_t>(Bytes_->size()); }
  void SetSize(int64_t NewSize) override;

 private:
  std::string* Bytes_;
  int64_t Position_ = 0;
};
