// The quiz source format.
#include <gtest/gtest.h>

#include "quiz_error.h"
#include "quiz_source.h"

namespace {

const std::string kGood =
    "# A comment\n"
    "category: Classic Television 2\n"
    "\n"
    "question: CT01\n"
    "letter: B\n"
    "text:\n"
    "  = Title\n"
    "  First line\n"
    "\n"
    "  after an empty line\n"
    "\n"
    "answer: B. CBS\n"
    "hint:\n"
    "  Three letters\r\n"
    "# between questions\n"
    "question: CT02\n"
    "letter: A\n"
    "text:\n"
    "  Q\n"
    "answer:\n"
    "  A\n"
    "encourage:\n"
    "  Yes\n"
    "riff:\n"
    "  No\n";

std::string ErrorOf(const std::string& text, bool strict = true) {
  try {
    ParseQuizSource(text, "s.quiz", strict);
  } catch (const EQuizError& error) {
    return error.what();
  }
  return "no error";
}

TEST(QuizSource, ReadsCategoryQuestionsAndBlocks) {
  const TQuizSource source = ParseQuizSource(kGood, "s.quiz", true);
  EXPECT_EQ(source.category, "Classic Television 2");
  ASSERT_EQ(source.questions.size(), 2u);
  const TQuizQuestion& first = source.questions[0];
  EXPECT_EQ(first.order, "CT01");
  EXPECT_EQ(first.letter, "B");
  ASSERT_TRUE(first.text);
  // An empty line inside a block is an empty paragraph; the one after the block is not.
  EXPECT_EQ(first.text->lines,
            (std::vector<std::string>{"= Title", "First line", "", "after an empty line"}));
  EXPECT_EQ(first.text->firstLine, 7);
  ASSERT_TRUE(first.answer);
  EXPECT_EQ(first.answer->lines, std::vector<std::string>{"B. CBS"});
  EXPECT_EQ(first.hint->lines, std::vector<std::string>{"Three letters"});
  EXPECT_FALSE(first.encourage);
  EXPECT_EQ(source.questions[1].riff->lines, std::vector<std::string>{"No"});
}

TEST(QuizSource, MistakesNameTheLine) {
  const std::string head = "category: C\nquestion: Q1\nletter: A\ntext:\n  t\n";
  EXPECT_EQ(ErrorOf("category: Twenty-one characters\n"),
            "s.quiz:1: the category 'Twenty-one characters' is longer than 20 bytes");
  EXPECT_EQ(ErrorOf("question: Q1\n"), "s.quiz:1: 'question:' before the 'category:' line");
  EXPECT_EQ(ErrorOf("category: C\nquestion: TOOLONG\n"),
            "s.quiz:2: the order value 'TOOLONG' is longer than 5 bytes");
  EXPECT_EQ(ErrorOf(head + "answer:\n  a\nletter: B\n"), "s.quiz:8: a second 'letter:' for this question");
  EXPECT_EQ(ErrorOf("category: C\nquestion: Q1\nletter: b\n"), "s.quiz:3: the letter must be A, B, C or D");
  EXPECT_EQ(ErrorOf("category: C\nquestion: Q1\nletter: b\ntext: t\nanswer: a\n", false), "no error");
  EXPECT_EQ(ErrorOf(head), "s.quiz:2: question Q1 has no 'answer:'");
  EXPECT_EQ(ErrorOf(head + "answer:\nhint:\n  h\n"), "s.quiz:6: 'answer:' has no lines");
  EXPECT_EQ(ErrorOf("category: C\n  stray\n"), "s.quiz:2: an indented line outside a text block");
  EXPECT_EQ(ErrorOf(head + "answer:\n\ta\n"), "s.quiz:7: indent block lines with two spaces (no tabs)");
  EXPECT_EQ(ErrorOf(head + "answer: a\nbonus: x\n"), "s.quiz:7: unknown key 'bonus'");
  EXPECT_EQ(ErrorOf(head + "answer: a\njust words\n"), "s.quiz:7: expected 'key: value'");
  EXPECT_EQ(ErrorOf("# nothing\n"), "s.quiz:1: the file has no 'category:' line");
  EXPECT_EQ(ErrorOf("category: A\ncategory: B\n"), "s.quiz:2: a second 'category:' line");
}

TEST(QuizSource, RtfBlocksAndTheUserAnswerAreReadBesideTheMarkup) {
  const TQuizSource source = ParseQuizSource(
      "category: C\nquestion: Q1\nletter: B\nuser-answer: x\ntext-rtf:\n  {\\rtf1\n\n  Hi\\par}\n"
      "answer:\n  A\n",
      "s.quiz", true);
  ASSERT_EQ(source.questions.size(), 1u);
  const TQuizQuestion& question = source.questions[0];
  EXPECT_EQ(question.userAnswer, "x");
  ASSERT_TRUE(question.text.has_value());
  EXPECT_TRUE(question.text->rtf);
  EXPECT_EQ(question.text->lines, (std::vector<std::string>{"{\\rtf1", "", "Hi\\par}"}));
  EXPECT_FALSE(question.answer->rtf);
  EXPECT_EQ(ErrorOf("category: C\nquestion: Q1\nletter: B\ntext:\n  a\ntext-rtf:\n  b\nanswer: c\n"),
            "s.quiz:6: a second 'text' block for this question");
  EXPECT_EQ(ErrorOf("category: C\nquestion: Q1\nletter: B\nuser-answer: xy\n"),
            "s.quiz:4: the user answer is longer than 1 byte");
  EXPECT_EQ(ErrorOf("category: C\nquestion: Q1\nletter: B\nnote-rtf:\n  a\n"),
            "s.quiz:4: unknown key 'note-rtf'");
}

}  // namespace
