#include "gui/graphics/canvas.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStaticText>
#include <cstdlib>

#include "core/exceptions.h"
#include "gui/graphics/picture.h"
#include "gui/gui_strings.h"
#include "gui/qt/qt_convert.h"

BREVANT_DEFINE_CLASS(TCanvas, TPersistent, )
BREVANT_DEFINE_CLASS(TBitmap, TPersistent, )

namespace {

// Whether two fonts draw the same glyphs, whatever their colours.
bool SameShape(const TFont& A, const TFont& B) {
  return A.Name() == B.Name() && A.Height() == B.Height() && A.Style() == B.Style() &&
         A.Charset() == B.Charset() && A.Pitch() == B.Pitch();
}

// On/off run lengths of the styled cosmetic pens, in pixels.
std::vector<int> PatternOf(TPenStyle Style) {
  switch (Style) {
    case psDash:
      return {18, 6};
    case psDot:
      return {3, 3};
    case psDashDot:
      return {9, 6, 3, 6};
    case psDashDotDot:
      return {9, 3, 3, 3, 3, 3};
    default:
      return {};
  }
}

}  // namespace

TCanvas::TCanvas()
    : Font_(std::make_unique<TFont>()), Pen_(std::make_unique<TPen>()), Brush_(std::make_unique<TBrush>()) {
  Font_->OnChange = [this](TObject*) {
    if (QtFontSource_ != nullptr && SameShape(*QtFontSource_, *Font_)) return;
    QtFont_.reset();
    QtMetrics_.reset();
    Extents_.clear();
    LaidOut_.clear();
  };
}

TCanvas::~TCanvas() = default;

void TCanvas::Attach(QPainter* Painter, QImage* Readable) {
  Painter_ = Painter;
  Readable_ = Readable;
  if (Painter_ != nullptr) {
    Painter_->setRenderHint(QPainter::Antialiasing, false);
    Painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
  }
}

void TCanvas::Detach() {
  Painter_ = nullptr;
  Readable_ = nullptr;
}

void TCanvas::RequirePainter() const {
  if (Painter_ == nullptr) throw EInvalidOperation(LoadResString(SNoCanvasHandle));
}

const QFont& TCanvas::QtFont() const {
  if (!QtFont_) {
    QtFont_ = std::make_unique<QFont>(ToQFont(*Font_));
    if (QtFontSource_ == nullptr) QtFontSource_ = std::make_unique<TFont>();
    QtFontSource_->Assign(*Font_);
  }
  return *QtFont_;
}

const QFontMetrics& TCanvas::QtMetrics() const {
  if (!QtMetrics_) QtMetrics_ = std::make_unique<QFontMetrics>(QtFont());
  return *QtMetrics_;
}

TRect TCanvas::ClipRect() const {
  if (Painter_ == nullptr || !Painter_->hasClipping()) return Rect(0, 0, 32767, 32767);
  return FromQRect(Painter_->clipBoundingRect().toAlignedRect());
}

void TCanvas::FillPixels(const TRect& R, TColor Color) {
  if (R.IsEmpty()) return;
  Painter_->fillRect(ToQRect(R), ToQColor(Color));
}

void TCanvas::FillBrush(const TRect& R) {
  if (R.IsEmpty() || Brush_->Style() == bsClear) return;
  if (Brush_->Style() == bsSolid) {
    FillPixels(R, Brush_->Color());
    return;
  }
  static const Qt::BrushStyle kHatch[] = {Qt::SolidPattern, Qt::NoBrush,         Qt::HorPattern,
                                          Qt::VerPattern,   Qt::FDiagPattern,    Qt::BDiagPattern,
                                          Qt::CrossPattern, Qt::DiagCrossPattern};
  Painter_->fillRect(ToQRect(R), QBrush(ToQColor(Brush_->Color()), kHatch[Brush_->Style()]));
}

void TCanvas::PlotLine(TPoint A, TPoint B) {
  const TPenStyle style = Pen_->Style();
  if (style == psClear || A == B) return;
  const QColor color = ToQColor(Pen_->Color());
  if (Pen_->Width() > 1 && style != psInsideFrame) {
    // Geometric pens: a wide line with round ends, still without antialiasing.
    Painter_->setPen(QPen(color, Pen_->Width(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    Painter_->drawLine(QPoint(A.X, A.Y), QPoint(B.X, B.Y));
    return;
  }
  const std::vector<int> pattern = PatternOf(style);
  if (pattern.empty() && (A.X == B.X || A.Y == B.Y)) {
    const TRect r = A.X == B.X ? Rect(A.X, std::min(A.Y, B.Y + 1), A.X + 1, std::max(A.Y + 1, B.Y))
                               : Rect(std::min(A.X, B.X + 1), A.Y, std::max(A.X + 1, B.X), A.Y + 1);
    Painter_->fillRect(ToQRect(r), color);
    return;
  }
  // Bresenham's walk from A toward B; B itself is left out.
  int x = A.X, y = A.Y;
  const int dx = std::abs(B.X - A.X), sx = A.X < B.X ? 1 : -1;
  const int dy = -std::abs(B.Y - A.Y), sy = A.Y < B.Y ? 1 : -1;
  int err = dx + dy;
  size_t segment = 0;
  int left = pattern.empty() ? 0 : pattern[0];
  while (x != B.X || y != B.Y) {
    if (pattern.empty() || segment % 2 == 0) Painter_->fillRect(QRect(x, y, 1, 1), color);
    if (!pattern.empty() && --left == 0) {
      segment = (segment + 1) % pattern.size();
      left = pattern[segment];
    }
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

void TCanvas::LineTo(int X, int Y) {
  RequirePainter();
  PlotLine(PenPos_, {X, Y});
  PenPos_ = {X, Y};
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
  if (Points.empty()) return;
  RequirePainter();
  for (size_t i = 1; i < Points.size(); ++i)
    PlotLine(Points[i - 1], Points[i]);
}

TColor TCanvas::Pixels(int X, int Y) const {
  if (Painter_ == nullptr || Readable_ == nullptr) return clNone;
  const QPoint p = Painter_->transform().map(QPoint(X, Y));
  if (!Readable_->rect().contains(p)) return clNone;
  const QRgb rgb = Readable_->pixel(p);
  return RGBColor(static_cast<uint8_t>(qRed(rgb)), static_cast<uint8_t>(qGreen(rgb)),
                  static_cast<uint8_t>(qBlue(rgb)));
}

void TCanvas::SetPixels(int X, int Y, TColor Color) {
  RequirePainter();
  FillPixels(Rect(X, Y, X + 1, Y + 1), Color);
}

void TCanvas::FillRect(const TRect& R) {
  RequirePainter();
  FillBrush(R);
}

void TCanvas::FrameRect(const TRect& R) {
  RequirePainter();
  if (R.IsEmpty() || Brush_->Style() == bsClear) return;
  const TColor c = Brush_->Color();
  FillPixels(Rect(R.Left, R.Top, R.Right, R.Top + 1), c);
  FillPixels(Rect(R.Left, R.Bottom - 1, R.Right, R.Bottom), c);
  FillPixels(Rect(R.Left, R.Top + 1, R.Left + 1, R.Bottom - 1), c);
  FillPixels(Rect(R.Right - 1, R.Top + 1, R.Right, R.Bottom - 1), c);
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  RequirePainter();
  if (X2 < X1) std::swap(X1, X2);
  if (Y2 < Y1) std::swap(Y1, Y2);
  const TPenStyle style = Pen_->Style();
  if (style == psClear) {
    FillBrush(Rect(X1, Y1, X2 - 1, Y2 - 1));
    return;
  }
  const int w = std::max(1, Pen_->Width());
  TRect outer = Rect(X1, Y1, X2, Y2);
  if (style != psInsideFrame && w > 1)
    outer = Rect(X1 - w / 2, Y1 - w / 2, X2 + (w - 1) / 2, Y2 + (w - 1) / 2);
  const int band = style == psInsideFrame || style == psSolid || w > 1 ? w : 1;
  const TRect inner = outer.Inflate(-band, -band);
  FillBrush(inner);
  if (style == psSolid || style == psInsideFrame || w > 1) {
    const TColor c = Pen_->Color();
    if (inner.IsEmpty()) {
      FillPixels(outer, c);
      return;
    }
    FillPixels(Rect(outer.Left, outer.Top, outer.Right, inner.Top), c);
    FillPixels(Rect(outer.Left, inner.Bottom, outer.Right, outer.Bottom), c);
    FillPixels(Rect(outer.Left, inner.Top, inner.Left, inner.Bottom), c);
    FillPixels(Rect(inner.Right, inner.Top, outer.Right, inner.Bottom), c);
    return;
  }
  // A styled cosmetic pen walks the outline once, clockwise.
  const TPoint save = PenPos_;
  Polyline({{X1, Y1}, {X2 - 1, Y1}, {X2 - 1, Y2 - 1}, {X1, Y2 - 1}, {X1, Y1}});
  PenPos_ = save;
}

int TCanvas::TextWidth(const std::string& Text) const {
  return TextExtent(Text).cx;
}

int TCanvas::TextHeight(const std::string& Text) const {
  return TextExtent(Text).cy;
}

TSize TCanvas::TextExtent(const std::string& Text) const {
  // A control measures the same few texts paint after paint: each measure shapes the text.
  for (const auto& [text, size] : Extents_) {
    if (text == Text) return size;
  }
  const QFontMetrics& m = QtMetrics();
  const TSize size{m.horizontalAdvance(ToQString(Text)), m.height()};
  constexpr size_t kKeptExtents = 16;
  if (Extents_.size() == kKeptExtents) Extents_.erase(Extents_.begin());
  Extents_.emplace_back(Text, size);
  return size;
}

TPoint TCanvas::TextOrigin(int X, int Y, const std::string& Text) const {
  const TSize size = TextExtent(Text);
  const QFontMetrics& m = QtMetrics();
  int left = X;
  if ((TextAlign_ & TA_CENTER) == TA_CENTER) {
    left = X - size.cx / 2;
  } else if ((TextAlign_ & TA_CENTER) == TA_RIGHT) {
    left = X - size.cx;
  }
  int top = Y;
  if ((TextAlign_ & TA_BASELINE) == TA_BASELINE) {
    top = Y - m.ascent();
  } else if ((TextAlign_ & TA_BASELINE) == TA_BOTTOM) {
    top = Y - size.cy;
  }
  return {left, top};
}

const QStaticText& TCanvas::LaidOutText(const std::string& Text) {
  for (const auto& [text, laidOut] : LaidOut_) {
    if (text == Text) return *laidOut;
  }
  auto laidOut = std::make_shared<QStaticText>(ToQString(Text));
  laidOut->setTextFormat(Qt::PlainText);
  laidOut->prepare(QTransform(), QtFont());
  constexpr size_t kKeptTexts = 16;
  if (LaidOut_.size() == kKeptTexts) LaidOut_.erase(LaidOut_.begin());
  LaidOut_.emplace_back(Text, std::move(laidOut));
  return *LaidOut_.back().second;
}

void TCanvas::DrawTextAt(TPoint TopLeft, const std::string& Text) {
  Painter_->setFont(QtFont());
  Painter_->setPen(ToQColor(Font_->Color()));
  Painter_->drawStaticText(QPoint(TopLeft.X, TopLeft.Y), LaidOutText(Text));
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  RequirePainter();
  const TPoint at = TextOrigin(X, Y, Text);
  const TSize size = TextExtent(Text);
  FillBrush(Bounds(at.X, at.Y, size.cx, size.cy));
  DrawTextAt(at, Text);
  PenPos_ = {at.X + size.cx, Y};
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const std::string& Text) {
  RequirePainter();
  FillBrush(R);
  Painter_->save();
  Painter_->setClipRect(ToQRect(R), Qt::IntersectClip);
  DrawTextAt(TextOrigin(X, Y, Text), Text);
  Painter_->restore();
}

TRect TCanvas::DrawText(const std::string& Text, const TRect& R, TTextFormat Format) {
  int flags = 0;
  if (Format.Contains(tfCenter)) {
    flags |= Qt::AlignHCenter;
  } else if (Format.Contains(tfRight)) {
    flags |= Qt::AlignRight;
  } else {
    flags |= Qt::AlignLeft;
  }
  if (Format.Contains(tfVerticalCenter)) {
    flags |= Qt::AlignVCenter;
  } else if (Format.Contains(tfBottom)) {
    flags |= Qt::AlignBottom;
  } else {
    flags |= Qt::AlignTop;
  }
  if (Format.Contains(tfSingleLine)) {
    flags |= Qt::TextSingleLine;
  } else if (Format.Contains(tfWordBreak)) {
    flags |= Qt::TextWordWrap;
  }
  flags |= Format.Contains(tfNoPrefix) ? 0 : Qt::TextShowMnemonic;
  if (Format.Contains(tfNoClip)) flags |= Qt::TextDontClip;
  const QFontMetrics& m = QtMetrics();
  QString text = ToQString(Text);
  if (Format.Contains(tfCalcRect)) {
    const int width =
        Format.Contains(tfWordBreak) && !Format.Contains(tfSingleLine) ? std::max(R.Width(), 1) : 1 << 20;
    const QRect b = m.boundingRect(
        QRect(R.Left, R.Top, width, 1 << 20),
        flags & ~(Qt::AlignHCenter | Qt::AlignRight | Qt::AlignVCenter | Qt::AlignBottom), text);
    return Rect(R.Left, R.Top, R.Left + b.width(), R.Top + b.height());
  }
  RequirePainter();
  if (Format.Contains(tfEndEllipsis)) text = m.elidedText(text, Qt::ElideRight, R.Width(), flags);
  Painter_->setFont(QtFont());
  Painter_->setPen(ToQColor(Font_->Color()));
  Painter_->drawText(ToQRect(R), flags, text);
  return R;
}

void TCanvas::Draw(int X, int Y, const TPicture& Picture) {
  if (Picture.Empty()) return;
  DrawPart(Bounds(X, Y, Picture.Width(), Picture.Height()), Picture,
           Rect(0, 0, Picture.Width(), Picture.Height()));
}

void TCanvas::StretchDraw(const TRect& Dest, const TPicture& Picture) {
  if (Picture.Empty()) return;
  DrawPart(Dest, Picture, Rect(0, 0, Picture.Width(), Picture.Height()));
}

void TCanvas::DrawPart(const TRect& Dest, const TPicture& Picture, const TRect& Source, bool Grayed) {
  RequirePainter();
  if (Picture.Empty() || Dest.IsEmpty() || Source.IsEmpty()) return;
  if (!Grayed) {
    Painter_->drawImage(ToQRect(Dest), *Picture.Image(), ToQRect(Source));
    return;
  }
  QImage part = Picture.Image()->copy(ToQRect(Source)).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < part.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
    for (int x = 0; x < part.width(); ++x) {
      const int g = qGray(line[x]);
      line[x] = qRgba(g, g, g, qAlpha(line[x]) / 2);
    }
  }
  Painter_->drawImage(ToQRect(Dest), part);
}

void Frame3D(TCanvas& Canvas, TRect& R, TColor TopColor, TColor BottomColor, int Width) {
  TPen& pen = *Canvas.Pen();
  pen.SetWidth(1);
  pen.SetStyle(psSolid);
  R.Bottom -= 1;
  R.Right -= 1;
  for (int i = 0; i < Width; ++i) {
    pen.SetColor(TopColor);
    Canvas.Polyline({{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right, R.Top}});
    pen.SetColor(BottomColor);
    Canvas.Polyline({{R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left - 1, R.Bottom}});
    R = R.Inflate(-1, -1);
  }
  R.Bottom += 1;
  R.Right += 1;
}

TBitmap::TBitmap(int Width, int Height) : Canvas_(std::make_unique<TCanvas>()) {
  SetSize(Width, Height);
}

TBitmap::~TBitmap() {
  EndDrawing();
}

void TBitmap::EndDrawing() {
  Canvas_->Detach();
  if (Painter_) Painter_->end();
  Painter_.reset();
}

int TBitmap::Width() const {
  return Image_ ? Image_->width() : 0;
}

int TBitmap::Height() const {
  return Image_ ? Image_->height() : 0;
}

void TBitmap::SetSize(int Width, int Height) {
  EndDrawing();
  Image_ = std::make_unique<QImage>(std::max(Width, 0), std::max(Height, 0), QImage::Format_RGB32);
  Image_->fill(Qt::white);
}

TCanvas* TBitmap::Canvas() {
  if (!Painter_ && !Image_->isNull()) {
    Painter_ = std::make_unique<QPainter>(Image_.get());
    Canvas_->Attach(Painter_.get(), Image_.get());
  }
  return Canvas_.get();
}

const QImage& TBitmap::Image() {
  return *Image_;
}

TBytes TBitmap::SaveToPng() {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  Image_->save(&buffer, "PNG");
  return TBytes(bytes.begin(), bytes.end());
}

void TBitmap::SaveToFile(const std::string& FileName) {
  if (!Image_->save(ToQString(FileName), "PNG")) {
    throw EFCreateError("Cannot create file \"" + FileName + "\".");
  }
}
