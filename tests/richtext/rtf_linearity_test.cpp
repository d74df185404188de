// Reading is linear in the input: the heap traffic of reading a document grows in proportion to its
// size. Repeated copying of growing strings or vectors would make it grow with the square instead.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "rtf_reader.h"

namespace {
std::atomic<std::size_t> allocatedBytes{0};
std::atomic<std::size_t> allocations{0};
}  // namespace

// Replacing the global allocation functions is how the traffic is counted; the compiler cannot see
// that these two belong together.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  allocatedBytes += size;
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
#pragma GCC diagnostic pop

namespace {

// A document of about the given size with formatting that changes often, long runs, a long paragraph,
// a big picture and a long field instruction: everything that accumulates while reading.
std::string Generate(std::size_t bytes) {
  std::string rtf =
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Times;}}{\\colortbl;\\red255\\green0\\blue0;}\n";
  const std::size_t quarter = bytes / 4;
  for (int i = 0; rtf.size() < quarter; ++i) {
    rtf += "\\pard\\li" + std::to_string(i % 2000) + (i % 3 ? "\\qc" : "\\qj") +
           "{\\b\\f1\\cf1 Bold} text \\u8364? ";
    rtf += "{\\i caf\\'e9} {\\field{\\*\\fldinst HYPERLINK \"http://x/" + std::to_string(i) +
           "\"}{\\fldrslt l}}\\par\n";
  }
  while (rtf.size() < 2 * quarter)
    rtf += "one very long paragraph without a break, ";
  rtf += "\\par{\\pict\\pngblip ";
  while (rtf.size() < 3 * quarter)
    rtf += "0123456789abcdef";
  rtf += "}{\\field{\\*\\fldinst HYPERLINK \"";
  while (rtf.size() < bytes)
    rtf += "abcdefgh";
  rtf += "\"}{\\fldrslt x}}}";
  return rtf;
}

struct TTraffic {
  std::size_t bytes;
  std::size_t count;
};

TTraffic TrafficOfReading(const std::string& rtf) {
  const std::size_t bytesBefore = allocatedBytes, countBefore = allocations;
  const TRtfReadResult result = ReadRtf(rtf);
  EXPECT_EQ(result.status, TRtfReadStatus::rsOk);
  EXPECT_FALSE(result.damaged);
  return {allocatedBytes - bytesBefore, allocations - countBefore};
}

TEST(RtfLinearity, HeapTrafficGrowsInProportionToTheInput) {
  const std::string small = Generate(2u << 20);
  const std::string large = Generate(20u << 20);
  const TTraffic a = TrafficOfReading(small);
  const TTraffic b = TrafficOfReading(large);
  const double size = static_cast<double>(large.size()) / static_cast<double>(small.size());
  const double bytes = static_cast<double>(b.bytes) / static_cast<double>(a.bytes);
  const double count = static_cast<double>(b.count) / static_cast<double>(a.count);
  // Ten times the input: about ten times the traffic (geometric growth of buffers adds a little).
  EXPECT_LT(bytes, size * 1.5) << a.bytes << " -> " << b.bytes;
  EXPECT_LT(count, size * 1.5) << a.count << " -> " << b.count;
  // And a bounded number of bytes per input byte.
  EXPECT_LT(static_cast<double>(b.bytes) / static_cast<double>(large.size()), 12.0);
}

}  // namespace
