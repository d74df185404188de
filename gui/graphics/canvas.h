#pragma once
// A drawing surface with the integer conventions of classic desktop graphics:
// - a line from A to B covers A but not B; MoveTo/LineTo keep the pen position;
// - Rectangle outlines [X1, X2) x [Y1, Y2) with the pen and fills the inside with the brush;
//   with a clear pen it fills [X1, X2 - 1) x [Y1, Y2 - 1); an inside-frame pen of width W
//   keeps its whole width inside the rectangle;
// - FillRect and FrameRect use the brush only; a clear brush fills nothing;
// - TextOut and TextRect place text by the text alignment (TA_LEFT/TA_CENTER/TA_RIGHT with
//   TA_TOP/TA_BASELINE/TA_BOTTOM) and paint the text cell (TextOut) or the whole rectangle
//   (TextRect, which also clips) in the brush colour unless the brush is clear.
// Lines and rectangles are never antialiased. A canvas draws while the framework has
// attached it to a window being painted, or into a TBitmap; outside that it can only measure.

#include <memory>
#include <string>
#include <vector>

#include "core/object.h"
#include "core/rtti.h"
#include "core/types.h"
#include "gui/graphics/geometry.h"
#include "gui/graphics/graphics_objects.h"

class QPainter;
class QImage;
class QFont;
class QFontMetrics;
class QStaticText;
class TPicture;

inline constexpr unsigned TA_LEFT = 0;
inline constexpr unsigned TA_TOP = 0;
inline constexpr unsigned TA_RIGHT = 2;
inline constexpr unsigned TA_CENTER = 6;
inline constexpr unsigned TA_BOTTOM = 8;
inline constexpr unsigned TA_BASELINE = 24;

// Formatting of DrawText: alignment, wrapping, and the & prefix (shown as an underline).
enum TTextFormats {
  tfBottom,
  tfCalcRect,
  tfCenter,
  tfEndEllipsis,
  tfLeft,
  tfNoClip,
  tfNoPrefix,
  tfRight,
  tfSingleLine,
  tfVerticalCenter,
  tfWordBreak
};
using TTextFormat = TSet<TTextFormats>;

class TCanvas : public TPersistent {
 public:
  BREVANT_CLASS(TCanvas)
  TCanvas();
  ~TCanvas() override;

  TFont* Font() const { return Font_.get(); }
  void SetFont(TFont* Value) { Font_->Assign(*Value); }
  TPen* Pen() const { return Pen_.get(); }
  TBrush* Brush() const { return Brush_.get(); }

  TPoint PenPos() const { return PenPos_; }
  void SetPenPos(TPoint Value) { PenPos_ = Value; }
  void MoveTo(int X, int Y) { PenPos_ = {X, Y}; }
  void LineTo(int X, int Y);
  // Lines through the points; like LineTo, the last point is not drawn.
  void Polyline(const std::vector<TPoint>& Points);

  // Reading works on bitmaps and on windows of ours while they paint; elsewhere clNone.
  TColor Pixels(int X, int Y) const;
  void SetPixels(int X, int Y, TColor Color);

  void FillRect(const TRect& R);
  void FrameRect(const TRect& R);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }

  unsigned TextAlign() const { return TextAlign_; }
  void SetTextAlign(unsigned Value) { TextAlign_ = Value; }
  void TextOut(int X, int Y, const std::string& Text);
  void TextRect(const TRect& R, int X, int Y, const std::string& Text);
  int TextWidth(const std::string& Text) const;
  int TextHeight(const std::string& Text) const;
  TSize TextExtent(const std::string& Text) const;
  // Formatted text in R; with tfCalcRect nothing is drawn and the rectangle the text
  // needs is returned (left and top kept).
  TRect DrawText(const std::string& Text, const TRect& R, TTextFormat Format);

  void Draw(int X, int Y, const TPicture& Picture);
  void StretchDraw(const TRect& Dest, const TPicture& Picture);
  // The part Source of Picture drawn into Dest (scaled when the sizes differ).
  void DrawPart(const TRect& Dest, const TPicture& Picture, const TRect& Source, bool Grayed = false);

  // Whether the canvas is attached to a surface it can draw on.
  bool CanDraw() const { return Painter_ != nullptr; }
  TRect ClipRect() const;

  // Framework side: attach to a painter set up with the canvas origin and clipping, and
  // the image it paints on when that can be read back. Detach ends drawing.
  void Attach(QPainter* Painter, QImage* Readable);
  void Detach();

 private:
  const QFont& QtFont() const;
  const QFontMetrics& QtMetrics() const;
  void PlotLine(TPoint A, TPoint B);
  void FillPixels(const TRect& R, TColor Color);
  void FillBrush(const TRect& R);
  TPoint TextOrigin(int X, int Y, const std::string& Text) const;
  void DrawTextAt(TPoint TopLeft, const std::string& Text);
  const QStaticText& LaidOutText(const std::string& Text);
  void RequirePainter() const;

  std::unique_ptr<TFont> Font_;
  std::unique_ptr<TPen> Pen_;
  std::unique_ptr<TBrush> Brush_;
  TPoint PenPos_;
  unsigned TextAlign_ = TA_LEFT | TA_TOP;
  QPainter* Painter_ = nullptr;
  QImage* Readable_ = nullptr;
  // The Qt font and the text extents measured with it, kept while the font's face, height,
  // style and pitch stay (its colour is the pen's business, not the font's).
  mutable std::unique_ptr<QFont> QtFont_;
  mutable std::unique_ptr<QFontMetrics> QtMetrics_;
  mutable std::unique_ptr<TFont> QtFontSource_;
  mutable std::vector<std::pair<std::string, TSize>> Extents_;
  // The last texts drawn, laid out once: a control that redraws the same few strings (a
  // percentage, a caption) skips shaping them again on every paint.
  std::vector<std::pair<std::string, std::shared_ptr<QStaticText>>> LaidOut_;
};

// The raised or lowered edge of classic controls: TopColor on the left and top, BottomColor
// on the right and bottom, Width times inward; R shrinks by Width on each side.
void Frame3D(TCanvas& Canvas, TRect& R, TColor TopColor, TColor BottomColor, int Width);

// An offscreen image with a canvas, for tests, tools and cached drawings.
class TBitmap : public TPersistent {
 public:
  BREVANT_CLASS(TBitmap)
  TBitmap(int Width = 0, int Height = 0);
  ~TBitmap() override;

  int Width() const;
  int Height() const;
  void SetSize(int Width, int Height);
  TCanvas* Canvas();
  // PNG bytes of the image; SaveToFile raises EFCreateError when the file cannot be written.
  TBytes SaveToPng();
  void SaveToFile(const std::string& FileName);
  // The image, for the framework (drawing it elsewhere, comparing it).
  const QImage& Image();

 private:
  void EndDrawing();

  std::unique_ptr<QImage> Image_;
  std::unique_ptr<QPainter> Painter_;
  std::unique_ptr<TCanvas> Canvas_;
};
