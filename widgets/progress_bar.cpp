#include "widgets/progress_bar.h"

#include <algorithm>

#include "core/numbers.h"
#include "gui/controls/win_control.h"
#include "widgets/bar_drawing.h"
#include "widgets/frame_drawing.h"

BREVANT_DEFINE_CLASS(TRzCustomProgressBar, TGraphicControl, )

// Properties are written to layouts in this order, and read back in it: BarStyle comes
// before the interior offset and ShowPercent it also sets, and TotalParts before
// PartsComplete, which is kept at most TotalParts.
BREVANT_DEFINE_CLASS(
    TRzProgressBar, TRzCustomProgressBar,
    .Property("Width", &TControl::Width, &TControl::SetWidth)
        .Default(200)
        .Property("Height", &TControl::Height, &TControl::SetHeight)
        .Default(24)
        .Property("Font", &TControl::Font)
        .StoredIf([](const TRzProgressBar& c) { return !c.ParentFont(); })
        .Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
        .Default(true)
        .Property("BackColor", &TRzProgressBar::BackColor, &TRzProgressBar::SetBackColor)
        .Default(clWhite)
        .Property("BarColor", &TRzProgressBar::BarColor, &TRzProgressBar::SetBarColor)
        .Default(clHighlight)
        .Property("BarStyle", &TRzProgressBar::BarStyle, &TRzProgressBar::SetBarStyle)
        .Default(bsTraditional)
        .Property("BevelWidth", &TRzProgressBar::BevelWidth, &TRzProgressBar::SetBevelWidth)
        .Default(1)
        .Range(1, kMaxUnsignedLongint)
        .Property("BorderColor", &TRzProgressBar::BorderColor, &TRzProgressBar::SetBorderColor)
        .Default(clBtnFace)
        .Property("BorderInner", &TRzProgressBar::BorderInner, &TRzProgressBar::SetBorderInner)
        .Default(fsNone)
        .Property("BorderOuter", &TRzProgressBar::BorderOuter, &TRzProgressBar::SetBorderOuter)
        .Default(fsLowered)
        .Property("BorderWidth", &TRzProgressBar::BorderWidth, &TRzProgressBar::SetBorderWidth)
        .AlwaysStored()
        .Range(0, kMaxUnsignedLongint)
        .Property("InteriorOffset", &TRzProgressBar::InteriorOffset, &TRzProgressBar::SetInteriorOffset)
        .AlwaysStored()
        .Property("NumSegments", &TRzProgressBar::NumSegments, &TRzProgressBar::SetNumSegments)
        .Default(TSegmentRange{20})
        .Property("Orientation", &TRzProgressBar::Orientation, &TRzProgressBar::SetOrientation)
        .Default(orHorizontal)
        .Property("ShowPercent", &TRzProgressBar::ShowPercent, &TRzProgressBar::SetShowPercent)
        .Default(true)
        .Property("TotalParts", &TRzProgressBar::TotalParts, &TRzProgressBar::SetTotalParts)
        .AlwaysStored()
        .Range(0, kMaxUnsignedLongint)
        .Property("PartsComplete", &TRzProgressBar::PartsComplete, &TRzProgressBar::SetPartsComplete)
        .AlwaysStored()
        .Range(0, kMaxUnsignedLongint)
        .Property("Percent", &TRzProgressBar::Percent, &TRzProgressBar::SetPercent)
        .AlwaysStored()
        .Event("OnChange", &TRzProgressBar::OnChange))

TRzCustomProgressBar::TRzCustomProgressBar(TComponent* AOwner) : TGraphicControl(AOwner) {
  // Paint covers every pixel of the bounds: nothing behind the bar is painted first.
  SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
  SetBounds(Left(), Top(), 200, 24);
}

void TRzCustomProgressBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  SetOrientation(Height() > Width() ? orVertical : orHorizontal);
}

int TRzCustomProgressBar::HitTest(int X, int Y) {
  int result = TGraphicControl::HitTest(X, Y);
  TRect grip = ClientRect();
  grip.Left = grip.Right - 12;
  if (grip.Contains({X, Y}) && Parent() != nullptr) result = Parent()->HitTest(X, Y);
  return result;
}

void TRzCustomProgressBar::SetBackColor(TColor Value) {
  if (Value == BackColor_) return;
  BackColor_ = Value;
  Changed();
}

void TRzCustomProgressBar::SetBarColor(TColor Value) {
  if (Value == BarColor_) return;
  BarColor_ = Value;
  // The writer repaints below; the font's own change notice need not schedule another.
  SettingBarColor_ = true;
  try {
    Font()->SetColor(Value);
  } catch (...) {
    SettingBarColor_ = false;
    throw;
  }
  SettingBarColor_ = false;
  Changed();
}

void TRzCustomProgressBar::FontChanged() {
  if (!SettingBarColor_) TGraphicControl::FontChanged();
}

void TRzCustomProgressBar::SetBarStyle(TBarStyle Value) {
  if (Value == BarStyle_) return;
  BarStyle_ = Value;
  ShowPercent_ = Value == bsTraditional;
  InteriorOffset_ = Value == bsTraditional ? 0 : 1;
  Changed();
}

void TRzCustomProgressBar::SetBevelWidth(TBevelWidth Value) {
  if (Value == BevelWidth_) return;
  BevelWidth_ = Value;
  Changed();
}

void TRzCustomProgressBar::SetBorderColor(TColor Value) {
  if (Value == BorderColor_) return;
  BorderColor_ = Value;
  Changed();
}

void TRzCustomProgressBar::SetBorderInner(TFrameStyle Value) {
  if (Value == BorderInner_) return;
  BorderInner_ = Value;
  Changed();
}

void TRzCustomProgressBar::SetBorderOuter(TFrameStyle Value) {
  if (Value == BorderOuter_) return;
  BorderOuter_ = Value;
  Changed();
}

void TRzCustomProgressBar::SetBorderWidth(TBorderWidth Value) {
  if (Value == BorderWidth_) return;
  BorderWidth_ = Value;
  Changed();
}

void TRzCustomProgressBar::SetInteriorOffset(uint8_t Value) {
  if (Value == InteriorOffset_) return;
  InteriorOffset_ = Value;
  Changed();
}

void TRzCustomProgressBar::SetNumSegments(TSegmentRange Value) {
  if (Value == NumSegments_) return;
  NumSegments_ = Value;
  Changed();
}

void TRzCustomProgressBar::SetOrientation(TOrientation Value) {
  if (Value == Orientation_) return;
  Orientation_ = Value;
  Changed();
}

void TRzCustomProgressBar::SetPartsComplete(TUnsignedLongint Value) {
  if (Value == PartsComplete_) return;
  PartsComplete_ = std::min(Value, TotalParts_);
  if (!IsLoading() && TotalParts_ != 0) {
    const double fraction = static_cast<double>(PartsComplete_) / TotalParts_;
    SetPercent(static_cast<uint16_t>(Round(fraction * 100)));
  }
  Changed();
}

void TRzCustomProgressBar::SetPercent(uint16_t Value) {
  if (Value == Percent_) return;
  const uint16_t old = Percent_;
  Percent_ = Value;
  PercentChanged();
  RepaintPart(PercentChangeRect(old, Value));
}

void TRzCustomProgressBar::RepaintPart(const TRect& Part) {
  if (Part == ClientRect()) {
    Changed();
    return;
  }
  if (Part.IsEmpty() || !Visible() || Parent() == nullptr || !Parent()->HandleAllocated()) return;
  // Opaque: the part is drawn at once, over what the bar showed there, and nothing else.
  Parent()->RepaintRect(Part.Offset(Left(), Top()));
}

TRect TRzCustomProgressBar::Interior() const {
  const int64_t frames = int64_t{FrameStyleWidth(BorderOuter_)} + std::max(BorderWidth_, 0) +
                         FrameStyleWidth(BorderInner_) + InteriorOffset_;
  if (2 * frames >= std::min(Width(), Height())) return TRect{};
  const int inset = static_cast<int>(frames);
  return Rect(0, 0, Width(), Height()).Inflate(-inset, -inset);
}

TRect TRzCustomProgressBar::PercentChangeRect(uint16_t Old, uint16_t New) {
  const TRect r = Interior();
  if (r.IsEmpty()) return ClientRect();
  const bool horizontal = Orientation_ == orHorizontal;
  if (BarStyle_ == bsLED) {
    // The blocks between the two lit counts.
    const TLedLayout led = LayoutLedBar(horizontal ? r.Width() : r.Height(), NumSegments_);
    if (led.Count == 0) return TRect{};
    const int from = std::min(LitSegments(Old, led.Count), LitSegments(New, led.Count));
    const int to = std::max(LitSegments(Old, led.Count), LitSegments(New, led.Count));
    if (from == to) return TRect{};
    if (horizontal)
      return Rect(r.Left + led.Margin + from * led.Size, r.Top, r.Left + led.Margin + to * led.Size,
                  r.Bottom);
    return Rect(r.Left, r.Top + led.Margin + (led.Count - to) * led.Size, r.Right,
                r.Top + led.Margin + (led.Count - from) * led.Size);
  }
  // Between the two ends of the fill...
  const TRect a = SolidBarFill(r, Orientation_, Old), b = SolidBarFill(r, Orientation_, New);
  TRect part = horizontal ? Rect(std::min(a.Right, b.Right), r.Top, std::max(a.Right, b.Right), r.Bottom)
                          : Rect(r.Left, std::min(a.Top, b.Top), r.Right, std::max(a.Top, b.Top));
  if (ShowPercent_) {
    // ...and across both texts, centred on the same point, with room for glyphs that reach
    // past their advance.
    TCanvas& canvas = *Canvas();
    canvas.SetFont(Font());
    const int width =
        std::max(canvas.TextWidth(PercentText(Old, true)), canvas.TextWidth(PercentText(New, true)));
    const int height = canvas.TextHeight("X");
    const int left = r.Right / 2 - width / 2 - kTextOverhang;
    const int top = r.Top + (r.Height() - height) / 2 - kTextOverhang;
    const TRect text = Rect(left, top, left + width + 2 * kTextOverhang, top + height + 2 * kTextOverhang);
    part = part.IsEmpty() ? text
                          : Rect(std::min(part.Left, text.Left), std::min(part.Top, text.Top),
                                 std::max(part.Right, text.Right), std::max(part.Bottom, text.Bottom));
  }
  return part.Intersect(r);
}

void TRzCustomProgressBar::SetShowPercent(bool Value) {
  if (Value == ShowPercent_) return;
  ShowPercent_ = Value;
  Changed();
}

void TRzCustomProgressBar::SetTotalParts(TUnsignedLongint Value) {
  if (Value == TotalParts_) return;
  TotalParts_ = Value;
  // A layout stores parts and percent as they were: loading must not reset them.
  if (!IsLoading()) {
    PartsComplete_ = 0;
    SetPercent(0);
  }
  Changed();
}

void TRzCustomProgressBar::PercentChanged() {
  if (OnChange) OnChange(this, static_cast<int32_t>(Percent_));
}

void TRzCustomProgressBar::Paint() {
  TCanvas& canvas = *Canvas();
  canvas.SetFont(Font());
  const TRect client = Rect(0, 0, Width(), Height());
  const TRect clip = canvas.ClipRect();
  const TRect interior = Interior();
  if (!interior.IsEmpty() && clip.Intersect(client) == clip.Intersect(interior)) {
    // Only the interior is asked for (a Percent change): the frames around it stay as drawn.
    DrawBar(canvas, interior);
    return;
  }

  // Frames wider than the control leave no interior and may not reach every pixel (a
  // groove on a one-pixel strip); the bar is opaque, so cover it in BackColor first.
  const int64_t frames = int64_t{FrameStyleWidth(BorderOuter_)} + std::max(BorderWidth_, 0) +
                         FrameStyleWidth(BorderInner_) + InteriorOffset_;
  if (2 * frames >= std::min(Width(), Height())) {
    canvas.Brush()->SetColor(BackColor_);
    canvas.FillRect(client);
  }

  TRect r = DrawFrameStyle(canvas, client, BorderOuter_, sdAllSides);
  if (BorderWidth_ > 0) r = DrawEdgeBand(canvas, r, BorderColor_, BorderColor_, BorderWidth_, sdAllSides);
  r = DrawFrameStyle(canvas, r, BorderInner_, sdAllSides);
  if (InteriorOffset_ > 0 && !r.IsEmpty()) {
    // A ring of BackColor, its whole width inside r.
    canvas.Brush()->SetStyle(bsClear);
    canvas.Pen()->SetColor(BackColor_);
    canvas.Pen()->SetWidth(InteriorOffset_);
    canvas.Pen()->SetStyle(psInsideFrame);
    canvas.Rectangle(r);
    canvas.Pen()->SetWidth(1);
    canvas.Pen()->SetStyle(psSolid);
    canvas.Brush()->SetStyle(bsSolid);
  }
  r = r.Inflate(-InteriorOffset_, -InteriorOffset_);
  DrawBar(canvas, r);
}

void TRzCustomProgressBar::DrawBar(TCanvas& Canvas, const TRect& R) {
  if (BarStyle_ == bsLED) {
    DrawLedBar(Canvas, R, Orientation_, BarColor_, BackColor_, NumSegments_, Percent_);
  } else {
    DrawSolidBar(Canvas, R, Orientation_, BarColor_, BackColor_, Percent_, ShowPercent_);
  }
}
