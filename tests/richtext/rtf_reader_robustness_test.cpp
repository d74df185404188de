// Damaged and hostile input: the reader keeps what it could read and never crashes or hangs.

#include <gtest/gtest.h>

#include <random>

#include "rtf_reader.h"
#include "rtf_test_support.h"

namespace {

TEST(RtfReaderRobustness, TruncatedInputKeepsWhatWasRead) {
  const TRtfReadResult result = ReadRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\b bold}\\par{\\i unfinished");
  EXPECT_EQ(result.status, TRtfReadStatus::rsOk);
  EXPECT_TRUE(result.damaged);
  EXPECT_EQ(TextOf(result.document), "bold\nunfinished");
  EXPECT_TRUE(result.document.paragraphs[1].items[0].format.italic);

  // Cut inside a control word, a \'hh escape, a picture and a font table.
  for (std::string_view cut : {"{\\rtf1 ab\\pa", "{\\rtf1 ab\\'e", "{\\rtf1 ab{\\pict\\pngblip 8950",
                               "{\\rtf1{\\fonttbl{\\f0 Ari"}) {
    const TRtfReadResult r = ReadRtf(cut);
    EXPECT_TRUE(r.damaged) << cut;
    EXPECT_EQ(TextOf(r.document).substr(0, 2), std::string(cut).find("ab") != std::string::npos ? "ab" : "")
        << cut;
  }
  EXPECT_EQ(ReadRtf("{\\rtf1{\\fonttbl{\\f0 Ari").document.fonts.at(0).name, "Ari");
}

TEST(RtfReaderRobustness, ExcessClosingBracesEndTheDocument) {
  const TRtfReadResult result = ReadRtf("{\\rtf1 a{\\b b}}} trailing garbage}");
  EXPECT_TRUE(result.damaged);
  EXPECT_EQ(TextOf(result.document), "ab");
  // White space and the 0 byte some writers append after the last brace are no damage.
  const TRtfReadResult clean = ReadRtf(std::string_view("{\\rtf1 a}\r\n\0", 12));
  EXPECT_FALSE(clean.damaged);
  EXPECT_EQ(TextOf(clean.document), "a");
}

TEST(RtfReaderRobustness, DeepNestingIsBoundedAndStillRead) {
  std::string rtf = "{\\rtf1 ";
  rtf += std::string(200000, '{') + "\\b deep" + std::string(200000, '}') + " after}";
  const TRtfReadResult result = ReadRtf(rtf);
  EXPECT_TRUE(result.damaged);
  EXPECT_EQ(TextOf(result.document), "deep after");
  // The groups beyond the limit count as part of their outer group: "after" is outside all of them.
  EXPECT_FALSE(result.document.paragraphs[0].items.back().format.bold);

  const TRtfReadResult unclosed = ReadRtf("{\\rtf1 " + std::string(100000, '{') + "x");
  EXPECT_EQ(TextOf(unclosed.document), "x");
}

TEST(RtfReaderRobustness, HugeCountsAreClampedToTheInput) {
  // \bin beyond the end takes what is left; a negative \bin takes nothing.
  EXPECT_EQ(TextOf(ReadRtf("{\\rtf1 a\\bin2147483647 xyz}").document), "a");
  EXPECT_EQ(TextOf(ReadRtf("{\\rtf1 a\\bin-5 b}").document), "ab");
  EXPECT_EQ(TextOf(ReadRtf("{\\rtf1 a\\bin99999999999999999999 b}").document), "a");
  // A huge \uc skips only up to the end of its group.
  EXPECT_EQ(TextOf(ReadRtf("{\\rtf1 {\\uc2147483647 \\u233 skipped\\par skipped}b}").document), "éb");
  // Parameters beyond 32 bits, absurd sizes and indents are clamped, not wrapped.
  const TRtfReadResult big = ReadRtf("{\\rtf1\\fs99999999999\\li-99999999999\\sb2147483647 x}");
  EXPECT_EQ(big.document.paragraphs[0].items[0].format.halfPoints, 3276);
  EXPECT_EQ(big.document.paragraphs[0].format.leftIndent, -31680);
  EXPECT_EQ(big.document.paragraphs[0].format.spaceBefore, 31680);
  // Many tab stops: no more than a paragraph can hold.
  std::string tabs = "{\\rtf1 ";
  for (int i = 0; i < 1000; ++i)
    tabs += "\\tx" + std::to_string(i * 10);
  EXPECT_EQ(ReadRtf(tabs + " x}").document.paragraphs[0].format.tabs.size(), 32u);
}

TEST(RtfReaderRobustness, UnpairedSurrogatesAndControlCharacters) {
  EXPECT_EQ(TextOf(ReadRtf("{\\rtf1 \\u-10179?x\\u-8704?\\u0?\\u13?\\u65?}").document), "\uFFFDx\uFFFDA");
  EXPECT_EQ(TextOf(ReadRtf(std::string_view("{\\rtf1 a\0\x01\x1f"
                                            "b}",
                                            12))
                       .document),
            "ab");
}

TEST(RtfReaderRobustness, RandomGarbageAfterTheHeader) {
  std::mt19937 random(7);
  const std::string alphabet = "{}\\'*;0123456789abcdefuxbinpardfonttblcolortblpictfield -\r\n\x80\xff";
  for (int round = 0; round < 300; ++round) {
    std::string rtf = "{\\rtf1 ";
    const int length = static_cast<int>(random() % 3000);
    for (int i = 0; i < length; ++i) {
      rtf += random() % 4 == 0 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];
    }
    const TRtfReadResult result = ReadRtf(rtf);
    EXPECT_EQ(result.status, TRtfReadStatus::rsOk);
  }
}

}  // namespace
