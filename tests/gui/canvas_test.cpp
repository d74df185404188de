// Pixels of lines, rectangles and text on an offscreen canvas.

#include <gtest/gtest.h>

#include <string>

#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

#include "gui/graphics/canvas.h"
#include "gui/graphics/colors.h"
#include "gui/graphics/picture.h"
#include "gui/qt/qt_convert.h"
#include "gui_test_support.h"

namespace {

// The bitmap as rows of characters: '.' for white, '#' for black, '?' for anything else.
std::vector<std::string> Rows(TBitmap& B) {
  std::vector<std::string> rows;
  for (int y = 0; y < B.Height(); ++y) {
    std::string row;
    for (int x = 0; x < B.Width(); ++x) {
      const TColor c = B.Canvas()->Pixels(x, y);
      row += c == clWhite ? '.' : c == clBlack ? '#' : c == clRed ? 'r' : c == clBlue ? 'b' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(Canvas, LinesLeaveOutTheirEndPointAndMoveThePen) {
  TBitmap b(6, 6);
  TCanvas& c = *b.Canvas();
  c.MoveTo(1, 1);
  c.LineTo(4, 1);  // horizontal: x 1..3
  c.LineTo(4, 4);  // vertical from its start (4, 1): y 1..3 at x 4
  EXPECT_EQ(c.PenPos(), (TPoint{4, 4}));
  c.MoveTo(0, 5);
  c.LineTo(0, 5);  // a line to its own start draws nothing
  const std::vector<std::string> want = {
      "......",  //
      ".####.",  //
      "....#.",  //
      "....#.",  //
      "......",  //
      "......",
  };
  EXPECT_EQ(Rows(b), want);
}

TEST(Canvas, DiagonalAndBackwardLinesCoverTheSamePixelsMinusTheEnd) {
  TBitmap b(5, 5);
  TCanvas& c = *b.Canvas();
  c.MoveTo(0, 0);
  c.LineTo(4, 4);
  EXPECT_EQ(Rows(b), (std::vector<std::string>{"#....", ".#...", "..#..", "...#.", "....."}));
  TBitmap back(5, 5);
  back.Canvas()->MoveTo(4, 1);
  back.Canvas()->LineTo(0, 1);
  EXPECT_EQ(Rows(back)[1], ".####");
}

TEST(Canvas, ClearPenDrawsNothingButMoves) {
  TBitmap b(4, 4);
  TCanvas& c = *b.Canvas();
  c.Pen()->SetStyle(psClear);
  c.MoveTo(0, 0);
  c.LineTo(3, 0);
  EXPECT_EQ(c.PenPos(), (TPoint{3, 0}));
  EXPECT_EQ(Rows(b)[0], "....");
}

TEST(Canvas, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
  TBitmap b(6, 5);
  TCanvas& c = *b.Canvas();
  c.Brush()->SetColor(clRed);
  c.Rectangle(1, 0, 5, 4);  // right and bottom are outside
  EXPECT_EQ(Rows(b), (std::vector<std::string>{".####.", ".#rr#.", ".#rr#.", ".####.", "......"}));
}

TEST(Canvas, RectangleWithAClearPenStopsOnePixelShortOfRightAndBottom) {
  TBitmap b(6, 5);
  TCanvas& c = *b.Canvas();
  c.Pen()->SetStyle(psClear);
  c.Brush()->SetColor(clRed);
  c.Rectangle(1, 1, 5, 4);
  EXPECT_EQ(Rows(b), (std::vector<std::string>{"......", ".rrr..", ".rrr..", "......", "......"}));
}

TEST(Canvas, InsideFramePenKeepsItsWidthInsideTheRectangle) {
  TBitmap b(8, 7);
  TCanvas& c = *b.Canvas();
  c.Pen()->SetStyle(psInsideFrame);
  c.Pen()->SetWidth(2);
  c.Brush()->SetStyle(bsClear);
  c.Rectangle(1, 1, 7, 7);
  EXPECT_EQ(Rows(b), (std::vector<std::string>{"........", ".######.", ".######.", ".##..##.", ".##..##.",
                                               ".######.", ".######."}));
}

TEST(Canvas, FillRectAndFrameRectUseTheBrushOnly) {
  TBitmap b(5, 4);
  TCanvas& c = *b.Canvas();
  c.Brush()->SetColor(clBlue);
  c.FillRect(Rect(0, 0, 2, 2));
  c.Brush()->SetColor(clBlack);
  c.FrameRect(Rect(1, 1, 5, 4));
  c.Brush()->SetStyle(bsClear);
  c.FillRect(Rect(0, 0, 5, 4));  // a clear brush fills nothing
  EXPECT_EQ(Rows(b), (std::vector<std::string>{"bb...", "b####", ".#..#", ".####"}));
}

TEST(Canvas, PixelsReadBackWhatWasSetAndNothingOutside) {
  TBitmap b(3, 3);
  TCanvas& c = *b.Canvas();
  c.SetPixels(2, 1, RGBColor(10, 20, 30));
  EXPECT_EQ(c.Pixels(2, 1), RGBColor(10, 20, 30));
  EXPECT_EQ(c.Pixels(3, 1), clNone);
  c.SetPixels(0, 0, clBtnFace);  // a system colour lands as its current RGB value
  EXPECT_EQ(c.Pixels(0, 0), ColorToRGB(clBtnFace));
}

TEST(Canvas, Frame3DPutsTheSecondColourOnTheTopRightAndBottomLeftCorners) {
  TBitmap b(4, 4);
  TCanvas& c = *b.Canvas();
  TRect r = Rect(0, 0, 4, 4);
  Frame3D(c, r, clRed, clBlue, 1);
  EXPECT_EQ(r, Rect(1, 1, 3, 3));
  EXPECT_EQ(Rows(b), (std::vector<std::string>{"rrrb", "r..b", "r..b", "bbbb"}));
}

// The columns that hold any non-white pixel in rows [Top, Bottom).
std::pair<int, int> InkColumns(TBitmap& B, int Top, int Bottom) {
  int first = -1, last = -1;
  for (int x = 0; x < B.Width(); ++x) {
    for (int y = Top; y < Bottom; ++y) {
      if (B.Canvas()->Pixels(x, y) != clWhite) {
        if (first < 0) first = x;
        last = x;
        break;
      }
    }
  }
  return {first, last};
}

TEST(Canvas, TextRectFillsTheRectangleAndClipsTheTextToIt) {
  TBitmap b(80, 20);
  TCanvas& c = *b.Canvas();
  c.Brush()->SetColor(clRed);
  c.Font()->SetColor(clBlue);
  c.TextRect(Rect(10, 2, 30, 18), 12, 2, "WWWWWWWW");
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 80; ++x) {
      const bool inside = x >= 10 && x < 30 && y >= 2 && y < 18;
      if (!inside) {
        ASSERT_EQ(c.Pixels(x, y), clWhite) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(c.Pixels(10, 2), clRed);  // left of the text origin: brush only
}

TEST(Canvas, CentredTextIsCentredOnItsReferencePoint) {
  TBitmap b(100, 20);
  TCanvas& c = *b.Canvas();
  c.Brush()->SetStyle(bsClear);
  c.SetTextAlign(TA_CENTER | TA_TOP);
  const int width = c.TextWidth("50%");
  c.TextOut(50, 2, "50%");
  const auto [first, last] = InkColumns(b, 0, 20);
  ASSERT_GE(first, 0);
  EXPECT_GE(first, 50 - width / 2 - 1);
  EXPECT_LE(last, 50 - width / 2 + width);
  EXPECT_NEAR((first + last) / 2.0, 50, 2.0);
  EXPECT_EQ(c.TextHeight("X"), c.TextExtent("50%").cy);
}

TEST(Canvas, TextExtentsFollowEveryChangeOfTheFontButItsColour) {
  TBitmap b(10, 10);
  TCanvas& c = *b.Canvas();
  c.Font()->SetSize(8);
  const TSize small = c.TextExtent("Wide text");
  c.Font()->SetColor(clRed);
  EXPECT_EQ(c.TextExtent("Wide text"), small);
  c.Font()->SetSize(20);
  const TSize large = c.TextExtent("Wide text");
  EXPECT_GT(large.cx, small.cx);
  EXPECT_GT(large.cy, small.cy);
  c.Font()->SetStyle(TFontStyles{fsBold});
  EXPECT_GT(c.TextWidth("Wide text"), large.cx);
  TFont mono;
  mono.SetName("Courier New");
  mono.SetSize(20);
  c.SetFont(&mono);
  EXPECT_EQ(c.TextWidth("iiii"), c.TextWidth("MMMM")) << "the fixed face is measured, not a kept extent";
  c.Font()->SetName("Arial");
  EXPECT_LT(c.TextWidth("iiii"), c.TextWidth("MMMM"));
  // Many more texts than are kept, then the first again: measured anew, the same.
  const int first = c.TextWidth("first");
  for (int i = 0; i < 40; ++i)
    c.TextWidth(std::to_string(i));
  EXPECT_EQ(c.TextWidth("first"), first);
}

TEST(Canvas, MissingPictureBytesAreAClearError) {
  TPicture p;
  EXPECT_THROW(p.SetData(TBytes{1, 2, 3}), EInvalidGraphic);
  EXPECT_TRUE(p.Empty());
}

}  // namespace

namespace {

TEST(Fonts, LayoutFontNamesResolveToInstalledFamiliesTheSameWayEveryTime) {
  EXPECT_EQ(ResolveFontFamily("MS Sans Serif", fpDefault), "Liberation Sans");
  EXPECT_EQ(ResolveFontFamily("ms sans serif", fpDefault), "Liberation Sans");
  EXPECT_EQ(ResolveFontFamily("Times New Roman", fpVariable), "Liberation Serif");
  EXPECT_EQ(ResolveFontFamily("No Such Face", fpFixed), "Liberation Mono");
  EXPECT_EQ(ResolveFontFamily("No Such Face", fpDefault), "Liberation Sans");
  EXPECT_EQ(ResolveFontFamily("DejaVu Serif", fpDefault), "DejaVu Serif");  // installed: itself
  // The local name of an East Asian face stands for a face that holds its script.
  EXPECT_EQ(ResolveFontFamily("\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E\xE6\x9C\x9D", fpDefault),
            "WenQuanYi Micro Hei");
  EXPECT_EQ(ResolveFontFamily("\xE5\xAE\x8B\xE4\xBD\x93", fpFixed), "WenQuanYi Micro Hei");
  TFont font;
  font.SetSize(8);
  EXPECT_EQ(font.Height(), -11);
  font.SetSize(16);
  EXPECT_EQ(font.Height(), -21);
  EXPECT_EQ(font.Size(), 16);
}

}  // namespace

namespace {

// The faces a layout or a document names hold no Chinese, Japanese or Korean letters; drawing such
// text must still find them in the installed face that does, not show empty boxes.
TEST(Fonts, EastAsianTextFallsBackToAFaceThatHoldsIt) {
  for (const char* name : {"MS Sans Serif", "Times New Roman", "No Such Face"}) {
    TFont font;
    font.SetName(name);
    const QString text = QString::fromUtf8(
        "\xE4\xB8\xAD\xE6\x96\x87 \xE6\x97\xA5\xE6\x9C\xAC "
        "\xED\x95\x9C\xEA\xB5\xAD");  // Chinese, Japanese, Korean
    QTextLayout layout(text, ToQFont(font));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    int eastAsianGlyphs = 0;
    for (const QGlyphRun& run : layout.glyphRuns()) {
      const bool eastAsian = run.rawFont().familyName() == "WenQuanYi Micro Hei";
      for (quint32 glyph : run.glyphIndexes()) {
        EXPECT_NE(glyph, 0u) << name;  // glyph 0 is the empty box of a face that lacks the letter
        if (eastAsian) ++eastAsianGlyphs;
      }
    }
    EXPECT_GE(eastAsianGlyphs, 6) << name;
  }
}

}  // namespace
