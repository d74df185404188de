#pragma once
// Byte streams: the abstract TStream, an in-memory stream whose growth policy a subclass
// can change, and a file stream.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/object.h"

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
 public:
  BREVANT_CLASS(TStream)

  // Read and Write move at most Count bytes and answer how many they moved.
  virtual int64_t Read(void* Buffer, int64_t Count) = 0;
  virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
  virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t Pos) { Seek(Pos, soBeginning); }
  virtual int64_t Size();
  virtual void SetSize(int64_t NewSize);

  // Like Read and Write, but moving fewer than Count bytes raises EReadError / EWriteError.
  void ReadBuffer(void* Buffer, int64_t Count);
  void WriteBuffer(const void* Buffer, int64_t Count);
  void WriteString(std::string_view Text) { WriteBuffer(Text.data(), static_cast<int64_t>(Text.size())); }
  // Copies Count bytes from Source's position; a Count of 0 copies all of Source from its start.
  int64_t CopyFrom(TStream& Source, int64_t Count);
  // Everything from the current position to the end.
  std::string ReadRemaining();

 protected:
  // Where a seek by Offset from Origin lands for a stream now at Current; the end is Size(),
  // asked for only when Origin is soEnd. A sum beyond the range of positions stops at its limit
  // instead of wrapping around. Clamping to the stream's own bounds is the caller's choice.
  int64_t SeekTarget(int64_t Current, int64_t Offset, TSeekOrigin Origin);
};

class TCustomMemoryStream : public TStream {
 public:
  BREVANT_CLASS(TCustomMemoryStream)

  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override { return Size_; }
  const char* Memory() const { return Memory_; }
  char* Memory() { return Memory_; }
  std::string_view View() const {
    return std::string_view(Memory_ == nullptr ? "" : Memory_, static_cast<size_t>(Size_));
  }
  void SaveToStream(TStream& Stream);
  void SaveToFile(const std::string& FileName);

 protected:
  void SetPointer(char* Ptr, int64_t Size);

  char* Memory_ = nullptr;
  int64_t Size_ = 0;
  int64_t Position_ = 0;
};

class TMemoryStream : public TCustomMemoryStream {
 public:
  BREVANT_CLASS(TMemoryStream)

  TMemoryStream() = default;
  ~TMemoryStream() override;

  int64_t Write(const void* Buffer, int64_t Count) override;
  void SetSize(int64_t NewSize) override;
  void Clear();
  void LoadFromStream(TStream& Stream);
  void LoadFromFile(const std::string& FileName);
  int64_t Capacity() const { return Capacity_; }

 protected:
  // Returns memory for at least NewCapacity bytes (adjusting NewCapacity to what it gives),
  // keeping the current contents; NewCapacity 0 frees it and returns none. Subclasses change
  // the growth steps; a failure raises EStreamError.
  virtual char* Realloc(int64_t& NewCapacity);
  // Resizes the block to exactly NewCapacity bytes (0 frees it); the tool for Realloc.
  char* ResizeMemory(int64_t NewCapacity);
  void SetCapacity(int64_t NewCapacity);

 private:
  int64_t Capacity_ = 0;
};

enum TFileMode { fmOpenRead, fmOpenWrite, fmOpenReadWrite, fmCreate };

class TFileStream : public TStream {
 public:
  BREVANT_CLASS(TFileStream)

  // Raises EFOpenError (or EFCreateError for fmCreate) with the file's name and the reason.
  TFileStream(const std::string& FileName, TFileMode Mode);
  ~TFileStream() override;

  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(int64_t NewSize) override;
  const std::string& FileName() const { return FileName_; }

 private:
  std::string FileName_;
  int Fd_ = -1;
};

// A memory stream over a copy of a text, handy for layouts and tests.
class TStringStream : public TMemoryStream {
 public:
  explicit TStringStream(std::string_view Text = {});
  std::string DataString() const { return std::string(View()); }
};
