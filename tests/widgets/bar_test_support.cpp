#include "bar_test_support.h"

#include <QPainter>
#include <algorithm>
#include <cstdio>

#include "widgets/registration.h"

namespace {

QImage Blank(int Width, int Height) {
  QImage image(Width, Height, QImage::Format_RGB32);
  image.fill(QColor(RedOf(kUnpainted), GreenOf(kUnpainted), BlueOf(kUnpainted)));
  return image;
}

// The test suites read layouts with the bar in them.
const bool kRegistered = [] {
  RegisterWidgetClasses();
  return true;
}();

}  // namespace

QImage PaintControl(TGraphicControl& Control) {
  (void)kRegistered;
  QImage image = Blank(std::max(Control.Width(), 1), std::max(Control.Height(), 1));
  QPainter painter(&image);
  painter.setClipRect(0, 0, Control.Width(), Control.Height());
  Control.PaintTo(&painter, &image);
  return image;
}

QImage DrawOn(int Width, int Height, const std::function<void(TCanvas&)>& Draw) {
  QImage image = Blank(Width, Height);
  QPainter painter(&image);
  TCanvas canvas;
  canvas.Attach(&painter, &image);
  Draw(canvas);
  canvas.Detach();
  return image;
}

TColor PixelAt(const QImage& Image, int X, int Y) {
  const QRgb p = Image.pixel(X, Y);
  return RGBColor(static_cast<uint8_t>(qRed(p)), static_cast<uint8_t>(qGreen(p)),
                  static_cast<uint8_t>(qBlue(p)));
}

int CountOther(const QImage& Image, const TRect& R, TColor Color) {
  int n = 0;
  for (int y = R.Top; y < R.Bottom; ++y) {
    for (int x = R.Left; x < R.Right; ++x)
      n += PixelAt(Image, x, y) != Color ? 1 : 0;
  }
  return n;
}

std::vector<std::pair<int, int>> RunsInRow(const QImage& Image, int Y, int X1, int X2, TColor Color) {
  std::vector<std::pair<int, int>> runs;
  for (int x = X1; x < X2; ++x) {
    if (PixelAt(Image, x, Y) != Color) continue;
    if (!runs.empty() && runs.back().second == x) {
      runs.back().second = x + 1;
    } else {
      runs.push_back({x, x + 1});
    }
  }
  return runs;
}

std::vector<std::pair<int, int>> RunsInColumn(const QImage& Image, int X, int Y1, int Y2, TColor Color) {
  std::vector<std::pair<int, int>> runs;
  for (int y = Y1; y < Y2; ++y) {
    if (PixelAt(Image, X, y) != Color) continue;
    if (!runs.empty() && runs.back().second == y) {
      runs.back().second = y + 1;
    } else {
      runs.push_back({y, y + 1});
    }
  }
  return runs;
}

void PrintTo(TColor Color, std::ostream* Out) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(Color));
  *Out << text;
}
