#include "data/memory_dataset/memory_blob_stream.h"

#include <algorithm>
#include <cstring>

int64_t TPendingBlobStream::Read(void* Buffer, int64_t Count) {
  const int64_t left = Size() - Position_;
  const int64_t n = std::clamp<int64_t>(Count, 0, std::max<int64_t>(left, 0));
  if (n > 0) std::memcpy(Buffer, Bytes_->data() + Position_, static_cast<size_t>(n));
  Position_ += n;
  return n;
}

int64_t TPendingBlobStream::Write(const void* Buffer, int64_t Count) {
  int64_t last = 0;
  // A position sought far past any real size moves nothing; WriteBuffer reports that as an error.
  if (Count <= 0 || __builtin_add_overflow(Position_, Count, &last)) return 0;
  const auto end = static_cast<size_t>(last);
  if (end > Bytes_->size()) Bytes_->resize(end);
  std::memcpy(Bytes_->data() + Position_, Buffer, static_cast<size_t>(Count));
  Position_ += Count;
  return Count;
}

int64_t TPendingBlobStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  Position_ = std::max<int64_t>(SeekTarget(Position_, Offset, Origin), 0);
  return Position_;
}

void TPendingBlobStream::SetSize(int64_t NewSize) {
  Bytes_->resize(static_cast<size_t>(std::max<int64_t>(NewSize, 0)));
  Position_ = std::min(Position_, Size());
}
