// The real program under Xvfb: it starts, shows its main window with the right caption
// and contents, and ends cleanly when the window is closed; asked to, it reports the stages of
// its start in order and ends at its first paint.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "x_session.h"

namespace {

std::string RuntimeDir() {
  const char* dir = std::getenv("BREVANT_RUNTIME_DIR");
  return dir != nullptr ? dir : ".";
}

TEST(Startup, MainWindowAppearsWithItsCaptionAndClosesCleanly) {
  TXvfb x;
  const std::string env = "DISPLAY=" + x.Display() + " ";
  TProcess game(RuntimeDir() + "/brevant", RuntimeDir(), {"DISPLAY=" + x.Display(), "QT_QPA_PLATFORM="});
  bool ok = false;
  const std::string found = RunShell(
      env + "timeout 30 xdotool search --sync --onlyvisible --name '^Brevant Pack Number 2$' 2>/dev/null",
      &ok);
  ASSERT_TRUE(ok) << "the main window did not appear";
  const unsigned long window = std::stoul(found.substr(0, found.find('\n')));
  EXPECT_EQ(RunShell(env + "xdotool getwindowname " + std::to_string(window)), "Brevant Pack Number 2");

  // Its client area is the layout's: outer 625 x 480 less the frame; contents are drawn.
  const std::string shot = testing::TempDir() + "/brevant-main-window.png";
  RunShell("sleep 0.5; " + env + "import -window " + std::to_string(window) + " " + shot, &ok);
  ASSERT_TRUE(ok) << "no screenshot";
  QImage image(QString::fromStdString(shot));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), 617);
  EXPECT_EQ(image.height(), 453);
  // The "Your Score:" label (224, 238) holds dark text on the window's face.
  int dark = 0;
  for (int y = 238; y < 262; ++y) {
    for (int x = 224; x < 324; ++x)
      dark += QColor(image.pixel(x, y)).lightness() < 100 ? 1 : 0;
  }
  EXPECT_GT(dark, 50);

  // A window manager's close button ends the program, with exit code 0.
  ASSERT_TRUE(RequestClose(x.Display(), window));
  EXPECT_EQ(game.Wait(20), 0);
}

TEST(Startup, ReportsItsStagesInOrderAndEndsAtTheFirstPaint) {
  TXvfb x;
  bool ok = false;
  const std::string out =
      RunShell("cd '" + RuntimeDir() + "' && DISPLAY=" + x.Display() +
                   " QT_QPA_PLATFORM= BREVANT_REPORT_FIRST_PAINT=1 BREVANT_REPORT_STARTUP=1"
                   " timeout 30 ./brevant 2>/dev/null",
               &ok);
  ASSERT_TRUE(ok) << "the program did not end on its own with exit code 0:\n" << out;
  std::istringstream lines(out);
  std::vector<std::string> names;
  std::string word, name;
  long long when = 0, last = 0;
  while (lines >> word) {
    if (word == "stage") {
      ASSERT_TRUE(lines >> name >> when) << out;
    } else {
      ASSERT_EQ(word, "first-paint") << out;
      ASSERT_TRUE(lines >> when) << out;
      name = word;
    }
    EXPECT_GE(when, last) << name << " reported before the stage ahead of it";
    last = when;
    names.push_back(name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"main", "qt-started", "classes-registered", "layout-read",
                                             "table-open", "first-paint"}));
}

}  // namespace
