// The two looks, from painted pixels: the main window's score bar, the block examples,
// vertical and square bars, and bars whose frames leave little or no room.

#include <gtest/gtest.h>

#include <QPainter>

#include <climits>
#include <memory>

#include "bar_test_support.h"
#include "widgets/bar_drawing.h"
#include "widgets/progress_bar.h"

namespace {

// The score bar of the main window: 601 x 28, red behind green, no border band and no
// interior offset, so the interior is (2, 2, 599, 26).
std::unique_ptr<TRzProgressBar> MainWindowBar(uint16_t Percent) {
  auto bar = std::make_unique<TRzProgressBar>(nullptr);
  bar->SetBounds(8, 325, 601, 28);
  bar->SetBackColor(clRed);
  bar->SetBarColor(clGreen);
  bar->SetBorderWidth(0);
  bar->SetInteriorOffset(0);
  bar->SetNumSegments(100);
  bar->SetTotalParts(1700);
  bar->Font()->SetName("MS Sans Serif");
  bar->Font()->SetHeight(-11);
  bar->Font()->SetColor(clGreen);
  bar->SetPercent(Percent);
  return bar;
}

constexpr TRect kMainInterior = {2, 2, 599, 26};

struct TTextBox {
  int Left = INT_MAX, Top = INT_MAX, Right = INT_MIN, Bottom = INT_MIN;
  int OverFill = 0;  // text pixels over the fill drawn nearer the back colour
  int OverRest = 0;  // text pixels over the rest drawn nearer the bar colour
  bool Found() const { return Right >= Left; }
};

// The pixels of the main bar's interior that are neither fill (left of FillEnd) nor
// background (from FillEnd on): the percentage text.
TTextBox FindText(const QImage& Image, int FillEnd) {
  TTextBox box;
  const TColor green = Rgb(clGreen), red = Rgb(clRed);
  for (int y = kMainInterior.Top; y < kMainInterior.Bottom; ++y) {
    for (int x = kMainInterior.Left; x < kMainInterior.Right; ++x) {
      const TColor p = PixelAt(Image, x, y);
      const bool overFill = x < FillEnd;
      if (p == (overFill ? green : red)) continue;
      box.Left = std::min(box.Left, x);
      box.Right = std::max(box.Right, x);
      box.Top = std::min(box.Top, y);
      box.Bottom = std::max(box.Bottom, y);
      if (overFill && RedOf(p) > GreenOf(p)) ++box.OverFill;
      if (!overFill && GreenOf(p) > RedOf(p)) ++box.OverRest;
    }
  }
  return box;
}

// Where the ink of Text lies when written with its top centre at (X, Y) in Font.
TTextBox InkOf(const TFont& Font, const std::string& Text, int X, int Y) {
  const QImage image = DrawOn(601, 28, [&](TCanvas& canvas) {
    canvas.SetFont(const_cast<TFont*>(&Font));
    canvas.Font()->SetColor(clBlack);
    canvas.Brush()->SetColor(clWhite);
    canvas.FillRect(Rect(0, 0, 601, 28));
    canvas.SetTextAlign(TA_CENTER | TA_TOP);
    canvas.TextOut(X, Y, Text);
  });
  TTextBox box;
  for (int y = 0; y < 28; ++y) {
    for (int x = 0; x < 601; ++x) {
      if (PixelAt(image, x, y) == Rgb(clWhite)) continue;
      box.Left = std::min(box.Left, x);
      box.Right = std::max(box.Right, x);
      box.Top = std::min(box.Top, y);
      box.Bottom = std::max(box.Bottom, y);
    }
  }
  return box;
}

// The text sits exactly where the bar puts it: centred on half of the interior's right
// edge (x = 599 div 2 = 299, not the interior's middle 300), hanging from
// y = T + (interior height - height of "X") div 2.
void ExpectTextPlacedAtTheReferencePoint(const TTextBox& Found, const TFont& Font, const std::string& Text) {
  TCanvas measure;
  measure.SetFont(const_cast<TFont*>(&Font));
  const int y = 2 + (24 - measure.TextHeight("X")) / 2;
  const TTextBox want = InkOf(Font, Text, 299, y);
  ASSERT_TRUE(want.Found());
  EXPECT_EQ(Found.Left, want.Left);
  EXPECT_EQ(Found.Right, want.Right);
  EXPECT_EQ(Found.Top, want.Top);
  EXPECT_EQ(Found.Bottom, want.Bottom);
}

// The lowered frame of the stock bar around the client rectangle W x H.
void ExpectLoweredFrame(const QImage& Image, int W, int H) {
  EXPECT_EQ(PixelAt(Image, 0, 0), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(Image, 0, H - 2), Rgb(clBtnShadow));
  EXPECT_EQ(PixelAt(Image, W - 1, 0), Rgb(clBtnHighlight));
  EXPECT_EQ(PixelAt(Image, 0, H - 1), Rgb(clBtnHighlight));
  EXPECT_EQ(PixelAt(Image, W - 1, H - 1), Rgb(clBtnHighlight));
  EXPECT_EQ(PixelAt(Image, 1, 1), Rgb(clBtnText));
  EXPECT_EQ(PixelAt(Image, W / 2, 1), Rgb(clBtnText));
  EXPECT_EQ(PixelAt(Image, W - 2, 1), Rgb(cl3DLight));
  EXPECT_EQ(PixelAt(Image, W - 2, H / 2), Rgb(cl3DLight));
  EXPECT_EQ(PixelAt(Image, 1, H - 2), Rgb(cl3DLight));
}

TEST(SolidBar, MainWindowBarAtFiftyPercent) {
  auto bar = MainWindowBar(50);
  const QImage image = PaintControl(*bar);
  ASSERT_EQ(image.width(), 601);
  ExpectLoweredFrame(image, 601, 28);

  // Round(597 x 50 / 100) = Round(298.5) = 298 pixels of fill: x = 2 to 299.
  const TTextBox text = FindText(image, 300);
  ASSERT_TRUE(text.Found());
  for (int y = 2; y < 26; ++y) {
    if (y >= text.Top && y <= text.Bottom) continue;
    EXPECT_EQ(CountOther(image, Rect(2, y, 300, y + 1), Rgb(clGreen)), 0) << "row " << y;
    EXPECT_EQ(CountOther(image, Rect(300, y, 599, y + 1), Rgb(clRed)), 0) << "row " << y;
  }
  EXPECT_EQ(PixelAt(image, 299, 2), Rgb(clGreen));
  EXPECT_EQ(PixelAt(image, 300, 2), Rgb(clRed));
  EXPECT_EQ(PixelAt(image, 299, 25), Rgb(clGreen));
  EXPECT_EQ(PixelAt(image, 300, 25), Rgb(clRed));

  // "50%" centred on x = 299, in red over the green and in green over the red.
  ExpectTextPlacedAtTheReferencePoint(text, *bar->Font(), "50%");
  EXPECT_GT(text.OverFill, 5) << "red letters over the green";
  EXPECT_GT(text.OverRest, 5) << "green letters over the red";
  EXPECT_LT(text.Left, 300);
  EXPECT_GE(text.Right, 300);
}

TEST(SolidBar, MainWindowBarAtZeroShowsTheTextInTheBarColourOnly) {
  auto bar = MainWindowBar(0);
  const QImage image = PaintControl(*bar);
  ExpectLoweredFrame(image, 601, 28);
  EXPECT_EQ(CountOther(image, Rect(2, 2, 3, 26), Rgb(clRed)), 0) << "no fill at all";
  const TTextBox text = FindText(image, 2);
  ASSERT_TRUE(text.Found());
  ExpectTextPlacedAtTheReferencePoint(text, *bar->Font(), "0%");
  EXPECT_GT(text.OverRest, 5);
}

TEST(SolidBar, PercentBeyondHundredFillsTheWholeBar) {
  for (uint16_t percent : {uint16_t{100}, uint16_t{150}, uint16_t{65535}}) {
    SCOPED_TRACE(percent);
    auto bar = MainWindowBar(percent);
    const QImage image = PaintControl(*bar);
    ExpectLoweredFrame(image, 601, 28);
    EXPECT_EQ(CountOther(image, Rect(2, 2, 599, 3), Rgb(clGreen)), 0);
    EXPECT_EQ(CountOther(image, Rect(2, 25, 599, 26), Rgb(clGreen)), 0);
    EXPECT_EQ(CountOther(image, Rect(598, 2, 599, 26), Rgb(clGreen)), 0);
    const TTextBox text = FindText(image, 599);
    ASSERT_TRUE(text.Found());
    ExpectTextPlacedAtTheReferencePoint(text, *bar->Font(), std::to_string(percent) + "%");
    EXPECT_GT(text.OverFill, 5) << "red letters";
  }
}

TEST(SolidBar, FillRoundsHalvesToEven) {
  EXPECT_EQ(SolidBarFill(kMainInterior, orHorizontal, 50), Rect(2, 2, 300, 26));
  EXPECT_EQ(SolidBarFill(Rect(0, 0, 25, 10), orHorizontal, 50), Rect(0, 0, 12, 10));  // 12.5
  EXPECT_EQ(SolidBarFill(Rect(0, 0, 75, 10), orHorizontal, 50), Rect(0, 0, 38, 10));  // 37.5
  EXPECT_EQ(SolidBarFill(Rect(0, 0, 10, 75), orVertical, 50), Rect(0, 37, 10, 75));
  EXPECT_EQ(SolidBarFill(Rect(0, 0, 10, 75), orVertical, 0), Rect(0, 75, 10, 75));
  EXPECT_EQ(SolidBarFill(Rect(3, 4, 10, 75), orVertical, 101), Rect(3, 4, 10, 75));
  EXPECT_EQ(PercentText(42, true), "42%");
  EXPECT_EQ(PercentText(65535, true), "65535%");
  EXPECT_EQ(PercentText(42, false), "");
}

TEST(SolidBar, VerticalBarFillsFromTheBottom) {
  TRzProgressBar bar(nullptr);
  bar.SetBounds(0, 0, 24, 200);
  ASSERT_EQ(bar.Orientation(), orVertical);
  bar.SetShowPercent(false);
  bar.SetPercent(50);
  const QImage image = PaintControl(bar);
  // Interior (2, 2, 22, 198): 98 rows of fill from the bottom.
  EXPECT_EQ(CountOther(image, Rect(2, 2, 22, 100), Rgb(clWhite)), 0);
  EXPECT_EQ(CountOther(image, Rect(2, 100, 22, 198), Rgb(clHighlight)), 0);
  ExpectLoweredFrame(image, 24, 200);
}

TEST(SolidBar, SquareBarIsHorizontal) {
  TRzProgressBar bar(nullptr);
  bar.SetBounds(0, 0, 50, 50);
  ASSERT_EQ(bar.Orientation(), orHorizontal);
  bar.SetShowPercent(false);
  bar.SetPercent(50);
  const QImage image = PaintControl(bar);
  EXPECT_EQ(CountOther(image, Rect(2, 2, 25, 48), Rgb(clHighlight)), 0);
  EXPECT_EQ(CountOther(image, Rect(25, 2, 48, 48), Rgb(clWhite)), 0);
}

TEST(SolidBar, EmptyTextStillFillsBothParts) {
  auto bar = MainWindowBar(50);
  bar->SetShowPercent(false);
  const QImage image = PaintControl(*bar);
  EXPECT_EQ(CountOther(image, Rect(2, 2, 300, 26), Rgb(clGreen)), 0);
  EXPECT_EQ(CountOther(image, Rect(300, 2, 599, 26), Rgb(clRed)), 0);
}

TEST(LedBar, SegmentArithmeticOfTheExamples) {
  TLedLayout led = LayoutLedBar(194, 20);
  EXPECT_EQ(led.Count, 21);
  EXPECT_EQ(led.Size, 9);
  EXPECT_EQ(led.Margin, 2);
  EXPECT_EQ(LitSegments(50, 21), 10);
  led = LayoutLedBar(597, 100);
  EXPECT_EQ(led.Count, 119);
  EXPECT_EQ(led.Size, 5);
  EXPECT_EQ(led.Margin, 1);
  EXPECT_EQ(LitSegments(50, 119), 59);
  led = LayoutLedBar(60, 20);
  EXPECT_EQ(led.Count, 10);
  EXPECT_EQ(led.Size, 6);
  EXPECT_EQ(led.Margin, 0);
  EXPECT_EQ(LitSegments(65535, 10), 10);
  EXPECT_EQ(LitSegments(0, 10), 0);
  // No block fits.
  EXPECT_EQ(LayoutLedBar(100, 0).Count, 0);
  EXPECT_EQ(LayoutLedBar(5, 20).Count, 0);
  EXPECT_EQ(LayoutLedBar(7, 8).Count, 0);
  EXPECT_EQ(LayoutLedBar(0, 20).Count, 0);
  EXPECT_EQ(LayoutLedBar(-3, 20).Count, 0);
}

// Blocks along row Y: each lit block is a run of the bar colour S - 2 pixels long.
void ExpectBlocksInRow(const QImage& Image, int Y, int First, int Size, int Count, TColor Bar) {
  const auto runs = RunsInRow(Image, Y, 0, Image.width(), Rgb(Bar));
  ASSERT_EQ(static_cast<int>(runs.size()), Count);
  for (int i = 0; i < Count; ++i) {
    EXPECT_EQ(runs[i].first, First + i * Size) << "block " << i + 1;
    EXPECT_EQ(runs[i].second - runs[i].first, Size - 2) << "block " << i + 1;
  }
}

TEST(LedBar, StockBarHasTwentyOneBlocksAndLightsTenAtHalf) {
  TRzProgressBar bar(nullptr);
  bar.SetBarStyle(bsLED);
  EXPECT_FALSE(bar.ShowPercent());
  EXPECT_EQ(bar.InteriorOffset(), 1);
  bar.SetPercent(50);
  QImage image = PaintControl(bar);
  ExpectLoweredFrame(image, 200, 24);
  // Interior (3, 3, 197, 21), one ring of white around it, margin 2, blocks of 9.
  EXPECT_EQ(CountOther(image, Rect(2, 2, 198, 3), Rgb(clWhite)), 0);
  EXPECT_EQ(CountOther(image, Rect(2, 21, 198, 22), Rgb(clWhite)), 0);
  ExpectBlocksInRow(image, 12, 6, 9, 10, clHighlight);
  const auto rows = RunsInColumn(image, 7, 0, 24, Rgb(clHighlight));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0], std::make_pair(4, 20));
  // Unlit blocks and the margins are all back colour.
  EXPECT_EQ(CountOther(image, Rect(3 + 2 + 10 * 9, 3, 197, 21), Rgb(clWhite)), 0);
  EXPECT_EQ(CountOther(image, Rect(3, 3, 6, 21), Rgb(clWhite)), 0);

  bar.SetPercent(100);
  image = PaintControl(bar);
  ExpectBlocksInRow(image, 12, 6, 9, 21, clHighlight);
  bar.SetPercent(150);
  image = PaintControl(bar);
  ExpectBlocksInRow(image, 12, 6, 9, 21, clHighlight);
}

TEST(LedBar, MainWindowBarWithAHundredSegmentsGetsOneHundredNineteen) {
  auto bar = MainWindowBar(50);
  bar->SetBarStyle(bsLED);
  bar->SetInteriorOffset(0);
  QImage image = PaintControl(*bar);
  ExpectBlocksInRow(image, 14, 4, 5, 59, clGreen);
  bar->SetPercent(100);
  image = PaintControl(*bar);
  ExpectBlocksInRow(image, 14, 4, 5, 119, clGreen);
  EXPECT_EQ(PixelAt(image, 598, 14), Rgb(clRed)) << "right margin";
  // The left margin's fill starts one pixel before the interior, over the frame's inner line.
  EXPECT_EQ(CountOther(image, Rect(1, 2, 3, 26), Rgb(clRed)), 0);
  EXPECT_EQ(PixelAt(image, 1, 1), Rgb(clBtnText));
  EXPECT_EQ(PixelAt(image, 1, 26), Rgb(cl3DLight));
}

TEST(LedBar, ShortBarShowsAtMostTenBlocks) {
  TRzProgressBar bar(nullptr);
  bar.SetBarStyle(bsLED);
  bar.SetBounds(0, 0, 66, 24);  // interior 60 wide
  bar.SetPercent(100);
  const QImage image = PaintControl(bar);
  ExpectBlocksInRow(image, 12, 4, 6, 10, clHighlight);
}

TEST(LedBar, VerticalBarLightsFromTheBottom) {
  TRzProgressBar bar(nullptr);
  bar.SetBarStyle(bsLED);
  bar.SetBounds(0, 0, 24, 200);
  bar.SetPercent(50);
  const QImage image = PaintControl(bar);
  // Interior (3, 3, 21, 197): 21 blocks of 9 from y = 5; the bottom ten lit.
  const auto runs = RunsInColumn(image, 12, 0, 200, Rgb(clHighlight));
  ASSERT_EQ(runs.size(), 10u);
  for (int i = 0; i < 10; ++i) {
    const int block = 21 - 10 + i;  // zero-based from the top
    EXPECT_EQ(runs[i], std::make_pair(5 + block * 9 + 1, 5 + block * 9 + 8));
  }
  const auto across = RunsInRow(image, 190, 0, 24, Rgb(clHighlight));
  ASSERT_EQ(across.size(), 1u);
  EXPECT_EQ(across[0], std::make_pair(4, 20));
}

// Bars whose frames leave little or no room, or whose block count makes no block fit:
// every pixel of the bar is painted (it is opaque), the interior left is back colour.
TEST(Degenerate, CrampedBarsPaintEveryPixelAndTheInteriorInBackColour) {
  struct TCase {
    const char* What;
    int Width, Height;
    std::function<void(TRzProgressBar&)> Setup;
  };
  const std::vector<TCase> cases = {
      {"no segments", 200, 24,
       [](TRzProgressBar& b) {
         b.SetBarStyle(bsLED);
         b.SetNumSegments(0);
       }},
      {"fewer pixels than segments", 12, 24, [](TRzProgressBar& b) { b.SetBarStyle(bsLED); }},
      {"three pixels wide, blocks", 3, 24, [](TRzProgressBar& b) { b.SetBarStyle(bsLED); }},
      {"three pixels wide, solid", 3, 24, [](TRzProgressBar&) {}},
      {"border band wider than the bar", 60, 24, [](TRzProgressBar& b) { b.SetBorderWidth(1000); }},
      {"largest border band", 60, 24, [](TRzProgressBar& b) { b.SetBorderWidth(INT32_MAX); }},
      {"negative border band", 60, 24, [](TRzProgressBar& b) { b.SetBorderWidth(-5); }},
      {"interior offset 255", 60, 24,
       [](TRzProgressBar& b) {
         b.SetInteriorOffset(255);
         b.SetBarStyle(bsLED);
       }},
      {"groove one pixel high", 40, 1, [](TRzProgressBar& b) { b.SetBorderOuter(fsGroove); }},
      {"bump on a 3 x 3 bar", 3, 3,
       [](TRzProgressBar& b) {
         b.SetBorderOuter(fsBump);
         b.SetBorderInner(fsGroove);
       }},
      {"one pixel, blocks", 1, 1, [](TRzProgressBar& b) { b.SetBarStyle(bsLED); }},
      {"vertical, no segments", 24, 200,
       [](TRzProgressBar& b) {
         b.SetBarStyle(bsLED);
         b.SetNumSegments(0);
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TRzProgressBar bar(nullptr);
    bar.SetBounds(0, 0, c.Width, c.Height);
    bar.SetBackColor(clYellow);
    c.Setup(bar);
    bar.SetPercent(65535);
    const QImage image = PaintControl(bar);
    EXPECT_EQ(CountOther(image, Rect(0, 0, c.Width, c.Height), kUnpainted), c.Width * c.Height)
        << "every pixel painted";
  }
  // With no block fitting, the whole interior is back colour.
  TRzProgressBar bar(nullptr);
  bar.SetBarStyle(bsLED);
  bar.SetNumSegments(0);
  bar.SetPercent(100);
  const QImage image = PaintControl(bar);
  EXPECT_EQ(CountOther(image, Rect(2, 2, 198, 22), Rgb(clWhite)), 0);
  ExpectLoweredFrame(image, 200, 24);
}

TEST(Degenerate, ZeroSizedBarPaintsNothingAndSurvives) {
  for (TBarStyle style : {bsTraditional, bsLED}) {
    TRzProgressBar bar(nullptr);
    bar.SetBarStyle(style);
    bar.SetBounds(0, 0, 0, 0);
    bar.SetPercent(50);
    // An image larger than the bar and no clipping: anything the bar drew would show in it.
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(QColor(RedOf(kUnpainted), GreenOf(kUnpainted), BlueOf(kUnpainted)));
    {
      QPainter painter(&image);
      bar.PaintTo(&painter, &image);
    }
    EXPECT_EQ(CountOther(image, Rect(0, 0, 40, 30), kUnpainted), 0) << int(style);
    // The bar goes on working: given a size, it draws its frame and its percentage.
    EXPECT_EQ(bar.Percent(), 50);
    bar.SetBounds(0, 0, 200, 24);
    ExpectLoweredFrame(PaintControl(bar), 200, 24);
  }
}

TEST(Degenerate, BarFunctionsDrawOnlyOverTheirInterior) {
  const TRect interior = Rect(5, 4, 45, 20);
  for (uint16_t percent : {uint16_t{0}, uint16_t{37}, uint16_t{100}, uint16_t{65535}}) {
    for (TOrientation o : {orHorizontal, orVertical}) {
      for (int segments : {0, 1, 7, 20, 255}) {
        const QImage image = DrawOn(50, 25, [&](TCanvas& canvas) {
          if (segments == 20) {
            DrawSolidBar(canvas, interior, o, clGreen, clRed, percent, true);
          } else {
            DrawLedBar(canvas, interior, o, clGreen, clRed, segments, percent);
          }
        });
        // The block look's margin may start one pixel before the interior's left edge.
        const TRect allowed = o == orHorizontal && segments != 20 ? interior.Inflate(1, 0) : interior;
        int outside = 0;
        for (int y = 0; y < 25; ++y) {
          for (int x = 0; x < 50; ++x)
            outside += !allowed.Contains({x, y}) && PixelAt(image, x, y) != kUnpainted ? 1 : 0;
        }
        EXPECT_EQ(outside, 0) << percent << " " << o << " " << segments;
        EXPECT_EQ(CountOther(image, interior, kUnpainted), interior.Width() * interior.Height());
      }
    }
  }
  // Empty and inverted interiors draw nothing.
  const QImage image = DrawOn(20, 20, [](TCanvas& canvas) {
    DrawSolidBar(canvas, Rect(10, 10, 4, 4), orHorizontal, clGreen, clRed, 50, true);
    DrawLedBar(canvas, Rect(10, 10, 4, 4), orVertical, clGreen, clRed, 20, 50);
    DrawLedBar(canvas, Rect(3, 3, 3, 15), orHorizontal, clGreen, clRed, 20, 50);
  });
  EXPECT_EQ(CountOther(image, Rect(0, 0, 20, 20), kUnpainted), 0);
}

}  // namespace
