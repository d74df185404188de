#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "core/exceptions.h"
#include "platform/help/help_file.h"

namespace {

constexpr const char* kHelp =
    "# Brevant help source\n"
    "help 1\n"
    "title: Brevant Pack Number 2\n"
    "= How to play\n"
    "Pick a category,\n"
    "then answer.\n"
    "\n"
    "- Ten questions <per> game\n"
    "- **Hints** halve the points\n"
    "  & more\n"
    "   \n"
    "Last words.\n"
    "= Scoring\n"
    "Ten points, or **five** after a hint\n";

TEST(HelpFile, ParsesTopicsParagraphsAndBullets) {
  const THelpFile file = ParseHelpFile(kHelp, "test.hlp");
  EXPECT_EQ(file.Title, "Brevant Pack Number 2");
  ASSERT_EQ(file.Topics.size(), 2u);
  const THelpTopic& play = file.Topics[0];
  EXPECT_EQ(play.Title, "How to play");
  ASSERT_EQ(play.Blocks.size(), 4u);
  EXPECT_EQ(play.Blocks[0].Text, "Pick a category, then answer.");
  EXPECT_EQ(play.Blocks[1].Kind, THelpBlock::TKind::Bullet);
  // An indented line carries on its list item; a line of blanks ends it.
  EXPECT_EQ(play.Blocks[2].Text, "**Hints** halve the points & more");
  EXPECT_EQ(play.Blocks[3].Kind, THelpBlock::TKind::Paragraph);
  EXPECT_EQ(play.Blocks[3].Text, "Last words.");
}

TEST(HelpFile, HtmlEscapesTextAndMarksBold) {
  const THelpFile file = ParseHelpFile(kHelp, "test.hlp");
  const std::string html = TopicToHtml(file.Topics[0]);
  EXPECT_NE(html.find("<li>Ten questions &lt;per&gt; game</li>"), std::string::npos);
  EXPECT_NE(html.find("<b>Hints</b> halve the points &amp; more"), std::string::npos);
  EXPECT_NE(html.find("</ul>\n<p>Last words.</p>"), std::string::npos);
  THelpTopic odd{"x", {{THelpBlock::TKind::Paragraph, "a ** b"}}};
  EXPECT_NE(TopicToHtml(odd).find("<p>a ** b</p>"), std::string::npos);
}

TEST(HelpFile, SearchLooksAtTitlesAndText) {
  const THelpFile file = ParseHelpFile(kHelp, "test.hlp");
  EXPECT_TRUE(TopicMatches(file.Topics[1], "FIVE"));
  EXPECT_FALSE(TopicMatches(file.Topics[1], "category"));
  EXPECT_TRUE(TopicMatches(file.Topics[0], "play"));
  EXPECT_TRUE(TopicMatches(file.Topics[0], ""));
}

TEST(HelpFile, DamagedFilesNameTheLine) {
  EXPECT_THROW(ParseHelpFile("", "a.hlp"), EReadError);
  EXPECT_THROW(ParseHelpFile("help 1\n", "a.hlp"), EReadError);
  EXPECT_THROW(ParseHelpFile("\x89PNG\r\n\x1a\n", "a.hlp"), EReadError);
  try {
    ParseHelpFile("help 1\ntitle: T\ntext before a topic\n", "a.hlp");
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "a.hlp, line 3: text before the first topic (a line starting \"= \")");
  }
}

}  // namespace

TEST(HelpFile, TheGamesHelpFileReadsWithEveryTopic) {
  std::ifstream in(std::string(BREVANT_SOURCE_DIR) + "/quiz/help/Brevant.hlp");
  ASSERT_TRUE(in);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const THelpFile file = ParseHelpFile(text, "Brevant.hlp");
  std::vector<std::string> titles;
  for (const THelpTopic& t : file.Topics)
    titles.push_back(t.Title);
  EXPECT_EQ(titles, (std::vector<std::string>{"How to play", "Scoring", "Hints", "Categories and ranks",
                                              "Keys", "Viewing and printing a text", "About"}));
}
