// The question box's own menu on the real program, with real pointer and key events: what the
// right click shows (read from the screen), Copy putting the question's formatted text on the
// clipboard, Find in the read-only box, and the quiz table unchanged after all of it.

#include <gtest/gtest.h>

#include <QColor>
#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

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

int Grey(QRgb Pixel) {
  return qGray(Pixel);
}

// One row of a menu as it shows: a separator line, or an entry with its text read back and
// whether its text is drawn dark (enabled) or greyed out (disabled).
struct TMenuRow {
  bool Line = false;
  std::string Text;
  bool Enabled = false;
  int Middle = 0;  // the row's middle, in screen coordinates
};

// The menu that opened between two screenshots: the connected area of changed pixels that
// starts at the point it opened at (its frame holds it together). Other changes on the screen
// (a button losing the pointer's hover) lie apart from it.
QRect ChangedArea(const QImage& Before, const QImage& After, const QPoint& At) {
  const int width = std::min(Before.width(), After.width());
  const int height = std::min(Before.height(), After.height());
  const auto changed = [&](int X, int Y) {
    return X >= 0 && Y >= 0 && X < width && Y < height && Before.pixel(X, Y) != After.pixel(X, Y);
  };
  std::vector<QPoint> todo;
  for (int dy = -3; dy <= 3 && todo.empty(); ++dy) {
    for (int dx = -3; dx <= 3 && todo.empty(); ++dx) {
      if (changed(At.x() + dx, At.y() + dy)) todo.push_back(At + QPoint(dx, dy));
    }
  }
  std::vector<bool> seen(static_cast<size_t>(width) * static_cast<size_t>(std::max(height, 0)), false);
  QRect area;
  while (!todo.empty()) {
    const QPoint p = todo.back();
    todo.pop_back();
    const size_t index = static_cast<size_t>(p.y()) * static_cast<size_t>(width) + static_cast<size_t>(p.x());
    if (seen[index]) continue;
    seen[index] = true;
    area |= QRect(p, QSize(1, 1));
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        if (changed(p.x() + dx, p.y() + dy)) todo.push_back(p + QPoint(dx, dy));
      }
    }
  }
  return area;
}

std::string Letters(const std::string& Text) {
  std::string out;
  for (const char c : Text) {
    if (std::isalpha(static_cast<unsigned char>(c))) out += static_cast<char>(std::tolower(c));
  }
  return out;
}

// Reads a menu's rows from a screenshot: bands of rows holding anything darker than the menu's
// background, inside its frame. A band one or two pixels high that runs across the menu is a
// separator; any other band is an entry's text, with the underline of its key letter (a thin
// band just below it) joined to it.
std::vector<TMenuRow> MenuRows(const QImage& Screen, const QRect& Menu) {
  const QRect inside = Menu.adjusted(3, 3, -3, -3);
  const int background = Grey(Screen.pixel(inside.left() + 1, inside.top() + 1));
  const auto inked = [&](int X, int Y) { return Grey(Screen.pixel(X, Y)) < background - 24; };
  struct TBand {
    int Top, Bottom;  // inclusive
    bool Line;
  };
  std::vector<TBand> bands;
  int start = -1, widest = 0;
  for (int y = inside.top(); y <= inside.bottom() + 1; ++y) {
    int count = 0;
    for (int x = inside.left(); y <= inside.bottom() && x <= inside.right(); ++x)
      count += inked(x, y) ? 1 : 0;
    if (count > 0) {
      if (start < 0) start = y, widest = 0;
      widest = std::max(widest, count);
      continue;
    }
    if (start < 0) continue;
    const bool line = y - start <= 2 && widest > inside.width() / 2;
    if (!line && !bands.empty() && !bands.back().Line && start - bands.back().Bottom <= 3) {
      bands.back().Bottom = y - 1;
    } else {
      bands.push_back({start, y - 1, line});
    }
    start = -1;
  }
  std::vector<TMenuRow> rows;
  for (const TBand& b : bands) {
    TMenuRow row;
    row.Line = b.Line;
    row.Middle = (b.Top + b.Bottom) / 2;
    if (!b.Line) {
      const QRect band(inside.left(), b.Top, inside.width(), b.Bottom - b.Top + 1);
      int darkest = 255;
      for (int y = band.top(); y <= band.bottom(); ++y) {
        for (int x = band.left(); x <= band.right(); ++x)
          darkest = std::min(darkest, Grey(Screen.pixel(x, y)));
      }
      row.Text = Letters(ReadText(Screen, band.adjusted(-2, -3, 2, 3), 7));
      // Enabled text is drawn in the window-text colour, disabled text in a light grey.
      row.Enabled = darkest < 100;
    }
    rows.push_back(row);
  }
  return rows;
}

std::string Describe(const std::vector<TMenuRow>& Rows) {
  std::string out;
  for (const TMenuRow& r : Rows)
    out += (out.empty() ? "" : " | ") + (r.Line ? std::string("-") : r.Text + (r.Enabled ? "" : "(off)"));
  return out;
}

class TQuestionBox {
 public:
  explicit TQuestionBox(TGameRun& Game) : Game_(Game) {}
  // Right-clicks the question box and reads the menu that opens.
  std::vector<TMenuRow> RightClick(const std::string& Name) {
    QRect window;
    const QImage before = Game_.ScreenShot(Name + "-before", &window);
    const QPoint at = window.topLeft() + places::TopRtf.center();
    Shell("xdotool mousemove " + std::to_string(at.x()) + " " + std::to_string(at.y()) + " click 3");
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    Screen_ = Game_.ScreenShot(Name, &window);
    Menu_ = ChangedArea(before, Screen_, at);
    return Menu_.width() > 20 ? MenuRows(Screen_, Menu_) : std::vector<TMenuRow>{};
  }
  // Clicks an entry of the menu that is open.
  void Choose(const TMenuRow& Row) {
    const int x = Menu_.left() + 30;
    Shell("xdotool mousemove " + std::to_string(x) + " " + std::to_string(Row.Middle) + " click 1");
  }
  std::string Shell(const std::string& Command) {
    return RunShell("DISPLAY=" + Game_.Display() + " " + Command);
  }

 private:
  TGameRun& Game_;
  QImage Screen_;
  QRect Menu_;
};

const TMenuRow* Row(const std::vector<TMenuRow>& Rows, const std::string& Text) {
  for (const TMenuRow& r : Rows)
    if (!r.Line && r.Text == Text) return &r;
  return nullptr;
}

// Pixels of the selection's colour in an area of the window.
int Highlighted(const QImage& Shot, const QRect& Area) {
  int count = 0;
  for (int y = Area.top(); y <= Area.bottom(); ++y) {
    for (int x = Area.left(); x <= Area.right(); ++x) {
      const QColor c(Shot.pixel(x, y));
      count += c.blue() > 150 && c.red() < 120 && c.green() > 90 && c.green() < 190 ? 1 : 0;
    }
  }
  return count;
}

// A word of the question that it holds once, below its heading line ("Question 1": a search
// from the caret at the start never matches there), for Find.
std::string WordToFind(const std::string& Question) {
  const auto lowered = [](std::string Text) {
    for (char& c : Text)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return Text;
  };
  const std::string lower = lowered(Question);
  const size_t heading = lower.find('\n');
  for (const std::string& w : Words(Question.substr(heading == std::string::npos ? 0 : heading + 1))) {
    const std::string word = lowered(w);
    const size_t at = lower.find(word);
    if (word.size() >= 6 && at != std::string::npos && at > 0 && at == lower.rfind(word) &&
        std::all_of(word.begin(), word.end(), ::isalpha))
      return word;
  }
  return {};
}

// How many pixels of an area differ between two shots (a blinking caret makes a few).
int Differing(const QImage& A, const QImage& B, const QRect& Area) {
  int count = 0;
  for (int y = Area.top(); y <= Area.bottom(); ++y) {
    for (int x = Area.left(); x <= Area.right(); ++x)
      count += A.pixel(x, y) != B.pixel(x, y) ? 1 : 0;
  }
  return count;
}

TEST(GameRichCommands, TheQuestionBoxMenuViewsCopiesAndFindsWithoutTouchingTheTable) {
  const TQuizSource quiz =
      LoadQuizSource(std::string(BREVANT_SOURCE_DIR) + "/quiz/classic-television-2.quiz", true);
  const std::string question = Join(quiz.questions.at(0).text);
  const std::string word = WordToFind(question);
  ASSERT_FALSE(word.empty());
  const std::string table = RuntimeDir() + "/vezedezavuza.db";
  const std::string checksum = FileChecksum(table);
  ASSERT_FALSE(checksum.empty());

  TGameRun game;
  TQuestionBox box(game);
  game.Click(places::ClassicTelevision.x(), places::ClassicTelevision.y());
  const QImage asking = game.Shot("rich-asking");
  ASSERT_TRUE(MostWordsSeen(question, ReadText(asking, places::TopRtf)));

  // The right click: View, a line, the clipboard with Cut and Paste greyed, a line, Find.
  std::vector<TMenuRow> rows = box.RightClick("rich-menu");
  ASSERT_EQ(Describe(rows), "view | - | cut(off) | copy(off) | paste(off) | - | find");
  // View opens the read-only viewer of the question; Esc closes it and leaves the box as it was.
  box.Choose(rows[0]);
  const unsigned long viewer = game.WaitWindow("^Edit Rich Text$");
  ASSERT_NE(viewer, 0u) << "View opened the viewer";
  EXPECT_TRUE(MostWordsSeen(question, ReadText(game.Shot("rich-view", viewer), QRect(0, 20, 600, 300))));
  game.Keys("Escape", viewer);
  ASSERT_TRUE(game.WaitGone("^Edit Rich Text$"));
  EXPECT_LT(Differing(game.Shot(), asking, places::TopRtf), 40);

  // With the whole question selected, Copy is enabled and puts it on the clipboard as RTF.
  game.Click(places::TopRtf.left() + 20, places::TopRtf.top() + 20);
  game.Keys("ctrl+a");
  rows = box.RightClick("rich-menu-selection");
  ASSERT_EQ(Describe(rows), "view | - | cut(off) | copy | paste(off) | - | find");
  ASSERT_NE(Row(rows, "copy"), nullptr);
  box.Choose(*Row(rows, "copy"));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const std::string targets = box.Shell("xclip -selection clipboard -o -t TARGETS");
  EXPECT_NE(targets.find("text/rtf"), std::string::npos) << targets;
  const std::string rtf = box.Shell("xclip -selection clipboard -o -t text/rtf");
  EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u) << rtf.substr(0, 80);
  EXPECT_NE(rtf.find("\\b"), std::string::npos) << "the bold name stays bold";
  EXPECT_TRUE(MostWordsSeen(question, box.Shell("xclip -selection clipboard -o -t UTF8_STRING")));

  // Find in the read-only box: the one match is selected, then the search says it came round.
  game.Click(places::TopRtf.left() + 6, places::TopRtf.top() + 6);
  rows = box.RightClick("rich-menu-find");
  ASSERT_NE(Row(rows, "find"), nullptr) << Describe(rows);
  box.Choose(*Row(rows, "find"));
  const unsigned long find = game.WaitWindow("^Find$");
  ASSERT_NE(find, 0u) << "the find dialog opened";
  EXPECT_EQ(Highlighted(game.Shot(), places::TopRtf), 0);
  std::string letters;
  for (const char c : word)
    letters += std::string(letters.empty() ? "" : " ") + c;
  game.Keys(letters + " Return", find);
  const QImage found = game.Shot("rich-found");
  EXPECT_GT(Highlighted(found, places::TopRtf), 50)
      << "the match shows selected while the dialog has the focus";
  game.Keys("Return", find);
  const unsigned long message = game.WaitWindow("^Information$");
  ASSERT_NE(message, 0u) << "the search came round";
  const QImage report = game.Shot("rich-no-more-matches", message);
  EXPECT_NE(ReadText(report, report.rect()).find("No more matches found"), std::string::npos);
  game.Keys("Return", message);
  EXPECT_TRUE(game.WaitGone("^Information$"));
  ASSERT_TRUE(RequestClose(game.Display(), find));
  EXPECT_TRUE(game.WaitGone("^Find$"));
  // The question is as it was.
  EXPECT_TRUE(MostWordsSeen(question, ReadText(game.Shot(), places::TopRtf)));

  EXPECT_EQ(game.CloseAndWait(), 0);
  EXPECT_EQ(FileChecksum(table), checksum) << "nothing of this writes to the table";
}

}  // namespace
