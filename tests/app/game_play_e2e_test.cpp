// A whole category played on the real program with the real quiz table: hints, right and
// wrong answers and an empty selection, each scored on the screen as the rules say.

#include <gtest/gtest.h>

#include <string>

#include "game_driver.h"
#include "main_window_places.h"
#include "quiz_source.h"

namespace {

std::string Join(const std::optional<TQuizBlock>& Block) {
  std::string out;
  if (!Block) return out;
  for (const std::string& line : Block->lines)
    out += line + "\n";
  return out;
}

enum class TPlay { Right, HintThenRight, Wrong, HintThenWrong, Nothing };

// A wrong letter for a question: the one after the right one.
int WrongChoice(const std::string& Letter) {
  return (Letter[0] - 'A' + 1) % 4;
}

TEST(GamePlay, AWholeCategoryScoresEveryAnswerOnTheFigureAndTheBar) {
  const TQuizSource quiz = LoadQuizSource(std::string(BREVANT_SOURCE_DIR) + "/quiz/et1.quiz", true);
  ASSERT_GE(quiz.questions.size(), 10u);
  const std::string table = RuntimeDir() + "/vezedezavuza.db";
  const std::string checksum = FileChecksum(table);
  ASSERT_FALSE(checksum.empty());

  TGameRun game;
  game.MainWindow();
  QImage shot = game.Shot("start");
  EXPECT_EQ(ReadScore(shot), "0");
  EXPECT_EQ(GreenPixelsOfBar(shot), 0);
  EXPECT_FALSE(AreaHasContent(shot, places::Navigator));

  game.Click(places::Oscars.x(), places::Oscars.y());
  shot = game.Shot("asking");
  EXPECT_TRUE(MostWordsSeen(Join(quiz.questions[0].text), ReadText(shot, places::TopRtf)));
  EXPECT_FALSE(AreaHasContent(shot, places::RiffRtf));

  const TPlay plays[10] = {TPlay::Right,         TPlay::HintThenRight, TPlay::Wrong, TPlay::Right,
                           TPlay::HintThenRight, TPlay::Wrong,         TPlay::Right, TPlay::HintThenWrong,
                           TPlay::Nothing,       TPlay::Right};
  int score = 0;
  for (int i = 0; i < 10; ++i) {
    SCOPED_TRACE("question " + std::to_string(i + 1));
    const TQuizQuestion& q = quiz.questions[i];
    const TPlay play = plays[i];
    if (play == TPlay::HintThenRight || play == TPlay::HintThenWrong) {
      game.Click(places::HintMe.x(), places::HintMe.y());
      shot = game.Shot(i == 1 ? "hinted" : "");
      EXPECT_TRUE(MostWordsSeen(Join(q.hint), ReadText(shot, places::HintRtf)));
      EXPECT_FALSE(AreaHasContent(shot, places::HintMeButton)) << "the hint is bought once";
    }
    const bool right = play == TPlay::Right || play == TPlay::HintThenRight;
    if (play != TPlay::Nothing) {
      const int choice = right ? q.letter[0] - 'A' : WrongChoice(q.letter);
      game.Click(places::Answer[choice].x(), places::Answer[choice].y());
    }
    game.Click(places::ScoreMe.x(), places::ScoreMe.y());
    if (right) score += play == TPlay::HintThenRight ? 5 : 10;

    std::string name;
    if (i == 0) name = "revealed-right";
    if (i == 2) name = "revealed-wrong";
    if (i == 9) name = "game-over";
    shot = game.Shot(name);
    EXPECT_EQ(ReadScore(shot), std::to_string(score));
    EXPECT_EQ(GreenPixelsOfBar(shot), ExpectedGreenPixels(score));
    EXPECT_TRUE(MostWordsSeen(Join(q.answer), ReadText(shot, places::TopRtf)))
        << "the answer replaces the question";
    const std::string comment = ReadText(shot, places::RiffRtf);
    EXPECT_TRUE(MostWordsSeen(Join(right ? q.encourage : q.riff), comment)) << comment;
    EXPECT_FALSE(AreaHasContent(shot, places::HintMeButton));
    EXPECT_FALSE(AreaHasContent(shot, places::ScoreMeButton));
    if (i == 9) break;

    EXPECT_TRUE(AreaHasContent(shot, places::Navigator)) << "Next is offered";
    game.Click(places::Next.x(), places::Next.y());
    shot = game.Shot();
    EXPECT_TRUE(MostWordsSeen(Join(quiz.questions[i + 1].text), ReadText(shot, places::TopRtf)));
    EXPECT_FALSE(AreaHasContent(shot, places::RiffRtf));
    EXPECT_FALSE(AreaHasContent(shot, places::HintRtf));
    EXPECT_FALSE(AreaHasContent(shot, places::Navigator));
    EXPECT_TRUE(AreaHasContent(shot, places::HintMeButton));
  }
  EXPECT_EQ(score, 50);
  // Game over: the navigator stays hidden.
  EXPECT_FALSE(AreaHasContent(shot, places::Navigator));

  EXPECT_EQ(game.CloseAndWait(), 0);
  EXPECT_EQ(FileChecksum(table), checksum) << "a game never writes to the table";
}

}  // namespace
