// The quiz markup turned into RTF.
#include <gtest/gtest.h>

#include "quiz_error.h"
#include "quiz_markup.h"

namespace {

// The body of the document: what follows the header's "\fs20 ", without the closing "\n}".
std::string Body(const std::vector<std::string>& lines) {
  const std::string rtf = MarkupToRtf(lines, "t.quiz", 1);
  const std::string start = "\\uc1\\pard\\f0\\fs20 ";
  const auto at = rtf.find(start);
  EXPECT_NE(at, std::string::npos);
  EXPECT_EQ(rtf.substr(rtf.size() - 2), "\n}");
  return rtf.substr(at + start.size(), rtf.size() - 2 - at - start.size());
}

std::string ErrorOf(const std::vector<std::string>& lines, int firstLine = 10) {
  try {
    MarkupToRtf(lines, "q.quiz", firstLine);
  } catch (const EQuizError& error) {
    return error.what();
  }
  return "no error";
}

TEST(QuizMarkup, HeaderNamesOneSwissFontAndTheColourTable) {
  const std::string rtf = MarkupToRtf({"x"}, "t.quiz", 1);
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Sans Serif;}}", 0), 0u);
  EXPECT_NE(rtf.find("{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;"), std::string::npos);
  EXPECT_NE(rtf.find("\\red128\\green128\\blue128;}"), std::string::npos);
}

TEST(QuizMarkup, ParagraphsTitlesAndSpans) {
  EXPECT_EQ(Body({"= The Title", "Plain", "", "last"}),
            "{\\b\\fs24 The Title}\\par\nPlain\\par\n\\par\nlast");
  EXPECT_EQ(Body({"a **b** //i// __u__ {red|r} {gray|g}"}),
            "a {\\b b} {\\i i} {\\ul u} {\\cf2 r} {\\cf10 g}");
  EXPECT_EQ(Body({"{navy|x **bold //both//** y}"}), "{\\cf5 x {\\b bold {\\i both}} y}");
  EXPECT_EQ(Body({"= **Big** title"}), "{\\b\\fs24 {\\b Big} title}");
  EXPECT_EQ(Body({"== not a title"}), "== not a title");
}

TEST(QuizMarkup, EscapesForMarkupAndRtf) {
  EXPECT_EQ(Body({"\\*\\* and \\/\\/ and \\{x\\} and \\\\"}), "** and // and \\{x\\} and \\\\");
  EXPECT_EQ(Body({"tab\there"}), "tab\\tab here");
  EXPECT_EQ(Body({"Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"}), "Caf\\u233? \\u8364? \\u-10179?\\u-8704?");
}

TEST(QuizMarkup, MistakesNameFileAndLine) {
  EXPECT_EQ(ErrorOf({"fine", "**open"}), "q.quiz:11: '**' is not closed on this line");
  EXPECT_EQ(ErrorOf({"{pink|x}"}), "q.quiz:10: unknown colour 'pink'");
  EXPECT_EQ(ErrorOf({"{red no bar}"}), "q.quiz:10: '{' needs a colour and '|', as in {red|words}");
  EXPECT_EQ(ErrorOf({"a } b"}), "q.quiz:10: '}' closes no colour");
  EXPECT_EQ(ErrorOf({"**a //b** c//"}), "q.quiz:10: '**' closes while '//' is still open");
  EXPECT_EQ(ErrorOf({"{red|**x}**"}), "q.quiz:10: '}' closes a colour while '**' is open");
  EXPECT_EQ(ErrorOf({"end\\"}), "q.quiz:10: a backslash at the end of the line escapes nothing");
  EXPECT_EQ(ErrorOf({"bad \xC3("}), "q.quiz:10: the text is not valid UTF-8");
  EXPECT_EQ(ErrorOf({"overlong \xC0\xAF"}), "q.quiz:10: the text is not valid UTF-8");
}

}  // namespace
