#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text.h"

namespace {

using Names = std::vector<std::string>;

TEST(Text, CaseFoldingTouchesOnlyAsciiLetters) {
  EXPECT_EQ(LowerCase("Quiz-Name_42 ÄÖ"), "quiz-name_42 ÄÖ");
  EXPECT_EQ(UpperCase("quiz-name_42 äö"), "QUIZ-NAME_42 äö");
  // The bytes next to the letters in ASCII ('@', '[', '`', '{') are not letters.
  EXPECT_EQ(LowerCase("@[`{"), "@[`{");
  EXPECT_EQ(UpperCase("@[`{"), "@[`{");
}

TEST(Text, SameTextIgnoresCaseButNotLengthOrOtherBytes) {
  EXPECT_TRUE(SameText("QuizName", "QUIZNAME"));
  EXPECT_TRUE(SameText("", ""));
  EXPECT_FALSE(SameText("Quiz", "Quiz "));
  EXPECT_FALSE(SameText("[", "{"));  // 0x5B and 0x7B differ by the case bit but are no letters
  // UTF-8 letters are compared as bytes: a different case is a different name.
  EXPECT_FALSE(SameText("Ä", "ä"));
  EXPECT_TRUE(SameText(std::string_view("a\0b", 3), std::string_view("A\0B", 3)));
}

TEST(Text, CompareTextOrdersAsTheLowerCaseFormsWould) {
  EXPECT_EQ(CompareText("apple", "APPLE"), 0);
  EXPECT_LT(CompareText("Apple", "banana"), 0);
  EXPECT_GT(CompareText("banana", "Apple"), 0);
  EXPECT_LT(CompareText("app", "Apple"), 0);  // a prefix sorts first
  EXPECT_GT(CompareText("apple", "APP"), 0);
  // '_' (0x5F) lies between the upper and the lower letters: folding to lower case puts it first.
  EXPECT_LT(CompareText("_", "a"), 0);
  EXPECT_LT(CompareText("_", "A"), 0);
  // Bytes above 0x7F sort after ASCII, not before it as signed chars would.
  EXPECT_GT(CompareText("\xC3\xA4", "z"), 0);
}

TEST(Text, TrimmingRemovesSpacesAndControlCharactersOnly) {
  EXPECT_EQ(Trim("  \t Hint \r\n"), "Hint");
  EXPECT_EQ(Trim(std::string_view("\0\x1F x\x7F ", 6)), "x\x7F");  // DEL is no blank
  EXPECT_EQ(Trim(" a b "), "a b");                                 // inner blanks stay
  EXPECT_EQ(Trim(" \t\r\n"), "");
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(TrimLeft("  x  "), "x  ");
  EXPECT_EQ(TrimRight("  x \r"), "  x");
  // UTF-8 continuation bytes (0x80 to 0xBF) are text, never trimmed.
  EXPECT_EQ(Trim("\xC2\xA0"), "\xC2\xA0");
}

TEST(Text, SplitNamesTrimsEachNameAndDropsEmptyOnes) {
  EXPECT_EQ(SplitNames("Name;Category; Order"), (Names{"Name", "Category", "Order"}));
  EXPECT_EQ(SplitNames(" ; Name ;;\tOrder\t;"), (Names{"Name", "Order"}));
  EXPECT_EQ(SplitNames(""), Names{});
  EXPECT_EQ(SplitNames(";;"), Names{});
  EXPECT_EQ(SplitNames("Only"), Names{"Only"});
  EXPECT_EQ(SplitNames("A,B ,C", ','), (Names{"A", "B", "C"}));
  EXPECT_EQ(SplitNames("First Name;Last Name"), (Names{"First Name", "Last Name"}));
}

}  // namespace
