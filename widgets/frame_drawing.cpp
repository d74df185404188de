#include "widgets/frame_drawing.h"

namespace {

// Moves the given sides of R in by Count.
TRect MoveIn(TRect R, TSides Sides, int Count) {
  if (Sides.Contains(sdLeft)) R.Left += Count;
  if (Sides.Contains(sdTop)) R.Top += Count;
  if (Sides.Contains(sdRight)) R.Right -= Count;
  if (Sides.Contains(sdBottom)) R.Bottom -= Count;
  return R;
}

void Line(TCanvas& Canvas, int X1, int Y1, int X2, int Y2) {
  Canvas.MoveTo(X1, Y1);
  Canvas.LineTo(X2, Y2);
}

// A corner pixel of a frame, only where it lies inside the frame's rectangle.
void CornerPixel(TCanvas& Canvas, const TRect& Bounds, int X, int Y, TColor Color) {
  if (Bounds.Contains({X, Y})) Canvas.SetPixels(X, Y, Color);
}

// Groove and bump: two one-pixel outlines in A and B offset by one pixel against each
// other, with the corner pixels where the two meet chosen so the frame reads as a ridge
// or a trench whichever sides are present.
TRect DrawOffsetPair(TCanvas& Canvas, const TRect& R, TColor A, TColor B, TSides Sides) {
  const bool left = Sides.Contains(sdLeft);
  const bool top = Sides.Contains(sdTop);
  const bool right = Sides.Contains(sdRight);
  const bool bottom = Sides.Contains(sdBottom);
  if (right) CornerPixel(Canvas, R, R.Right - 1, R.Top, B);
  if (top && !right) CornerPixel(Canvas, R, R.Right - 1, R.Top, A);
  if (bottom) CornerPixel(Canvas, R, R.Left, R.Bottom - 1, B);
  if (left && !bottom) CornerPixel(Canvas, R, R.Left, R.Bottom - 1, A);
  if (top && !left) CornerPixel(Canvas, R, R.Left, R.Top + 1, B);
  if (left && !top) CornerPixel(Canvas, R, R.Left + 1, R.Top, B);
  if (bottom && !right) CornerPixel(Canvas, R, R.Right - 1, R.Bottom - 2, A);
  if (right && !bottom) CornerPixel(Canvas, R, R.Right - 2, R.Bottom - 1, A);
  const TRect shifted = Rect(R.Left + 1, R.Top + 1, R.Right, R.Bottom);
  DrawEdgeLines(Canvas, shifted, B, B, Sides);
  DrawEdgeLines(Canvas, shifted.Offset(-1, -1), A, A, Sides);
  return MoveIn(R, Sides, 2);
}

// Two bands of one pixel: Outer1/Outer2 at the edge, Inner1/Inner2 inside it.
TRect DrawTwoBands(TCanvas& Canvas, const TRect& R, TColor Outer1, TColor Outer2, TColor Inner1,
                   TColor Inner2, TSides Sides) {
  const TRect inside = DrawEdgeBand(Canvas, R, Outer1, Outer2, 1, Sides);
  return DrawEdgeBand(Canvas, inside, Inner1, Inner2, 1, Sides);
}

}  // namespace

TRect DrawEdgeLines(TCanvas& Canvas, const TRect& Bounds, TColor FirstColor, TColor SecondColor,
                    TSides Sides) {
  if (Bounds.IsEmpty()) return MoveIn(Bounds, Sides, 1);
  const TRect& r = Bounds;
  TPen& pen = *Canvas.Pen();
  pen.SetColor(FirstColor);
  if (Sides.Contains(sdLeft)) Line(Canvas, r.Left, r.Top, r.Left, r.Bottom);
  if (Sides.Contains(sdTop)) Line(Canvas, r.Left, r.Top, r.Right, r.Top);
  pen.SetColor(SecondColor);
  if (Sides.Contains(sdRight)) Line(Canvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom);
  if (Sides.Contains(sdBottom)) Line(Canvas, r.Left, r.Bottom - 1, r.Right, r.Bottom - 1);
  return MoveIn(Bounds, Sides, 1);
}

TRect DrawEdgeBand(TCanvas& Canvas, const TRect& Bounds, TColor FirstColor, TColor SecondColor, int Count,
                   TSides Sides) {
  Canvas.Pen()->SetWidth(1);
  TRect r = Bounds;
  // Once the rectangle is empty there is nothing left to draw on; stopping there also
  // keeps a huge count from looping for long or pushing the coordinates out of range.
  for (int i = 0; i < Count && !r.IsEmpty(); ++i)
    r = DrawEdgeLines(Canvas, r, FirstColor, SecondColor, Sides);
  return r;
}

int FrameStyleWidth(TFrameStyle Style) {
  switch (Style) {
    case fsNone:
      return 0;
    case fsFlat:
    case fsStatus:
    case fsPopup:
      return 1;
    default:
      return 2;
  }
}

TRect DrawFrameStyle(TCanvas& Canvas, const TRect& Bounds, TFrameStyle Style, TSides Sides) {
  if (Bounds.IsEmpty()) return MoveIn(Bounds, Sides, FrameStyleWidth(Style));
  switch (Style) {
    case fsNone:
      return Bounds;
    case fsFlat:
      return DrawEdgeLines(Canvas, Bounds, clWindowFrame, clWindowFrame, Sides);
    case fsStatus:
      return DrawEdgeLines(Canvas, Bounds, clBtnShadow, clBtnHighlight, Sides);
    case fsPopup:
      return DrawEdgeLines(Canvas, Bounds, clBtnHighlight, clBtnShadow, Sides);
    case fsLowered:
      return DrawTwoBands(Canvas, Bounds, clBtnShadow, clBtnHighlight, clBtnText, cl3DLight, Sides);
    case fsRaised:
      return DrawTwoBands(Canvas, Bounds, cl3DLight, clBtnText, clBtnHighlight, clBtnShadow, Sides);
    case fsButtonUp:
      return DrawTwoBands(Canvas, Bounds, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow, Sides);
    case fsButtonDown:
      return DrawTwoBands(Canvas, Bounds, clBtnText, clBtnText, clBtnShadow, clBtnShadow, Sides);
    case fsGroove:
      return DrawOffsetPair(Canvas, Bounds, clBtnShadow, clBtnHighlight, Sides);
    case fsBump:
      return DrawOffsetPair(Canvas, Bounds, clBtnHighlight, clBtnShadow, Sides);
  }
  return Bounds;
}
