// The quiz editor under Xvfb, driven by real X events: a question of a copy of the game's table
// changed in the rich text editor window (a word made bold), saved, and then seen in the game
// started on that copy.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "game_driver.h"
#include "main_window_places.h"
#include "quiz_table.h"

namespace fs = std::filesystem;

namespace {

// The question box of the editor's window, in the window's coordinates: its layout puts it at
// (8, 84) in the client area, under the 20-pixel menu bar.
constexpr int kMenuBar = 20;
const QPoint kQuestionBox{8 + 300, kMenuBar + 84 + 60};

// A copy of the game's table in a folder of its own, with an engine configuration whose alias
// "vozaza" points at it.
struct TTableCopy {
  std::string Folder = MakeTempFolder("quizedit-e2e");
  std::string Data = Folder + "/data";
  std::string Table = Data + "/vezedezavuza.db";
  std::string Config = Folder + "/dbengine.cfg";

  TTableCopy() {
    fs::create_directory(Data);
    fs::copy_file(RuntimeDir() + "/vezedezavuza.db", Table);
    std::ofstream(Config) << "[DATABASES\\vozaza\\DB INFO]\nTYPE=STANDARD\nPATH=" << Data
                          << "\nDEFAULT DRIVER=PARADOX\n";
  }
  ~TTableCopy() {
    std::error_code ignored;
    fs::remove_all(Folder, ignored);
  }
  std::string Env() const { return "DBENGINE_CONFIG=" + Config; }
};

// Whether a "\b" switch (followed by a blank or another control word) precedes Word within one group.
bool BoldBefore(const std::string& Rtf, const std::string& Word) {
  for (size_t at = Rtf.find("\\b"); at != std::string::npos; at = Rtf.find("\\b", at + 1)) {
    const size_t after = at + 2;
    if (after >= Rtf.size() || (Rtf[after] != ' ' && Rtf[after] != '\\')) continue;
    const size_t word = Rtf.find(Word, after);
    if (word != std::string::npos && Rtf.find_first_of("{}", after) > word) return true;
  }
  return false;
}

// The "Question" of the table's first row, as quizpack dump shows it.
std::string FirstQuestion(const std::string& Table) {
  const std::string dump = RunShell(RuntimeDir() + "/quizpack dump " + Table + " --password pelmut --row 1");
  const size_t from = dump.find("Question: ");
  const size_t to = dump.find("\nAnswer: ", from);
  return from == std::string::npos ? dump : dump.substr(from, to - from);
}

TEST(QuizEditor, AQuestionMadeBoldInTheEditorWindowIsSavedAndPlayedByTheGame) {
  TTableCopy copy;
  ASSERT_EQ(FirstQuestion(copy.Table).find("Zebrafish"), std::string::npos);
  {
    TGameRun editor({copy.Env()}, copy.Folder, RuntimeDir() + "/quizedit",
                    {copy.Table, "--password", "pelmut"});
    editor.SetMainWindowName("^Quiz Editor - vezedezavuza\\.db$");
    const unsigned long window = editor.MainWindow();
    ASSERT_NE(window, 0u);
    editor.Shot("quizedit-opened");

    // F2 on the question opens the editor window on it, editable.
    editor.Click(kQuestionBox.x(), kQuestionBox.y());
    editor.Keys("F2");
    const unsigned long rich = editor.WaitWindow("^Question - Edit Rich Text$");
    ASSERT_NE(rich, 0u) << "F2 opened the editor window";
    // A new last word, selected and made bold.
    editor.Keys("ctrl+End space Z e b r a f i s h", rich);
    editor.Keys("ctrl+shift+Left ctrl+b", rich);
    editor.Shot("quizedit-editor-bold", rich);
    editor.Keys("ctrl+s", rich);
    ASSERT_TRUE(editor.WaitGone("^Question - Edit Rich Text$")) << "Save and Exit closed the window";
    editor.Shot("quizedit-edited");

    // Save Question (the row's post), then close: nothing is left to ask about.
    editor.Keys("ctrl+s");
    editor.Shot("quizedit-posted");
    EXPECT_EQ(editor.CloseAndWait(), 0);
  }
  const std::string stored = FirstQuestion(copy.Table);
  EXPECT_NE(stored.find("Zebrafish"), std::string::npos) << stored;
  EXPECT_TRUE(BoldBefore(stored, "Zebrafish")) << stored;

  // The edited table written back as sources and built again holds the same rows.
  bool ok = false;
  const std::string exported = RunShell(RuntimeDir() + "/quizpack export " + copy.Table +
                                            " --password pelmut --output " + copy.Folder + "/sources",
                                        &ok);
  ASSERT_TRUE(ok) << exported;
  EXPECT_TRUE(fs::exists(copy.Folder + "/sources/banana-splits-1.quiz")) << exported;
  const std::string rebuilt =
      RunShell(RuntimeDir() + "/quizpack build --strict --password pelmut --output " + copy.Folder +
                   "/rebuilt.db " + copy.Folder + "/sources/banana-splits-1.quiz " + copy.Folder +
                   "/sources/classic-television-2.quiz " + copy.Folder + "/sources/et1.quiz",
               &ok);
  ASSERT_TRUE(ok) << rebuilt;
  EXPECT_EQ(ReadTable(copy.Folder + "/rebuilt.db", "pelmut").rows, ReadTable(copy.Table, "pelmut").rows);

  // The game on the same copy asks the changed question first in its category.
  TGameRun game({copy.Env()});
  game.Keys("alt+b");
  const QImage shot = game.Shot("quizedit-game-question");
  const std::string seen = ReadText(shot, places::TopRtf);
  EXPECT_NE(Words(seen).size(), 0u);
  bool found = false;
  for (const auto& word : Words(seen))
    found = found || word == "zebrafish";
  EXPECT_TRUE(found) << seen;
  EXPECT_EQ(game.CloseAndWait(), 0);
}

TEST(QuizEditor, WithoutAPasswordItAsksForOneAndAReadOnlyFileSaysSoInTheTitle) {
  TTableCopy copy;
  fs::permissions(copy.Table, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::string before = FileChecksum(copy.Table);
  {
    TGameRun editor({copy.Env()}, copy.Folder, RuntimeDir() + "/quizedit", {copy.Table});
    const unsigned long dialog = editor.WaitWindow("^Enter password$");
    ASSERT_NE(dialog, 0u) << "the session's password dialog asked";
    editor.Keys("p e l m u t Return", dialog);
    editor.SetMainWindowName("^Quiz Editor - vezedezavuza\\.db \\(read-only\\)$");
    ASSERT_NE(editor.MainWindow(), 0u);
    const QImage shot = editor.Shot("quizedit-read-only");
    const std::string status = ReadText(shot, QRect(0, shot.height() - 20, shot.width(), 20), 7);
    EXPECT_NE(status.find("read-only"), std::string::npos) << status;
    // Typing into the question changes nothing.
    editor.Click(kQuestionBox.x(), kQuestionBox.y());
    editor.Keys("x y z");
    EXPECT_EQ(editor.CloseAndWait(), 0) << "nothing to save, nothing asked";
  }
  EXPECT_EQ(FileChecksum(copy.Table), before);
}

}  // namespace
