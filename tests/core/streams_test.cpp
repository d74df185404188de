#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <limits>
#include <string>

#include "core/exceptions.h"
#include "core/streams.h"

namespace {

// A memory stream that grows in 100-byte steps and records what it asked for.
class TStepStream : public TMemoryStream {
 public:
  int Reallocs = 0;

 protected:
  char* Realloc(int64_t& NewCapacity) override {
    ++Reallocs;
    if (NewCapacity > 0) NewCapacity = (NewCapacity + 99) / 100 * 100;
    return ResizeMemory(NewCapacity);
  }
};

TEST(MemoryStream, WritesReadsAndSeeks) {
  TMemoryStream s;
  s.WriteString("hello world");
  EXPECT_EQ(s.Size(), 11);
  EXPECT_EQ(s.Position(), 11);
  s.SetPosition(6);
  char buf[16] = {};
  EXPECT_EQ(s.Read(buf, 100), 5);
  EXPECT_STREQ(buf, "world");
  EXPECT_EQ(s.Read(buf, 1), 0);  // at the end
  s.SetPosition(20);             // writing past the end fills the gap with zeros
  s.WriteString("!");
  EXPECT_EQ(s.Size(), 21);
  EXPECT_EQ(s.View()[15], '\0');
  s.SetSize(5);
  EXPECT_EQ(s.Position(), 5);
  EXPECT_EQ(s.View(), "hello");
}

TEST(MemoryStream, SubclassesChooseTheGrowthSteps) {
  TStepStream s;
  std::string chunk(30, 'x');
  for (int i = 0; i < 10; ++i)
    s.WriteString(chunk);
  EXPECT_EQ(s.Size(), 300);
  EXPECT_EQ(s.Capacity(), 300);
  EXPECT_EQ(s.Reallocs, 3);  // 100, 200, 300
}

TEST(MemoryStream, SeeksFromEachOriginAndStopsAtTheLimitsOfAPosition) {
  TStringStream s("0123456789");
  EXPECT_EQ(s.Seek(3, soBeginning), 3);
  EXPECT_EQ(s.Seek(4, soCurrent), 7);
  EXPECT_EQ(s.Seek(-2, soCurrent), 5);
  EXPECT_EQ(s.Seek(-1, soEnd), 9);
  EXPECT_EQ(s.Seek(5, soEnd), 15);  // past the end is allowed; a write there fills the gap
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  EXPECT_EQ(s.Seek(kMax, soEnd), kMax);  // saturates instead of wrapping to a negative position
  EXPECT_EQ(s.Seek(kMax, soCurrent), kMax);
  EXPECT_EQ(s.Seek(kMin, soBeginning), kMin);
  EXPECT_EQ(s.Seek(-1, soCurrent), kMin);
  char buf[4];
  EXPECT_EQ(s.Read(buf, 4), 0);  // nothing to read before the start
  s.Seek(kMax, soBeginning);
  EXPECT_EQ(s.Read(buf, 4), 0);
  // A write at the largest position cannot fit: it fails cleanly and leaves the text alone.
  EXPECT_THROW(s.WriteString("x"), EStreamError);
  EXPECT_EQ(s.DataString(), "0123456789");
}

TEST(Stream, ReadBufferRaisesOnShortRead) {
  TStringStream s("abc");
  char buf[8];
  EXPECT_THROW(s.ReadBuffer(buf, 4), EReadError);
}

TEST(Stream, CopyFromWholeSourceOrCount) {
  TStringStream source("0123456789");
  TMemoryStream dest;
  dest.WriteString("<");
  EXPECT_EQ(dest.CopyFrom(source, 0), 10);
  EXPECT_EQ(dest.View(), "<0123456789");
  source.SetPosition(2);
  dest.CopyFrom(source, 3);
  EXPECT_EQ(dest.View(), "<0123456789234");
  source.SetPosition(8);
  EXPECT_THROW(dest.CopyFrom(source, 5), EReadError);
}

TEST(FileStream, RoundTripAndClearErrors) {
  char path[] = "/tmp/brevant_streamXXXXXX";
  const int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  {
    TFileStream out(path, fmCreate);
    out.WriteString("line one\n");
  }
  TMemoryStream in;
  in.LoadFromFile(path);
  EXPECT_EQ(in.View(), "line one\n");
  unlink(path);
  try {
    TFileStream missing("/nonexistent/dir/file.txt", fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_NE(e.Message().find("Cannot open file \"/nonexistent/dir/file.txt\""), std::string::npos);
  }
  EXPECT_THROW(TFileStream("/tmp", fmOpenRead), EFOpenError);
}

}  // namespace
