// The frame drawing functions, pixel by pixel on a 10 x 8 rectangle.

#include <gtest/gtest.h>

#include <climits>

#include "bar_test_support.h"
#include "widgets/frame_drawing.h"

namespace {

constexpr TRect kBox = {0, 0, 10, 8};

// Expected colours of one-pixel rings: for ring i (0 = outermost) First on the left and
// top, Second on the right and bottom, the top-right and bottom-left corners in Second.
struct TRing {
  TColor First;
  TColor Second;
};

void ExpectRings(const QImage& Image, const std::vector<TRing>& Rings) {
  TRect r = kBox;
  for (const TRing& ring : Rings) {
    const TColor first = Rgb(ring.First), second = Rgb(ring.Second);
    for (int y = r.Top; y < r.Bottom - 1; ++y) {
      EXPECT_EQ(PixelAt(Image, r.Left, y), first) << "left side y=" << y;
      EXPECT_EQ(PixelAt(Image, r.Right - 1, y), second) << "right side y=" << y;
    }
    for (int x = r.Left; x < r.Right - 1; ++x) {
      EXPECT_EQ(PixelAt(Image, x, r.Top), first) << "top side x=" << x;
      EXPECT_EQ(PixelAt(Image, x, r.Bottom - 1), second) << "bottom side x=" << x;
    }
    // The corners where the colours meet.
    EXPECT_EQ(PixelAt(Image, r.Left, r.Top), first);
    EXPECT_EQ(PixelAt(Image, r.Right - 1, r.Top), second);
    EXPECT_EQ(PixelAt(Image, r.Left, r.Bottom - 1), second);
    EXPECT_EQ(PixelAt(Image, r.Right - 1, r.Bottom - 1), second);
    r = r.Inflate(-1, -1);
  }
  EXPECT_EQ(CountOther(Image, r, kUnpainted), 0) << "the inside stays untouched";
}

struct TBandCase {
  TFrameStyle Style;
  std::vector<TRing> Rings;
};

TEST(FrameDrawing, EveryBandStyleDrawsItsRingsAndAnswersTheInside) {
  const std::vector<TBandCase> cases = {
      {fsFlat, {{clWindowFrame, clWindowFrame}}},
      {fsStatus, {{clBtnShadow, clBtnHighlight}}},
      {fsPopup, {{clBtnHighlight, clBtnShadow}}},
      {fsLowered, {{clBtnShadow, clBtnHighlight}, {clBtnText, cl3DLight}}},
      {fsRaised, {{cl3DLight, clBtnText}, {clBtnHighlight, clBtnShadow}}},
      {fsButtonUp, {{clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow}}},
      {fsButtonDown, {{clBtnText, clBtnText}, {clBtnShadow, clBtnShadow}}},
  };
  for (const TBandCase& c : cases) {
    SCOPED_TRACE(TEnumNames<TFrameStyle>::Info().Names[c.Style]);
    TRect inside;
    const QImage image =
        DrawOn(10, 8, [&](TCanvas& canvas) { inside = DrawFrameStyle(canvas, kBox, c.Style, sdAllSides); });
    ExpectRings(image, c.Rings);
    const int w = static_cast<int>(c.Rings.size());
    EXPECT_EQ(inside, kBox.Inflate(-w, -w));
    EXPECT_EQ(FrameStyleWidth(c.Style), w);
  }
}

TEST(FrameDrawing, NoneDrawsNothing) {
  TRect inside;
  const QImage image =
      DrawOn(10, 8, [&](TCanvas& canvas) { inside = DrawFrameStyle(canvas, kBox, fsNone, sdAllSides); });
  EXPECT_EQ(inside, kBox);
  EXPECT_EQ(CountOther(image, kBox, kUnpainted), 0);
}

// Rows of the expected picture: 'A', 'B' for the two colours, '.' untouched.
void ExpectPicture(const QImage& Image, const std::vector<std::string>& Rows, TColor A, TColor B) {
  for (int y = 0; y < static_cast<int>(Rows.size()); ++y) {
    for (int x = 0; x < static_cast<int>(Rows[y].size()); ++x) {
      const char c = Rows[y][x];
      const TColor want = c == 'A' ? Rgb(A) : c == 'B' ? Rgb(B) : kUnpainted;
      EXPECT_EQ(PixelAt(Image, x, y), want) << "at " << x << "," << y << " expected " << c;
    }
  }
}

QImage OffsetPair(TFrameStyle Style, TSides Sides, TRect* Inside) {
  return DrawOn(10, 8, [&](TCanvas& canvas) { *Inside = DrawFrameStyle(canvas, kBox, Style, Sides); });
}

TEST(FrameDrawing, GrooveAndBumpOnAllSides) {
  // A groove is A outside at the left and top, B inside it, and the other way round at the
  // right and bottom; the corners where they cross follow the offset of the two outlines.
  const std::vector<std::string> all = {
      "AAAAAAAAAB",  //
      "ABBBBBBBAB",  //
      "AB......AB",  //
      "AB......AB",  //
      "AB......AB",  //
      "AB......AB",  //
      "AAAAAAAAAB",  //
      "BBBBBBBBBB",  //
  };
  TRect inside;
  ExpectPicture(OffsetPair(fsGroove, sdAllSides, &inside), all, clBtnShadow, clBtnHighlight);
  EXPECT_EQ(inside, Rect(2, 2, 8, 6));
  ExpectPicture(OffsetPair(fsBump, sdAllSides, &inside), all, clBtnHighlight, clBtnShadow);
}

TEST(FrameDrawing, GrooveOnSomeSidesSetsItsCornersByTheSidesPresent) {
  struct TCase {
    TSides Sides;
    std::vector<std::string> Rows;
    TRect Inside;
  };
  const std::vector<TCase> cases = {
      {{sdLeft, sdTop},
       {"AAAAAAAAAA", "ABBBBBBBBB", "AB........", "AB........", "AB........", "AB........", "AB........",
        "AB........"},
       Rect(2, 2, 10, 8)},
      {{sdRight, sdBottom},
       {"........AB", "........AB", "........AB", "........AB", "........AB", "........AB", "AAAAAAAAAB",
        "BBBBBBBBBB"},
       Rect(0, 0, 8, 6)},
      {{sdTop},
       {"AAAAAAAAAA", "BBBBBBBBBB", "..........", "..........", "..........", "..........", "..........",
        ".........."},
       Rect(0, 2, 10, 8)},
      {{sdLeft},
       {"AB........", "AB........", "AB........", "AB........", "AB........", "AB........", "AB........",
        "AB........"},
       Rect(2, 0, 10, 8)},
      {{sdBottom},
       {"..........", "..........", "..........", "..........", "..........", "..........", "AAAAAAAAAA",
        "BBBBBBBBBB"},
       Rect(0, 0, 10, 6)},
      {{sdRight},
       {"........AB", "........AB", "........AB", "........AB", "........AB", "........AB", "........AB",
        "........AB"},
       Rect(0, 0, 8, 8)},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Sides.Bits());
    TRect inside;
    ExpectPicture(OffsetPair(fsGroove, c.Sides, &inside), c.Rows, clBtnShadow, clBtnHighlight);
    EXPECT_EQ(inside, c.Inside);
  }
}

TEST(FrameDrawing, EdgeLinesSkipSidesNotAsked) {
  TRect inside;
  const QImage image = DrawOn(10, 8, [&](TCanvas& canvas) {
    inside = DrawEdgeLines(canvas, kBox, clRed, clBlue, {sdTop, sdRight});
  });
  EXPECT_EQ(inside, Rect(0, 1, 9, 8));
  EXPECT_EQ(CountOther(image, Rect(0, 0, 9, 1), clRed), 0);
  EXPECT_EQ(CountOther(image, Rect(9, 0, 10, 8), clBlue), 0);
  EXPECT_EQ(CountOther(image, Rect(0, 1, 9, 8), kUnpainted), 0);
}

TEST(FrameDrawing, EdgeBandRepeatsInwardAndStopsWhenNothingIsLeft) {
  TRect inside;
  QImage image = DrawOn(
      10, 8, [&](TCanvas& canvas) { inside = DrawEdgeBand(canvas, kBox, clRed, clBlue, 2, sdAllSides); });
  ExpectRings(image, {{clRed, clBlue}, {clRed, clBlue}});
  EXPECT_EQ(inside, Rect(2, 2, 8, 6));

  image = DrawOn(10, 8,
                 [&](TCanvas& canvas) { inside = DrawEdgeBand(canvas, kBox, clRed, clBlue, 0, sdAllSides); });
  EXPECT_EQ(inside, kBox);
  EXPECT_EQ(CountOther(image, kBox, kUnpainted), 0);

  // A band far wider than the rectangle covers it and draws nothing outside it.
  image = DrawOn(20, 20, [&](TCanvas& canvas) {
    inside = DrawEdgeBand(canvas, Rect(5, 5, 15, 12), clRed, clRed, INT_MAX, sdAllSides);
  });
  EXPECT_TRUE(inside.IsEmpty());
  EXPECT_EQ(CountOther(image, Rect(5, 5, 15, 12), clRed), 0);
  EXPECT_EQ(CountOther(image, Rect(0, 0, 20, 5), kUnpainted), 0);
  EXPECT_EQ(CountOther(image, Rect(0, 12, 20, 20), kUnpainted), 0);
  EXPECT_EQ(CountOther(image, Rect(0, 5, 5, 12), kUnpainted), 0);
  EXPECT_EQ(CountOther(image, Rect(15, 5, 20, 12), kUnpainted), 0);
}

TEST(FrameDrawing, FramesOnEmptyOrThinRectanglesStayInside) {
  for (int style = fsNone; style <= fsPopup; ++style) {
    SCOPED_TRACE(style);
    // Empty: nothing at all.
    QImage image = DrawOn(12, 12, [&](TCanvas& canvas) {
      DrawFrameStyle(canvas, Rect(4, 4, 4, 9), static_cast<TFrameStyle>(style), sdAllSides);
      DrawFrameStyle(canvas, Rect(4, 4, 9, 3), static_cast<TFrameStyle>(style), sdAllSides);
    });
    EXPECT_EQ(CountOther(image, Rect(0, 0, 12, 12), kUnpainted), 0);
    // One pixel wide or high: nothing outside it.
    image = DrawOn(12, 12, [&](TCanvas& canvas) {
      DrawFrameStyle(canvas, Rect(4, 2, 5, 9), static_cast<TFrameStyle>(style), sdAllSides);
      DrawFrameStyle(canvas, Rect(6, 10, 11, 11), static_cast<TFrameStyle>(style), sdAllSides);
    });
    int outside = 0;
    for (int y = 0; y < 12; ++y) {
      for (int x = 0; x < 12; ++x) {
        const bool inStrip = Rect(4, 2, 5, 9).Contains({x, y}) || Rect(6, 10, 11, 11).Contains({x, y});
        if (!inStrip && PixelAt(image, x, y) != kUnpainted) ++outside;
      }
    }
    EXPECT_EQ(outside, 0);
  }
}

}  // namespace
