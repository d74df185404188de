#include "core/streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "core/core_strings.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/rtti.h"

BREVANT_DEFINE_CLASS(TStream, TObject, )
BREVANT_DEFINE_CLASS(TCustomMemoryStream, TStream, )
BREVANT_DEFINE_CLASS(TMemoryStream, TCustomMemoryStream, )
BREVANT_DEFINE_CLASS(TFileStream, TStream, )

int64_t TStream::Size() {
  const int64_t pos = Seek(0, soCurrent);
  const int64_t size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::SetSize(int64_t /*NewSize*/) {}

void TStream::ReadBuffer(void* Buffer, int64_t Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError(LoadResString(SReadError));
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError(LoadResString(SWriteError));
}

int64_t TStream::CopyFrom(TStream& Source, int64_t Count) {
  if (Count == 0) {
    Source.SetPosition(0);
    Count = Source.Size();
  }
  const int64_t total = Count;
  char buffer[64 * 1024];
  while (Count > 0) {
    const int64_t n = std::min<int64_t>(Count, sizeof buffer);
    Source.ReadBuffer(buffer, n);
    WriteBuffer(buffer, n);
    Count -= n;
  }
  return total;
}

std::string TStream::ReadRemaining() {
  const int64_t left = std::max<int64_t>(0, Size() - Position());
  std::string out(static_cast<size_t>(left), '\0');
  if (left > 0) out.resize(static_cast<size_t>(Read(out.data(), left)));
  return out;
}

int64_t TStream::SeekTarget(int64_t Current, int64_t Offset, TSeekOrigin Origin) {
  int64_t base = 0;
  if (Origin == soCurrent) base = Current;
  if (Origin == soEnd) base = Size();
  int64_t target = 0;
  if (__builtin_add_overflow(base, Offset, &target)) {
    target = Offset > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
  }
  return target;
}

// TCustomMemoryStream

void TCustomMemoryStream::SetPointer(char* Ptr, int64_t Size) {
  Memory_ = Ptr;
  Size_ = Size;
}

int64_t TCustomMemoryStream::Read(void* Buffer, int64_t Count) {
  if (Position_ < 0 || Count <= 0) return 0;
  const int64_t n = std::min(Count, Size_ - Position_);
  if (n <= 0) return 0;
  std::memcpy(Buffer, Memory_ + Position_, static_cast<size_t>(n));
  Position_ += n;
  return n;
}

int64_t TCustomMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  Position_ = SeekTarget(Position_, Offset, Origin);
  return Position_;
}

void TCustomMemoryStream::SaveToStream(TStream& Stream) {
  Stream.WriteBuffer(Memory_, Size_);
}

void TCustomMemoryStream::SaveToFile(const std::string& FileName) {
  TFileStream file(FileName, fmCreate);
  SaveToStream(file);
}

// TMemoryStream

TMemoryStream::~TMemoryStream() {
  std::free(Memory_);
}

char* TMemoryStream::Realloc(int64_t& NewCapacity) {
  // Grow in 8 KiB steps, so that many small writes do not reallocate each time.
  constexpr int64_t kDelta = 0x2000;
  if (NewCapacity > 0 && NewCapacity != Size_) NewCapacity = (NewCapacity + (kDelta - 1)) & ~(kDelta - 1);
  if (NewCapacity == Capacity_) return Memory_;
  return ResizeMemory(NewCapacity);
}

char* TMemoryStream::ResizeMemory(int64_t NewCapacity) {
  if (NewCapacity == 0) {
    std::free(Memory_);
    Memory_ = nullptr;
    return nullptr;
  }
  void* p = std::realloc(Memory_, static_cast<size_t>(NewCapacity));
  if (p == nullptr) throw EStreamError(LoadResString(SMemoryStreamError));
  return static_cast<char*>(p);
}

void TMemoryStream::SetCapacity(int64_t NewCapacity) {
  char* memory = Realloc(NewCapacity);
  Memory_ = memory;
  Capacity_ = NewCapacity;
}

void TMemoryStream::SetSize(int64_t NewSize) {
  if (NewSize < 0) NewSize = 0;
  const int64_t old = Position_;
  SetCapacity(NewSize);
  Size_ = NewSize;
  if (old > NewSize) Seek(0, soEnd);
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count) {
  if (Position_ < 0 || Count <= 0) return 0;
  int64_t end = 0;
  if (__builtin_add_overflow(Position_, Count, &end)) throw EStreamError(LoadResString(SMemoryStreamError));
  if (end > Size_) {
    if (end > Capacity_) SetCapacity(end);
    if (Position_ > Size_) std::memset(Memory_ + Size_, 0, static_cast<size_t>(Position_ - Size_));
    Size_ = end;
  }
  std::memcpy(Memory_ + Position_, Buffer, static_cast<size_t>(Count));
  Position_ = end;
  return Count;
}

void TMemoryStream::Clear() {
  SetCapacity(0);
  Size_ = 0;
  Position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream) {
  Stream.SetPosition(0);
  const int64_t count = Stream.Size();
  SetSize(count);
  if (count != 0) Stream.ReadBuffer(Memory_, count);
  Position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& FileName) {
  TFileStream file(FileName, fmOpenRead);
  LoadFromStream(file);
}

// TStringStream

TStringStream::TStringStream(std::string_view Text) {
  WriteString(Text);
  SetPosition(0);
}

// TFileStream

TFileStream::TFileStream(const std::string& FileName, TFileMode Mode) : FileName_(FileName) {
  int flags = O_RDONLY;
  switch (Mode) {
    case fmOpenRead:
      flags = O_RDONLY;
      break;
    case fmOpenWrite:
      flags = O_WRONLY;
      break;
    case fmOpenReadWrite:
      flags = O_RDWR;
      break;
    case fmCreate:
      flags = O_RDWR | O_CREAT | O_TRUNC;
      break;
  }
  Fd_ = ::open(FileName.c_str(), flags | O_CLOEXEC, 0644);
  if (Fd_ < 0) {
    const std::string reason = std::strerror(errno);
    if (Mode == fmCreate) throw EFCreateError(Format(LoadResString(SFCreateError), FileName, reason));
    throw EFOpenError(Format(LoadResString(SFOpenError), FileName, reason));
  }
  struct stat st {};
  if (::fstat(Fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(Fd_);
    Fd_ = -1;
    throw EFOpenError(Format(LoadResString(SFOpenError), FileName, std::strerror(EISDIR)));
  }
}

TFileStream::~TFileStream() {
  if (Fd_ >= 0) ::close(Fd_);
}

int64_t TFileStream::Read(void* Buffer, int64_t Count) {
  int64_t done = 0;
  while (done < Count) {
    const ssize_t n = ::read(Fd_, static_cast<char*>(Buffer) + done, static_cast<size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

int64_t TFileStream::Write(const void* Buffer, int64_t Count) {
  int64_t done = 0;
  while (done < Count) {
    const ssize_t n =
        ::write(Fd_, static_cast<const char*>(Buffer) + done, static_cast<size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  const int whence = Origin == soBeginning ? SEEK_SET : (Origin == soCurrent ? SEEK_CUR : SEEK_END);
  return ::lseek(Fd_, Offset, whence);
}

void TFileStream::SetSize(int64_t NewSize) {
  if (::ftruncate(Fd_, NewSize) != 0) throw EWriteError(LoadResString(SWriteError));
  if (Position() > NewSize) Seek(0, soEnd);
}
