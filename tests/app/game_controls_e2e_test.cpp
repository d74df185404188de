// The main window's keys, hints, Help and About, and what Hint and Score do before any
// category is chosen, on the real program.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "game_driver.h"
#include "main_window_places.h"
#include "quiz_source.h"

namespace {

std::string Join(const std::optional<TQuizBlock>& Block) {
  std::string out;
  for (const std::string& line : Block ? Block->lines : std::vector<std::string>{})
    out += line + "\n";
  return out;
}

TQuizSource Quiz(const std::string& File) {
  return LoadQuizSource(std::string(BREVANT_SOURCE_DIR) + "/quiz/" + File, true);
}

// The tool tip's box near a point of the screen: the extent of the tool tip's pale yellow
// background below and beside the pointer (empty when none shows).
QRect ToolTipBox(const QImage& Screen, const QPoint& Pointer) {
  QRect box;
  const QRect around = QRect(Pointer.x() - 60, Pointer.y(), 360, 60).intersected(Screen.rect());
  for (int y = around.top(); y <= around.bottom(); ++y) {
    for (int x = around.left(); x <= around.right(); ++x) {
      const QColor c(Screen.pixel(x, y));
      if (c.red() > 240 && c.green() > 240 && c.blue() > 180 && c.blue() < 235) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

// Whether the tool tip Expected shows while the pointer rests at Point of the main window.
bool ToolTipShown(TGameRun& Game, const QPoint& Point, const std::string& Expected, const std::string& Name) {
  Game.Hover(Point.x(), Point.y());
  std::string seen;
  for (int i = 0; i < 12; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    QRect window;
    const QImage screen = Game.ScreenShot(Name, &window);
    const QRect box = ToolTipBox(screen, window.topLeft() + Point);
    if (box.width() < 20) continue;
    seen = ReadText(screen, box, 7);
    if (seen.find(Expected) != std::string::npos) return true;
  }
  ADD_FAILURE() << "tool tip read as: " << seen;
  return false;
}

// Moves the pointer to a bare spot of the window, so that no tool tip covers it.
void RestPointer(TGameRun& Game) {
  Game.Hover(600, 200);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

// The inside of a rich text box holds nothing but its background.
bool Blank(const QImage& Shot, const QRect& Box) {
  return !AreaHasContent(Shot, Box.adjusted(4, 4, -4, -4));
}

TEST(GameControls, ShortcutsWorkOnlyOnVisibleEnabledButtonsAndHintsShowOnHover) {
  const TQuizSource quiz = Quiz("classic-television-2.quiz");
  TGameRun game;
  game.Keys("alt+2");
  QImage shot = game.Shot();
  ASSERT_TRUE(MostWordsSeen(Join(quiz.questions[0].text), ReadText(shot, places::TopRtf)))
      << "Alt+2 chose Classic Television 2";

  game.Keys("alt+h");
  shot = game.Shot();
  EXPECT_TRUE(MostWordsSeen(Join(quiz.questions[0].hint), ReadText(shot, places::HintRtf)))
      << "Alt+H gave the hint";
  EXPECT_FALSE(AreaHasContent(shot, places::HintMeButton));
  EXPECT_FALSE(game.WindowShown(" - Help$"));

  game.Keys("alt+s");
  shot = game.Shot();
  EXPECT_TRUE(MostWordsSeen(Join(quiz.questions[0].answer), ReadText(shot, places::TopRtf)))
      << "Alt+S scored";
  EXPECT_TRUE(ToolTipShown(game, places::Next, "Next record", "tooltip-next"));
  EXPECT_TRUE(ToolTipShown(game, places::YourScore, "Click on the score to cheat", "tooltip-score"));
  RestPointer(game);

  // The chosen category's shortcut is dead: the revealed answer stays and Score stays hidden.
  game.Keys("alt+2");
  shot = game.Shot();
  EXPECT_TRUE(MostWordsSeen(Join(quiz.questions[0].answer), ReadText(shot, places::TopRtf)));
  EXPECT_FALSE(AreaHasContent(shot, places::ScoreMeButton));

  // Clicking the score's caption or its figure changes nothing.
  game.Click(places::YourScore.x(), places::YourScore.y());
  game.Click(362, 250);
  RestPointer(game);
  EXPECT_EQ(game.Shot(), shot);

  // With "Hint me!" hidden, Alt+H is Help's: the help viewer opens once.
  game.Keys("alt+h");
  const unsigned long help = game.WaitWindow(" - Help$");
  ASSERT_NE(help, 0u) << "Alt+H opened Help";
  game.Shot("help", help);
  EXPECT_EQ(RunShell("DISPLAY=" + game.Display() + " xdotool search --onlyvisible --name ' - Help$' | wc -l"),
            "1");
  EXPECT_EQ(game.CloseAndWait(), 0);
}

TEST(GameControls, HintAndScoreBeforeAnyCategoryShowTheStoredTextsAndScoreNothing) {
  TGameRun game;
  QImage shot = game.Shot();
  EXPECT_TRUE(Blank(shot, places::TopRtf));
  game.Click(places::HintMe.x(), places::HintMe.y());
  shot = game.Shot();
  EXPECT_NE(ReadText(shot, places::HintRtf, 7).find("HintRtf"), std::string::npos);

  game.Click(places::ScoreMe.x(), places::ScoreMe.y());
  shot = game.Shot("before-category-scored");
  EXPECT_NE(ReadText(shot, places::RiffRtf, 7).find("RiffRtf"), std::string::npos);
  EXPECT_TRUE(Blank(shot, places::TopRtf));
  // No question, no right answer: the empty selection scores nothing.
  EXPECT_EQ(ReadScore(shot), "0");
  EXPECT_EQ(GreenPixelsOfBar(shot), 0);
  // The navigator shows, but its Next has nowhere to go.
  EXPECT_TRUE(AreaHasContent(shot, places::Navigator));
  game.Click(places::Next.x(), places::Next.y());
  EXPECT_EQ(game.Shot(), shot);

  // Help works before any category, too.
  game.Click(places::Help.x(), places::Help.y());
  const unsigned long help = game.WaitWindow(" - Help$");
  ASSERT_NE(help, 0u);
  ASSERT_TRUE(RequestClose(game.Display(), help));
  EXPECT_TRUE(game.WaitGone(" - Help$"));

  // A category afterwards starts a clean game.
  const TQuizSource quiz = Quiz("banana-splits-1.quiz");
  game.Click(places::Rights.x(), places::Rights.y());
  shot = game.Shot();
  EXPECT_TRUE(MostWordsSeen(Join(quiz.questions[0].text), ReadText(shot, places::TopRtf)));
  EXPECT_FALSE(AreaHasContent(shot, places::RiffRtf));
  EXPECT_FALSE(AreaHasContent(shot, places::HintRtf));
  EXPECT_FALSE(AreaHasContent(shot, places::Navigator));
  EXPECT_EQ(ReadScore(shot), "0");
  const int right = quiz.questions[0].letter[0] - 'A';
  game.Click(places::Answer[right].x(), places::Answer[right].y());
  game.Click(places::ScoreMe.x(), places::ScoreMe.y());
  shot = game.Shot();
  EXPECT_EQ(ReadScore(shot), "10");
  EXPECT_EQ(GreenPixelsOfBar(shot), ExpectedGreenPixels(10));
  EXPECT_EQ(game.CloseAndWait(), 0);
}

TEST(GameControls, AboutOpensAndClosesAnyNumberOfTimesLeavingTheGameAsItWas) {
  TGameRun game;
  game.Click(places::Oscars.x(), places::Oscars.y());
  game.Click(places::HintMe.x(), places::HintMe.y());
  const QImage before = game.Shot();
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE("About, time " + std::to_string(i + 1));
    game.Click(places::About.x(), places::About.y());
    const unsigned long about = game.WaitWindow("^About Brevant$");
    ASSERT_NE(about, 0u);
    const QImage box = game.Shot(i == 0 ? "about" : "", about);
    EXPECT_EQ(box.size(), QSize(356, 293));
    EXPECT_NE(ReadText(box, QRect(90, 40, 200, 30), 7).find("Version 2"), std::string::npos);
    // The main window takes no clicks while the box is up.
    game.Click(places::ScoreMe.x(), places::ScoreMe.y());
    if (i % 2 == 0)
      game.ClickIn(about, 135 + 37, 252 + 12);  // OK
    else
      ASSERT_TRUE(RequestClose(game.Display(), about));  // the close button
    EXPECT_TRUE(game.WaitGone("^About Brevant$"));
  }
  EXPECT_EQ(game.Shot(), before) << "the game is unchanged";
  EXPECT_EQ(game.CloseAndWait(), 0);
}

}  // namespace
