// Start-ups that go wrong (no engine, no alias, no table file, a refused password) and
// categories with too few rows, on the real program with tables made for the test.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "game_driver.h"
#include "main_window_places.h"
#include "quiz_source.h"
#include "quiz_table.h"

namespace fs = std::filesystem;

namespace {

std::string Source(const std::string& File) {
  std::ifstream in(std::string(BREVANT_SOURCE_DIR) + "/quiz/" + File);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A folder with a configuration whose alias "vozaza" points at its "data" folder, holding
// a quiz table of the given rows and password (none when Rows is empty and NoTable).
struct TTestData {
  std::string Folder = MakeTempFolder("brevant-data");
  std::string Config = Folder + "/dbengine.cfg";
  std::string Data = Folder + "/data";

  TTestData() { fs::create_directory(Data); }
  ~TTestData() {
    std::error_code ignored;
    fs::remove_all(Folder, ignored);
  }
  void WriteConfig(const std::string& Alias) const {
    std::ofstream(Config) << "[DATABASES\\" << Alias << "\\DB INFO]\nTYPE=STANDARD\nPATH=" << Data
                          << "\nDEFAULT DRIVER=PARADOX\n";
  }
  void WriteTable(const std::vector<TQuizRow>& Rows, const std::string& Password) const {
    WriteQuizTable(Data + "/vezedezavuza.db", Password, Rows);
  }
  std::string Env() const { return "DBENGINE_CONFIG=" + Config; }
};

// The whole real table's rows.
std::vector<TQuizRow> RealRows() {
  return QuizRows({ParseQuizSource(Source("classic-television-2.quiz"), "ct", true),
                   ParseQuizSource(Source("et1.quiz"), "et", true),
                   ParseQuizSource(Source("banana-splits-1.quiz"), "bs", true)});
}

// The error box of the start-up: its text, once it is read and dismissed with OK.
std::string DismissErrorBox(TGameRun& Game) {
  const unsigned long box = Game.WaitWindow("^Brevant 2$");
  if (box == 0) return "(no message box)";
  const QImage shot = Game.Shot("", box);
  const std::string text = ReadText(shot, shot.rect(), 6);
  Game.Keys("Return", box);
  Game.WaitGone("^Brevant 2$");
  return text;
}

bool Contains(const std::string& Text, const std::string& Part) {
  return Text.find(Part) != std::string::npos;
}

TEST(GameFailures, WithoutTheEngineLibraryTheStartUpSaysSoAndTheWindowStillAppears) {
  // The program alone in a folder of its own: no engine beside it, none registered.
  TTestData data;
  fs::copy_file(RuntimeDir() + "/brevant", data.Folder + "/brevant");
  TGameRun game({}, data.Folder, data.Folder + "/brevant");
  const std::string text = DismissErrorBox(game);
  EXPECT_TRUE(Contains(text, "initialize the database engine")) << text;
  EXPECT_TRUE(Contains(text, "$2108")) << text;
  EXPECT_NE(game.MainWindow(), 0u);
  game.Shot("failure-no-engine");
  EXPECT_EQ(game.CloseAndWait(), 0);
}

TEST(GameFailures, WithoutTheAliasTheStartUpSaysSoAndTheWindowStillAppears) {
  TTestData data;
  data.WriteConfig("elsewhere");
  data.WriteTable(RealRows(), "pelmut");
  TGameRun game({data.Env()});
  const std::string text = DismissErrorBox(game);
  EXPECT_TRUE(Contains(text, "vozaza")) << text;
  EXPECT_NE(game.MainWindow(), 0u);
  EXPECT_EQ(game.CloseAndWait(), 0);
}

TEST(GameFailures, WithoutTheTableFileTheStartUpSaysSoAndTheWindowStillAppears) {
  TTestData data;
  data.WriteConfig("vozaza");
  TGameRun game({data.Env()});
  const std::string text = DismissErrorBox(game);
  EXPECT_TRUE(Contains(text, "vezedezavuza")) << text;
  EXPECT_NE(game.MainWindow(), 0u);
  EXPECT_EQ(game.CloseAndWait(), 0);
}

TEST(GameFailures, ARefusedPasswordAsksThePlayerAndAGoodOneLaterStillScoresFullPoints) {
  TTestData data;
  data.WriteConfig("vozaza");
  const std::vector<TQuizRow> rows = RealRows();
  data.WriteTable(rows, "sesame");
  TGameRun game({data.Env()});
  // At start the session asks for the table's password; Cancel gives up.
  unsigned long dialog = game.WaitWindow("^Enter password$");
  ASSERT_NE(dialog, 0u);
  game.Shot("password-dialog", dialog);
  game.Keys("Escape", dialog);
  const std::string text = DismissErrorBox(game);
  EXPECT_TRUE(Contains(text, "password")) << text;
  ASSERT_NE(game.MainWindow(), 0u);

  // The category asks again; the right password opens it and a right answer scores 10.
  game.Click(places::Oscars.x(), places::Oscars.y());
  dialog = game.WaitWindow("^Enter password$");
  ASSERT_NE(dialog, 0u);
  game.Keys("s e s a m e Return", dialog);
  const int right = rows[15].answerTx[0] - 'A';  // the first row of ET1
  game.Click(places::Answer[right].x(), places::Answer[right].y());
  game.Click(places::ScoreMe.x(), places::ScoreMe.y());
  const QImage shot = game.Shot();
  EXPECT_EQ(ReadScore(shot), "10");
  EXPECT_EQ(GreenPixelsOfBar(shot), ExpectedGreenPixels(10));
  EXPECT_EQ(game.CloseAndWait(), 0);
}

// The words of a question as the quiz source gives them.
std::string QuestionText(const std::string& File, size_t Index) {
  const TQuizSource quiz = ParseQuizSource(Source(File), File, true);
  std::string out;
  for (const std::string& line : quiz.questions[Index].text->lines)
    out += line + "\n";
  return out;
}

TEST(GameFailures, ACategoryOfThreeRowsEndsOnItsLastQuestionAndOneOfNoneScoresNothing) {
  TTestData data;
  data.WriteConfig("vozaza");
  std::vector<TQuizRow> rows;
  for (const TQuizRow& row : RealRows()) {
    if (row.quizName == "Classic Television 2" && rows.size() < 3) rows.push_back(row);
  }
  data.WriteTable(rows, "pelmut");
  TGameRun game({data.Env()});
  game.Click(places::ClassicTelevision.x(), places::ClassicTelevision.y());
  int score = 0;
  for (size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE("row " + std::to_string(i + 1));
    const int right = rows[i].answerTx[0] - 'A';
    game.Click(places::Answer[right].x(), places::Answer[right].y());
    game.Click(places::ScoreMe.x(), places::ScoreMe.y());
    score += 10;
    EXPECT_EQ(ReadScore(game.Shot()), std::to_string(score));
    // Next is still offered on the last row: the query does not know yet that it is at its end.
    game.Click(places::Next.x(), places::Next.y());
    const QImage shot = game.Shot();
    EXPECT_TRUE(MostWordsSeen(QuestionText("classic-television-2.quiz", std::min<size_t>(i + 1, 2)),
                              ReadText(shot, places::TopRtf)));
    EXPECT_TRUE(AreaHasContent(shot, places::ScoreMeButton));
  }
  // The last question again: it can be scored a second time, and then Next goes nowhere.
  const int right = rows[2].answerTx[0] - 'A';
  game.Click(places::Answer[right].x(), places::Answer[right].y());
  game.Click(places::ScoreMe.x(), places::ScoreMe.y());
  QImage shot = game.Shot("short-category-end");
  EXPECT_EQ(ReadScore(shot), "40");
  EXPECT_TRUE(AreaHasContent(shot, places::Navigator));
  game.Click(places::Next.x(), places::Next.y());
  EXPECT_EQ(game.Shot(), shot) << "Next is disabled";

  // No rows at all: nothing to read, and the empty selection is not a right answer.
  game.Click(places::Oscars.x(), places::Oscars.y());
  shot = game.Shot();
  EXPECT_FALSE(AreaHasContent(shot, places::TopRtf.adjusted(4, 4, -4, -4)));
  game.Click(places::ScoreMe.x(), places::ScoreMe.y());
  shot = game.Shot("empty-category");
  EXPECT_EQ(ReadScore(shot), "0");
  EXPECT_EQ(GreenPixelsOfBar(shot), 0);
  EXPECT_TRUE(AreaHasContent(shot, places::Navigator));
  game.Click(places::Next.x(), places::Next.y());
  EXPECT_EQ(game.Shot(), shot);
  EXPECT_EQ(game.CloseAndWait(), 0);
}

TEST(GameStartUp, TheInstalledGameStartedFromAnyFolderFindsItsEngineTableAndHelp) {
  TTestData data;
  const std::string prefix = data.Folder + "/prefix";
  bool ok = false;
  RunShell("cmake --install " + RuntimeDir() + "/.. --prefix " + prefix + " >/dev/null 2>&1", &ok);
  ASSERT_TRUE(ok) << "install failed";
  EXPECT_TRUE(fs::exists(prefix + "/share/applications/brevant.desktop"));
  EXPECT_TRUE(fs::exists(prefix + "/share/icons/hicolor/32x32/apps/brevant.png"));
  // Started through its link from a folder that holds nothing of it.
  TGameRun game({"DBENGINE_CONFIG="}, data.Data, prefix + "/bin/brevant");
  ASSERT_NE(game.MainWindow(), 0u);
  EXPECT_FALSE(game.WindowShown("^Brevant 2$")) << "no error at start";
  game.Click(places::Oscars.x(), places::Oscars.y());
  const QImage shot = game.Shot();
  const TQuizSource quiz = ParseQuizSource(Source("et1.quiz"), "et1.quiz", true);
  std::string question;
  for (const std::string& line : quiz.questions[0].text->lines)
    question += line + "\n";
  EXPECT_TRUE(MostWordsSeen(question, ReadText(shot, places::TopRtf)));
  game.Click(places::Help.x(), places::Help.y());
  EXPECT_NE(game.WaitWindow(" - Help$"), 0u) << "the help file was found";
  EXPECT_FALSE(game.WindowShown("^Help$")) << "no report of a missing help file";
}

}  // namespace
