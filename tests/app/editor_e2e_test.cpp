// The rich text editor window on the real programs under Xvfb, driven by real X events: the
// game's read-only viewer opened with F2, and the editable window of richedit.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "game_driver.h"
#include "main_window_places.h"
#include "quiz_source.h"

namespace {

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

// Whether a first-line or left indent other than 0 is written ("\fi720", "\li360", ...).
bool HasIndent(const std::string& Rtf) {
  for (const char* tag : {"\\fi", "\\li"})
    for (size_t at = Rtf.find(tag); at != std::string::npos; at = Rtf.find(tag, at + 1))
      if (at + 3 < Rtf.size() && Rtf[at + 3] >= '1' && Rtf[at + 3] <= '9') return true;
  return false;
}

std::string Join(const std::optional<TQuizBlock>& Block) {
  std::string out;
  for (const std::string& line : Block ? Block->lines : std::vector<std::string>{})
    out += line + "\n";
  return out;
}

std::string Lower(std::string Text) {
  for (char& c : Text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return Text;
}

// The menu bar, the tool bar, the format bar and the ruler of the editor window, in its own
// coordinates (the window holds the menu bar above its client area).
constexpr int kMenuBar = 20;
const QRect kMenuBarArea{0, 0, 300, kMenuBar};
// Where the first-line marker sits at a paragraph without indent: on the ruler (56 below the
// client area's top), 4 pixels in and 4 down, 9 by 8 pixels.
const QPoint kFirstLineMarker{6 + 4, kMenuBar + 56 + 4 + 4};

TEST(EditorWindow, F2OrViewOnTheQuestionOpensAReadOnlyViewerOfTheSameText) {
  const TQuizSource quiz =
      LoadQuizSource(std::string(BREVANT_SOURCE_DIR) + "/quiz/classic-television-2.quiz", true);
  const std::string table = RuntimeDir() + "/vezedezavuza.db";
  const std::string before = FileChecksum(table);
  {
    TGameRun game;
    game.Keys("alt+2");
    game.Shot();
    game.Click(places::TopRtf.center().x(), places::TopRtf.center().y());
    game.Keys("F2");
    const unsigned long viewer = game.WaitWindow("^Edit Rich Text$");
    ASSERT_NE(viewer, 0u) << "F2 opened the viewer";
    const QImage shot = game.Shot("editor-viewer", viewer);
    const std::string question = Join(quiz.questions[0].text);
    EXPECT_TRUE(
        MostWordsSeen(question, ReadText(shot, QRect(0, kMenuBar, shot.width(), shot.height() - kMenuBar))))
        << "the viewer shows the question";
    // No tool bar, format bar or ruler: the text starts right under the menu bar, and the
    // menu bar offers File and Edit only.
    const std::string bar = Lower(ReadText(shot, kMenuBarArea, 7));
    EXPECT_NE(bar.find("file"), std::string::npos) << bar;
    EXPECT_NE(bar.find("edit"), std::string::npos) << bar;
    EXPECT_EQ(bar.find("view"), std::string::npos) << bar;
    EXPECT_EQ(bar.find("format"), std::string::npos) << bar;

    game.Keys("Escape", viewer);
    EXPECT_TRUE(game.WaitGone("^Edit Rich Text$")) << "Esc closed the viewer";

    // Again, for the File menu: Print, Page Setup and Exit only; Exit closes the viewer.
    game.Keys("F2");
    const unsigned long again = game.WaitWindow("^Edit Rich Text$");
    ASSERT_NE(again, 0u);
    game.Shot({}, again);
    game.Keys("alt+f", again);
    QRect area;
    const QImage screen = game.ScreenShot("editor-viewer-file-menu", &area);
    const std::string menu = Lower(ReadText(screen, screen.rect()));
    EXPECT_NE(menu.find("print"), std::string::npos) << menu;
    EXPECT_NE(menu.find("page set"), std::string::npos) << menu;
    EXPECT_NE(menu.find("exit"), std::string::npos) << menu;
    EXPECT_EQ(menu.find("save"), std::string::npos) << menu;
    EXPECT_EQ(menu.find("load"), std::string::npos) << menu;
    game.Keys("x", again);
    EXPECT_TRUE(game.WaitGone("^Edit Rich Text$")) << "Exit closed the viewer";

    // The box's own menu: "&View" opens the same viewer.
    RunShell("DISPLAY=" + game.Display() + " xdotool mousemove --window " +
             std::to_string(game.MainWindow()) + " " + std::to_string(places::TopRtf.center().x()) + " " +
             std::to_string(places::TopRtf.center().y()) + " click 3 sleep 0.5 key v");
    const unsigned long viewed = game.WaitWindow("^Edit Rich Text$");
    ASSERT_NE(viewed, 0u) << "View opened the viewer";
    EXPECT_TRUE(MostWordsSeen(
        question, ReadText(game.Shot("editor-viewer-by-menu", viewed), QRect(0, kMenuBar, 600, 300))));
    game.Keys("Escape", viewed);
    EXPECT_TRUE(game.WaitGone("^Edit Rich Text$"));
    EXPECT_EQ(game.CloseAndWait(), 0);
  }
  EXPECT_EQ(FileChecksum(table), before) << "the table is untouched";
}

TEST(EditorWindow, RicheditStoresABoldWordAndAFirstLineIndent) {
  const std::string folder = MakeTempFolder("richedit");
  const std::string file = folder + "/letter.rtf";
  TGameRun edit({}, folder, RuntimeDir() + "/richedit", {file});
  const unsigned long window = edit.WaitWindow("Edit Rich Text$");
  ASSERT_NE(window, 0u);
  edit.Shot("editor-editable", window);
  edit.Keys("p l a i n space b o l d", window);
  // The last word selected, then bold.
  edit.Keys("ctrl+shift+Left ctrl+b", window);
  edit.Drag(window, kFirstLineMarker.x(), kFirstLineMarker.y(), kFirstLineMarker.x() + 48,
            kFirstLineMarker.y());
  edit.Shot("editor-editable-typed", window);
  edit.Keys("ctrl+s", window);
  ASSERT_EQ(edit.WaitExit(20), 0) << "Save and Exit ended richedit with the file written";

  std::ifstream in(file, std::ios::binary);
  const std::string rtf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(rtf.substr(0, 5), "{\\rtf") << rtf;
  EXPECT_TRUE(BoldBefore(rtf, "bold")) << rtf;
  EXPECT_TRUE(HasIndent(rtf)) << rtf;
  EXPECT_NE(rtf.find("plain"), std::string::npos);
  std::filesystem::remove_all(folder);
}

}  // namespace
