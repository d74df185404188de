#pragma once
// Drives the real program under a private Xvfb the way a player does: real pointer and key
// events through xdotool, screenshots through ImageMagick, text read back from the
// screenshots with tesseract. Every screenshot is kept under build/artefacts/app/.

#include <QImage>
#include <QRect>
#include <memory>
#include <string>
#include <vector>

#include "temp_folder.h"
#include "x_session.h"

// The folder of the built program, its engine, table and help file.
std::string RuntimeDir();
// The hex SHA-256 of a file.
std::string FileChecksum(const std::string& Path);

class TGameRun {
 public:
  // Starts Program (the built game by default) in Dir with Env added to the environment.
  // The user's configuration folder is a private empty one unless Env names another.
  explicit TGameRun(const std::vector<std::string>& Env = {}, const std::string& Dir = RuntimeDir(),
                    const std::string& Program = RuntimeDir() + "/brevant",
                    const std::vector<std::string>& Args = {});
  ~TGameRun();

  // The id of a visible window whose name matches the regular expression, waiting up to
  // Seconds; 0 when none appeared.
  unsigned long WaitWindow(const std::string& NameRegex, double Seconds = 20);
  bool WindowShown(const std::string& NameRegex) { return WaitWindow(NameRegex, 0.3) != 0; }
  // Waits up to Seconds for every such window to go; whether they went.
  bool WaitGone(const std::string& NameRegex, double Seconds = 15);
  // The main window, once it is shown (fails the test when it is not).
  unsigned long MainWindow();
  // The name of the program's main window, for programs other than the game.
  void SetMainWindowName(const std::string& NameRegex) { MainName_ = NameRegex; }

  // Pointer and keys, in the main window's client coordinates (or another window's).
  void Click(int X, int Y) { ClickIn(MainWindow(), X, Y); }
  void ClickIn(unsigned long Window, int X, int Y);
  void Hover(int X, int Y);
  void Keys(const std::string& Keys, unsigned long Window = 0);

  // A screenshot of the main window (or another) once it has stopped changing, kept as
  // artefact Name.png when Name is given.
  QImage Shot(const std::string& Name = {}, unsigned long Window = 0);
  // The whole screen and where the main window lies on it.
  QImage ScreenShot(const std::string& Name, QRect* MainWindowArea);

  // Asks the main window to close as a window manager's close button does; the exit code.
  int CloseAndWait();
  // Waits up to Seconds for the program to end by itself; its exit code (-1: still running).
  int WaitExit(double Seconds);
  // Drags with the left button in a window's client coordinates, in small steps.
  void Drag(unsigned long Window, int FromX, int FromY, int ToX, int ToY);
  std::string Display() const { return X_.Display(); }

 private:
  std::string Shell(const std::string& Command, bool* Ok = nullptr);
  void WaitIdle();
  QImage Capture(unsigned long Window, const std::string& Path);

  TXvfb X_;
  std::string ConfigHome_;
  std::unique_ptr<TProcess> Game_;
  unsigned long Main_ = 0;
  std::string MainName_ = "^Brevant Pack Number 2$";
};

// Text read from an area of an image (enlarged first: the game's fonts are small). Layout is
// the reader's page layout: 6 a block of lines, 7 a single line.
std::string ReadText(const QImage& Image, const QRect& Area, int Layout = 6);
// The score figure beside "Your Score:".
std::string ReadScore(const QImage& Window);
// Lower-case words of at least four letters or digits.
std::vector<std::string> Words(const std::string& Text);
// Whether most (three in four) of Expected's long words are in Seen.
bool MostWordsSeen(const std::string& Expected, const std::string& Seen);

// The main window's score bar: pixels of the bar colour along its top interior row.
int GreenPixelsOfBar(const QImage& Window);
// The number of green pixels a bar at Percent shows: its interior is 597 pixels wide and
// halves round to the even neighbour.
int ExpectedGreenPixels(int Percent);
// Whether an area of the window holds anything but the window's face colour.
bool AreaHasContent(const QImage& Window, const QRect& Area);
