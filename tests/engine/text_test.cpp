// The engine's own text helpers.
#include "text.h"

#include <gtest/gtest.h>

namespace {

using dbengine::EqualsIgnoringCase;
using dbengine::Trim;
using dbengine::UpperCase;

TEST(EngineText, CaseIsIgnoredForAsciiLettersOnly) {
  EXPECT_TRUE(EqualsIgnoringCase("Vozaza", "VOZAZA"));
  EXPECT_TRUE(EqualsIgnoringCase("", ""));
  EXPECT_FALSE(EqualsIgnoringCase("vozaza", "vozaz"));
  // '@' and '`' sit next to the letters: no folding may join them with 'A' or 'a'.
  EXPECT_FALSE(EqualsIgnoringCase("@", "`"));
  EXPECT_FALSE(EqualsIgnoringCase("[", "{"));
  // UTF-8 bytes compare exactly.
  EXPECT_FALSE(EqualsIgnoringCase("\xc3\xa9", "\xc3\x89"));
  EXPECT_TRUE(EqualsIgnoringCase("caf\xc3\xa9", "CAF\xc3\xa9"));
  EXPECT_EQ(UpperCase("varchar(20) \xc3\xa9"), "VARCHAR(20) \xc3\xa9");
}

TEST(EngineText, TrimmingTakesBlanksTabsAndLineEndsFromBothEnds) {
  EXPECT_EQ(Trim("  PATH = . \t\r\n"), "PATH = .");
  EXPECT_EQ(Trim(" \t\r\n"), "");
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(Trim("x"), "x");
}

}  // namespace
