// Plain text in and out, as the control streams text.

#include <gtest/gtest.h>

#include "rtf_plain_text.h"
#include "rtf_test_support.h"

namespace {

TEST(RtfPlainText, EveryKindOfLineEndIsOneBreak) {
  EXPECT_EQ(TextOf(ReadPlainText("a\r\nb\rc\nd")), "a\nb\nc\nd");
  EXPECT_EQ(TextOf(ReadPlainText("a\n\rb")), "a\n\nb");  // LF CR is two breaks
  EXPECT_EQ(TextOf(ReadPlainText("a\r\n")), "a\n");
  EXPECT_EQ(ReadPlainText("a\r\n").paragraphs.size(), 2u);
  EXPECT_TRUE(ReadPlainText("").paragraphs.empty());
  EXPECT_EQ(ReadPlainText("\n").paragraphs.size(), 2u);
}

TEST(RtfPlainText, TabsControlCharactersAndDefaultFormat) {
  const TRtfDocument doc = ReadPlainText(std::string_view("a\tb\vc\0d\x01", 9));
  EXPECT_EQ(TextOf(doc), "a\tb|cd");
  for (const TRtfInline& item : doc.paragraphs[0].items) {
    EXPECT_EQ(item.format.halfPoints, 0);  // the control's default size
    EXPECT_EQ(item.format.fontIndex, -1);
    EXPECT_EQ(doc.TextColorOf(item.format), nullptr);
  }
}

TEST(RtfPlainText, Utf8WithByteOrderMarkAndStrayBytes) {
  EXPECT_EQ(TextOf(ReadPlainText("\xEF\xBB\xBFna\xC3\xAFve \xE2\x82\xAC")), "naïve €");
  // Bytes that are no valid UTF-8 read as code page 1252 instead of being lost.
  EXPECT_EQ(TextOf(ReadPlainText("caf\xE9 \x80 \xC3")), "café € Ã");
}

TEST(RtfPlainText, WritesCrLfAndReadsBack) {
  const TRtfDocument doc = ReadPlainText("one\ttwo\nthree\r\n\r\nfour");
  const std::string text = WritePlainText(doc);
  EXPECT_EQ(text, "one\ttwo\r\nthree\r\n\r\nfour");
  EXPECT_EQ(ReadPlainText(text), doc);
}

}  // namespace
