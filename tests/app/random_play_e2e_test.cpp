// Random play on the real program: clicks and keys chosen by a seeded generator across the main
// window, its About box, the password dialog, the help viewer and any box that comes up. The run
// fails on a crash, a sanitizer report, a window that stops answering, a changed table, or a file
// left in the home folder.
//
// It runs for BREVANT_RANDOM_PLAY_SECONDS (60 by default) with the seed BREVANT_RANDOM_PLAY_SEED
// (20261208 by default), so a failure can be played again.

#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "game_driver.h"
#include "main_window_places.h"
#include "quiz_source.h"
#include "quiz_table.h"

// Last: the X headers define names (Status, Bool, None) that the others use.
#include <X11/Xlib.h>

namespace fs = std::filesystem;
using std::chrono::steady_clock;

namespace {

const char* const kMainWindow = "^Brevant Pack Number 2$";

// A window closed between finding it and sending it something is no failure of the game: X errors
// are ignored instead of ending the test program, as the library's default handler would.
int IgnoreXError(::Display*, XErrorEvent*) {
  return 0;
}

long EnvNumber(const char* Name, long Default) {
  const char* value = std::getenv(Name);
  return value != nullptr && *value != '\0' ? std::strtol(value, nullptr, 10) : Default;
}

// Whether the program's GUI thread answers a window manager's ping on Target within Seconds:
// the toolkit answers it from its event loop, so a loop that is stuck does not.
bool AnswersPing(const std::string& Display, unsigned long Target, double Seconds) {
  ::Display* d = XOpenDisplay(Display.c_str());
  if (d == nullptr) return false;
  const Window root = DefaultRootWindow(d);
  // The answer goes to the root window, to whoever listens there for its structure.
  XSelectInput(d, root, StructureNotifyMask | SubstructureNotifyMask);
  const Atom protocols = XInternAtom(d, "WM_PROTOCOLS", False);
  const Atom ping = XInternAtom(d, "_NET_WM_PING", False);
  XEvent e;
  std::memset(&e, 0, sizeof e);
  e.xclient.type = ClientMessage;
  e.xclient.window = Target;
  e.xclient.message_type = protocols;
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(ping);
  e.xclient.data.l[1] = 4242;  // a time stamp the answer carries back
  e.xclient.data.l[2] = static_cast<long>(Target);
  XSendEvent(d, Target, False, NoEventMask, &e);
  XFlush(d);
  bool answered = false;
  const auto end = steady_clock::now() + std::chrono::duration<double>(Seconds);
  while (!answered && steady_clock::now() < end) {
    while (!answered && XPending(d) > 0) {
      XEvent reply;
      XNextEvent(d, &reply);
      answered = reply.type == ClientMessage && reply.xclient.message_type == protocols &&
                 static_cast<Atom>(reply.xclient.data.l[0]) == ping && reply.xclient.data.l[1] == 4242;
    }
    pollfd fd{ConnectionNumber(d), POLLIN, 0};
    if (!answered) ::poll(&fd, 1, 50);
  }
  XCloseDisplay(d);
  return answered;
}

// Every file below Folder, for a message.
std::vector<std::string> FilesBelow(const std::string& Folder) {
  std::vector<std::string> files;
  std::error_code ignored;
  for (const auto& entry : fs::recursive_directory_iterator(Folder, ignored))
    files.push_back(entry.path().string());
  return files;
}

std::string Read(const std::string& Path) {
  std::ifstream in(Path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// What the game left in the home folder that the player did not ask for. The random keys can
// open the print dialog, name a file there and press Return: the document printed to that file
// is the player's own, so PDF files are no leftovers; anything else is.
std::vector<std::string> Leftovers(const std::string& Home) {
  std::vector<std::string> left;
  for (const std::string& file : FilesBelow(Home)) {
    std::error_code ignored;
    if (fs::is_regular_file(file, ignored) && Read(file).rfind("%PDF-", 0) == 0) continue;
    left.push_back(file);
  }
  return left;
}

class TRandomPlayer {
 public:
  TRandomPlayer(TGameRun& Game, std::mt19937& Random) : Game_(Game), Random_(Random) {}

  // The main window once it shows (a password asked for at start comes before it), else 0.
  unsigned long Main() {
    if (Main_ == 0) Main_ = Game_.WaitWindow(kMainWindow, 0.2);
    return Main_;
  }

  // The visible windows of the program other than the main window, the newest last.
  std::vector<unsigned long> OtherWindows() {
    std::vector<unsigned long> windows;
    const std::string found =
        RunShell("DISPLAY=" + Game_.Display() + " xdotool search --onlyvisible --name '.' 2>/dev/null");
    std::istringstream lines(found);
    for (std::string line; std::getline(lines, line);) {
      if (line.empty()) continue;
      const unsigned long id = std::stoul(line);
      if (id != Main()) windows.push_back(id);
    }
    return windows;
  }

  // One action: in the newest other window when there is one, else in the main window.
  void Act() {
    const std::vector<unsigned long> others = OtherWindows();
    if (others.empty()) {
      DialogActions_ = 0;
      if (Main() != 0) ActInMain();
      return;
    }
    const unsigned long dialog = others.back();
    // A box left open for long is closed as a player would: Escape, then the close button.
    if (++DialogActions_ > 12) {
      Game_.Keys("Escape", dialog);
      if (DialogActions_ > 14) RequestClose(Game_.Display(), dialog);
      return;
    }
    ActIn(dialog);
  }

  // Closes every other window, so that the main window can be closed.
  void CloseOthers() {
    for (int round = 0; round < 6; ++round) {
      const std::vector<unsigned long> others = OtherWindows();
      if (others.empty()) return;
      for (auto it = others.rbegin(); it != others.rend(); ++it) {
        Game_.Keys("Escape", *it);
        RequestClose(Game_.Display(), *it);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
  }

  int Actions() const { return Actions_; }

 private:
  int Pick(int Count) { return std::uniform_int_distribution<int>(0, Count - 1)(Random_); }

  std::string RandomKey() {
    static const char* const keys[] = {"Tab",   "shift+Tab", "space",  "Return", "Escape", "a",      "b",
                                       "c",     "d",         "h",      "n",      "s",      "F1",     "F2",
                                       "Up",    "Down",      "Left",   "Right",  "Home",   "End",    "alt+h",
                                       "alt+s", "alt+n",     "alt+a",  "ctrl+c", "ctrl+a", "ctrl+f", "Prior",
                                       "Next",  "BackSpace", "Delete", "x",      "1",      "ctrl+p"};
    return keys[Pick(static_cast<int>(std::size(keys)))];
  }

  void ActInMain() {
    ++Actions_;
    const unsigned long main = Main();
    const QPoint categories[] = {places::ClassicTelevision, places::Oscars, places::Rights};
    switch (Pick(12)) {
      case 0:
      case 1: {
        const QPoint at = categories[Pick(3)];
        Game_.Click(at.x(), at.y());
        break;
      }
      case 2:
      case 3: {
        const QPoint at = places::Answer[Pick(4)];
        Game_.Click(at.x(), at.y());
        break;
      }
      case 4:
        Game_.Click(places::HintMe.x(), places::HintMe.y());
        break;
      case 5:
        Game_.Click(places::ScoreMe.x(), places::ScoreMe.y());
        break;
      case 6:
        Game_.Click(places::Next.x(), places::Next.y());
        break;
      case 7:
        if (Pick(3) == 0) {
          Game_.Click(places::Help.x(), places::Help.y());
        } else {
          Game_.Click(places::About.x(), places::About.y());
        }
        break;
      case 8:
      case 9:
        Game_.Keys(RandomKey(), main);
        break;
      case 10: {
        // A right click on one of the rich text boxes, then a key in whatever menu shows.
        const QRect boxes[] = {places::TopRtf, places::RiffRtf, places::HintRtf};
        const QRect box = boxes[Pick(3)];
        RunShell("DISPLAY=" + Game_.Display() + " xdotool mousemove --window " + std::to_string(main) + " " +
                 std::to_string(box.center().x()) + " " + std::to_string(box.center().y()) + " click 3");
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        RunShell("DISPLAY=" + Game_.Display() + " xdotool key " + (Pick(2) == 0 ? "Escape" : "Down Return"));
        break;
      }
      default:
        Game_.Click(Pick(620), Pick(420));
        break;
    }
  }

  void ActIn(unsigned long Window) {
    ++Actions_;
    const std::string geometry = RunShell("DISPLAY=" + Game_.Display() +
                                          " xdotool getwindowgeometry --shell " + std::to_string(Window));
    const auto value = [&](const std::string& Key) {
      const size_t at = geometry.find(Key + "=");
      return at == std::string::npos ? 0 : std::atoi(geometry.c_str() + at + Key.size() + 1);
    };
    const int width = std::max(1, value("WIDTH")), height = std::max(1, value("HEIGHT"));
    switch (Pick(6)) {
      case 0:
      case 1:
        Game_.ClickIn(Window, Pick(width), Pick(height));
        break;
      case 2:
        Game_.Keys(RandomKey(), Window);
        break;
      case 3:
        // Sometimes the table's own password, sometimes anything.
        RunShell("export DISPLAY=" + Game_.Display() + "; xdotool windowfocus --sync " +
                 std::to_string(Window) + " 2>/dev/null; xdotool type --delay 5 " +
                 (Pick(3) == 0 ? "sesame" : "wr0ng"));
        break;
      case 4:
        Game_.Keys("Return", Window);
        break;
      default:
        Game_.Keys(Pick(2) == 0 ? "Tab" : "space", Window);
        break;
    }
  }

  TGameRun& Game_;
  std::mt19937& Random_;
  unsigned long Main_ = 0;
  int DialogActions_ = 0;
  int Actions_ = 0;
};

// One game played at random for Seconds; checks it stays alive and answering, and leaves the
// table, the home folder and the sanitizers' logs as they were.
void PlayAtRandom(const std::vector<std::string>& Env, const std::string& Table, double Seconds,
                  std::mt19937& Random) {
  const std::string home = MakeTempFolder("brevant-home");
  const std::string logs = MakeTempFolder("brevant-sanitizer");
  const auto withLog = [&](const char* Name, const std::string& Prefix) {
    const char* current = std::getenv(Name);
    return std::string(Name) + "=" + (current != nullptr && *current ? std::string(current) + ":" : "") +
           "log_path=" + logs + "/" + Prefix;
  };
  std::vector<std::string> env = Env;
  env.insert(env.end(), {"HOME=" + home, "XDG_CACHE_HOME=", "XDG_DATA_HOME=", "XDG_STATE_HOME=",
                         withLog("ASAN_OPTIONS", "asan"), withLog("UBSAN_OPTIONS", "ubsan")});
  const std::string before = FileChecksum(Table);
  ASSERT_FALSE(before.empty()) << Table;
  {
    TGameRun game(env);
    TRandomPlayer player(game, Random);
    const auto end = steady_clock::now() + std::chrono::duration<double>(Seconds);
    while (steady_clock::now() < end) {
      player.Act();
      std::this_thread::sleep_for(std::chrono::milliseconds(40));
      if ((player.Actions() % 10 == 0 || steady_clock::now() >= end) && player.Main() != 0) {
        ASSERT_TRUE(AnswersPing(game.Display(), player.Main(), 15))
            << "the main window stopped answering after " << player.Actions() << " actions; windows: "
            << RunShell("DISPLAY=" + game.Display() +
                        " xdotool search --onlyvisible --name '.' getwindowname %@")
            << "\n"
            << RunShell("export DISPLAY=" + game.Display() + "; p=$(xdotool getwindowpid " +
                        std::to_string(player.Main()) + "); cat /proc/$p/stat; cat /proc/$p/wchan; echo; " +
                        "gdb -batch -p $p -ex 'thread apply all bt' 2>/dev/null | grep '^#' | head -40");
      }
    }
    player.CloseOthers();
    ASSERT_NE(player.Main(), 0u) << "the main window never showed";
    EXPECT_TRUE(AnswersPing(game.Display(), player.Main(), 15))
        << "the main window stopped answering at the end";
    game.Shot("random-play-end");
    EXPECT_EQ(game.CloseAndWait(), 0)
        << "the game did not end cleanly after " << player.Actions() << " actions";
  }
  EXPECT_EQ(FileChecksum(Table), before) << "the table changed";
  for (const std::string& file : FilesBelow(logs))
    ADD_FAILURE() << "sanitizer report " << file << ":\n" << Read(file);
  const std::vector<std::string> left = Leftovers(home);
  EXPECT_TRUE(left.empty()) << "the game left files in the home folder: " << left.front();
  std::error_code ignored;
  fs::remove_all(home, ignored);
  fs::remove_all(logs, ignored);
}

TEST(RandomPlay, ClicksAndKeysEverywhereNeitherCrashNorHangNorChangeTheTable) {
  const double seconds = static_cast<double>(EnvNumber("BREVANT_RANDOM_PLAY_SECONDS", 60));
  const auto seed = static_cast<std::mt19937::result_type>(EnvNumber("BREVANT_RANDOM_PLAY_SEED", 20261208));
  std::mt19937 random(seed);
  SCOPED_TRACE("seed " + std::to_string(seed));
  XSetErrorHandler(IgnoreXError);

  // A third of the time on a table whose password the game does not know: the password dialog
  // comes up at start and with every category, and random typing sometimes gives it.
  const std::string folder = MakeTempFolder("brevant-random");
  fs::create_directory(folder + "/data");
  const std::string table = folder + "/data/vezedezavuza.db";
  const std::string source = std::string(BREVANT_SOURCE_DIR) + "/quiz/";
  WriteQuizTable(table, "sesame",
                 QuizRows({LoadQuizSource(source + "classic-television-2.quiz", true),
                           LoadQuizSource(source + "et1.quiz", true),
                           LoadQuizSource(source + "banana-splits-1.quiz", true)}));
  std::ofstream(folder + "/dbengine.cfg")
      << "[DATABASES\\vozaza\\DB INFO]\nTYPE=STANDARD\nPATH=" << folder << "/data\n";
  PlayAtRandom({"DBENGINE_CONFIG=" + folder + "/dbengine.cfg"}, table, seconds / 3, random);

  // The rest on the game's own table.
  PlayAtRandom({}, RuntimeDir() + "/vezedezavuza.db", seconds * 2 / 3, random);
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

}  // namespace
