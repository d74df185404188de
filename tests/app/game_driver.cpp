#include "game_driver.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QColor>
#include <QCryptographicHash>
#include <QFile>
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string ArtefactDir() {
  const std::string dir = std::string(BREVANT_RUNTIME_DIR) + "/../artefacts/app";
  fs::create_directories(dir);
  return dir;
}

std::string Quote(const std::string& Text) {
  std::string out = "'";
  for (char c : Text)
    out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

std::string RuntimeDir() {
  return BREVANT_RUNTIME_DIR;
}

std::string FileChecksum(const std::string& Path) {
  QFile file(QString::fromStdString(Path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex().toStdString();
}

TGameRun::TGameRun(const std::vector<std::string>& Env, const std::string& Dir, const std::string& Program,
                   const std::vector<std::string>& Args) {
  ConfigHome_ = MakeTempFolder("brevant-config");
  std::vector<std::string> env = {"DISPLAY=" + X_.Display(),
                                  "QT_QPA_PLATFORM=", "XDG_CONFIG_HOME=" + ConfigHome_};
  env.insert(env.end(), Env.begin(), Env.end());
  Game_ = std::make_unique<TProcess>(Program, Dir, env, Args);
}

TGameRun::~TGameRun() {
  Game_.reset();
  std::error_code ignored;
  fs::remove_all(ConfigHome_, ignored);
}

std::string TGameRun::Shell(const std::string& Command, bool* Ok) {
  return RunShell("export DISPLAY=" + X_.Display() + "; " + Command, Ok);
}

unsigned long TGameRun::WaitWindow(const std::string& NameRegex, double Seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(Seconds);
  do {
    const std::string found =
        Shell("xdotool search --onlyvisible --name " + Quote(NameRegex) + " 2>/dev/null");
    if (!found.empty()) return std::stoul(found.substr(0, found.find('\n')));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  } while (std::chrono::steady_clock::now() < end);
  return 0;
}

bool TGameRun::WaitGone(const std::string& NameRegex, double Seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(Seconds);
  while (WindowShown(NameRegex)) {
    if (std::chrono::steady_clock::now() >= end) return false;
  }
  return true;
}

unsigned long TGameRun::MainWindow() {
  if (Main_ == 0) Main_ = WaitWindow(MainName_);
  if (Main_ == 0) ADD_FAILURE() << "the main window did not appear";
  return Main_;
}

void TGameRun::ClickIn(unsigned long Window, int X, int Y) {
  Shell("xdotool mousemove --window " + std::to_string(Window) + " " + std::to_string(X) + " " +
        std::to_string(Y) + " click 1");
}

int TGameRun::WaitExit(double Seconds) {
  return Game_->Wait(Seconds);
}

void TGameRun::Drag(unsigned long Window, int FromX, int FromY, int ToX, int ToY) {
  const std::string w = std::to_string(Window);
  std::string command = "xdotool mousemove --window " + w + " " + std::to_string(FromX) + " " +
                        std::to_string(FromY) + " sleep 0.2 mousedown 1";
  const int steps = 8;
  for (int i = 1; i <= steps; ++i) {
    command += " sleep 0.05 mousemove --window " + w + " " +
               std::to_string(FromX + (ToX - FromX) * i / steps) + " " +
               std::to_string(FromY + (ToY - FromY) * i / steps);
  }
  Shell(command + " sleep 0.2 mouseup 1");
}

void TGameRun::Hover(int X, int Y) {
  const std::string window = std::to_string(MainWindow());
  // Come from a neighbouring point so that the control sees the pointer enter and rest.
  Shell("xdotool mousemove --window " + window + " " + std::to_string(X - 5) + " " + std::to_string(Y) +
        " sleep 0.2 mousemove --window " + window + " " + std::to_string(X) + " " + std::to_string(Y));
}

void TGameRun::Keys(const std::string& Keys, unsigned long Window) {
  if (Window == 0) Window = MainWindow();
  Shell("xdotool windowfocus --sync " + std::to_string(Window) + " 2>/dev/null; xdotool key " + Keys);
}

QImage TGameRun::Capture(unsigned long Window, const std::string& Path) {
  bool ok = false;
  Shell("import -window " + (Window == 0 ? std::string("root") : std::to_string(Window)) + " " + Path, &ok);
  return ok ? QImage(QString::fromStdString(Path)).convertToFormat(QImage::Format_RGB32) : QImage();
}

void TGameRun::WaitIdle() {
  // The program is idle when its main thread sleeps in the event loop twice in a row.
  const std::string stat = "/proc/" + std::to_string(Game_->Pid()) + "/stat";
  int sleeping = 0;
  for (int i = 0; i < 200 && sleeping < 2; ++i) {
    std::ifstream in(stat);
    std::string pid, name, state;
    in >> pid >> name >> state;
    sleeping = state == "S" ? sleeping + 1 : 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
  }
}

QImage TGameRun::Shot(const std::string& Name, unsigned long Window) {
  if (Window == 0) Window = MainWindow();
  WaitIdle();
  const std::string path =
      (Name.empty() ? testing::TempDir() + "/brevant-shot" : ArtefactDir() + "/" + Name) + ".png";
  // Painting follows the events by a moment: wait until two shots in a row agree.
  QImage last = Capture(Window, path);
  for (int i = 0; i < 30; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    QImage next = Capture(Window, path);
    if (next == last && !next.isNull()) return next;
    last = next;
  }
  return last;
}

QImage TGameRun::ScreenShot(const std::string& Name, QRect* MainWindowArea) {
  const std::string geometry = Shell("xdotool getwindowgeometry --shell " + std::to_string(MainWindow()));
  auto value = [&](const std::string& Key) {
    const size_t at = geometry.find(Key + "=");
    return at == std::string::npos ? 0 : std::stoi(geometry.substr(at + Key.size() + 1));
  };
  *MainWindowArea = QRect(value("X"), value("Y"), value("WIDTH"), value("HEIGHT"));
  return Capture(0, ArtefactDir() + "/" + Name + ".png");
}

int TGameRun::CloseAndWait() {
  if (!RequestClose(X_.Display(), MainWindow())) return -2;
  return Game_->Wait(20);
}

std::string ReadText(const QImage& Image, const QRect& Area, int Layout) {
  const QImage part = Image.copy(Area).convertToFormat(QImage::Format_Grayscale8);
  const QImage big =
      part.scaled(part.width() * 3, part.height() * 3, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  // A margin of the background around the text helps the reader find its lines.
  QImage framed(big.width() + 60, big.height() + 60, QImage::Format_Grayscale8);
  framed.fill(big.pixel(0, 0));
  for (int y = 0; y < big.height(); ++y) {
    for (int x = 0; x < big.width(); ++x)
      framed.setPixel(x + 30, y + 30, big.pixel(x, y));
  }
  const std::string path = testing::TempDir() + "/brevant-ocr.pgm";
  framed.save(QString::fromStdString(path));
  return RunShell("tesseract " + path + " - --psm " + std::to_string(Layout) + " 2>/dev/null");
}

std::string ReadScore(const QImage& Window) {
  // Read with its caption: the reader takes a lone figure far better in a line of words.
  std::string line = ReadText(Window, QRect(222, 236, 200, 28), 7);
  const size_t colon = line.find(':');
  line = colon == std::string::npos ? line : line.substr(colon + 1);
  std::string figure;
  for (char c : line) {
    if (c == 'O' || c == 'o') c = '0';
    if (c != ' ') figure += c;
  }
  return figure;
}

std::vector<std::string> Words(const std::string& Text) {
  std::vector<std::string> out;
  std::string word;
  for (size_t i = 0; i <= Text.size(); ++i) {
    const unsigned char c = i < Text.size() ? static_cast<unsigned char>(Text[i]) : ' ';
    if (std::isalnum(c)) {
      word += static_cast<char>(std::tolower(c));
      continue;
    }
    if (word.size() >= 4) out.push_back(word);
    word.clear();
  }
  return out;
}

bool MostWordsSeen(const std::string& Expected, const std::string& Seen) {
  const std::vector<std::string> expected = Words(Expected);
  const std::vector<std::string> seen = Words(Seen);
  if (expected.empty()) return true;
  size_t found = 0;
  for (const std::string& w : expected)
    found += std::find(seen.begin(), seen.end(), w) != seen.end() ? 1 : 0;
  return found * 4 >= expected.size() * 3;
}

int GreenPixelsOfBar(const QImage& Window) {
  int green = 0;
  for (int x = 8; x < 8 + 601; ++x)
    green += QColor(Window.pixel(x, 330)) == QColor(0, 128, 0) ? 1 : 0;
  return green;
}

int ExpectedGreenPixels(int Percent) {
  return static_cast<int>(std::nearbyint(597.0 * Percent / 100.0));
}

bool AreaHasContent(const QImage& Window, const QRect& Area) {
  const QRgb face = Window.pixel(Area.topLeft());
  for (int y = Area.top(); y <= Area.bottom(); ++y) {
    for (int x = Area.left(); x <= Area.right(); ++x) {
      if (Window.pixel(x, y) != face) return true;
    }
  }
  return false;
}
