#pragma once
// The segmented progress bar: a control without a window of its own that shows a
// percentage inside a configurable frame, as one solid fill with the percentage written
// across it in two colours (bsTraditional) or as a row of blocks (bsLED).
//
// Every writer does nothing when it gets the value already held; otherwise it stores the
// value and repaints the bar at once. The bar is opaque, so that repaint draws its own
// rectangle synchronously and nothing behind it is erased first.
//
// TRzCustomProgressBar holds the state and the behaviour; TRzProgressBar publishes it.

#include <cstdint>

#include "gui/controls/graphic_control.h"
#include "widgets/progress_types.h"

class TRzCustomProgressBar : public TGraphicControl {
 public:
  BREVANT_CLASS(TRzCustomProgressBar)
  explicit TRzCustomProgressBar(TComponent* AOwner);

  // Writes Orientation after the new bounds: vertical when taller than wide.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // The right-most 12 pixels belong to the parent (a size grip under the bar's end, for
  // instance): there the parent's answer for the same point counts.
  int HitTest(int X, int Y) override;

 protected:
  TColor BackColor() const { return BackColor_; }
  TColor BarColor() const { return BarColor_; }
  TBarStyle BarStyle() const { return BarStyle_; }
  TBevelWidth BevelWidth() const { return BevelWidth_; }
  TColor BorderColor() const { return BorderColor_; }
  TFrameStyle BorderInner() const { return BorderInner_; }
  TFrameStyle BorderOuter() const { return BorderOuter_; }
  TBorderWidth BorderWidth() const { return BorderWidth_; }
  uint8_t InteriorOffset() const { return InteriorOffset_; }
  TSegmentRange NumSegments() const { return NumSegments_; }
  TOrientation Orientation() const { return Orientation_; }
  TUnsignedLongint PartsComplete() const { return PartsComplete_; }
  uint16_t Percent() const { return Percent_; }
  bool ShowPercent() const { return ShowPercent_; }
  TUnsignedLongint TotalParts() const { return TotalParts_; }

  // The writers, overridable, in this order.
  virtual void SetBackColor(TColor Value);
  // Also gives the control's font the same colour.
  virtual void SetBarColor(TColor Value);
  // Also shows the percentage (solid look) or hides it (blocks), and sets the interior
  // offset to 0 or 1, without repainting for those two on their own.
  virtual void SetBarStyle(TBarStyle Value);
  // Kept for the family's sake; no drawing step reads it.
  virtual void SetBevelWidth(TBevelWidth Value);
  virtual void SetBorderColor(TColor Value);
  virtual void SetBorderInner(TFrameStyle Value);
  virtual void SetBorderOuter(TFrameStyle Value);
  virtual void SetBorderWidth(TBorderWidth Value);
  virtual void SetInteriorOffset(uint8_t Value);
  // Any byte is kept; the block look copes with every one.
  virtual void SetNumSegments(TSegmentRange Value);
  virtual void SetOrientation(TOrientation Value);
  // Kept at most TotalParts; then, unless loading or TotalParts is 0, Percent becomes
  // Round(parts / total x 100).
  virtual void SetPartsComplete(TUnsignedLongint Value);
  // Any value is kept, beyond 100 as well; PercentChanged runs before the repaint.
  virtual void SetPercent(uint16_t Value);
  virtual void SetShowPercent(bool Value);
  // Unless loading, the parts complete go back to 0 and Percent is written with 0.
  virtual void SetTotalParts(TUnsignedLongint Value);

  // Called by the Percent writer once the new value is stored; calls OnChange.
  virtual void PercentChanged();

  void Paint() override;
  void FontChanged() override;

  TProgressChangeEvent OnChange;

 private:
  // Draws the change now (the bar is opaque: only its own rectangle, nothing erased).
  void Changed() { Repaint(); }
  // Draws the part Part (client coordinates) now; the whole bar when Part is all of it.
  void RepaintPart(const TRect& Part);
  // The rectangle inside the frames, borders and interior offset; empty when they leave none.
  TRect Interior() const;
  // What a change of Percent from Old to New alters: the span between the two ends of the fill
  // (or the blocks between the two lit counts) and the room of both texts; empty when nothing
  // changes, the whole bar when there is no interior.
  TRect PercentChangeRect(uint16_t Old, uint16_t New);
  void DrawBar(TCanvas& Canvas, const TRect& R);

  // Pixels a glyph may reach past its advance, on either side of the percentage.
  static constexpr int kTextOverhang = 2;

  TColor BackColor_ = clWhite;
  TColor BarColor_ = clHighlight;
  TBarStyle BarStyle_ = bsTraditional;
  TBevelWidth BevelWidth_ = 1;
  TColor BorderColor_ = clBtnFace;
  TFrameStyle BorderInner_ = fsNone;
  TFrameStyle BorderOuter_ = fsLowered;
  TBorderWidth BorderWidth_ = 0;
  uint8_t InteriorOffset_ = 0;
  TSegmentRange NumSegments_ = 20;
  TOrientation Orientation_ = orHorizontal;
  TUnsignedLongint PartsComplete_ = 0;
  uint16_t Percent_ = 0;
  bool ShowPercent_ = true;
  TUnsignedLongint TotalParts_ = 0;
  bool SettingBarColor_ = false;
};

class TRzProgressBar : public TRzCustomProgressBar {
 public:
  BREVANT_CLASS(TRzProgressBar)
  explicit TRzProgressBar(TComponent* AOwner) : TRzCustomProgressBar(AOwner) {}

  using TRzCustomProgressBar::BackColor;
  using TRzCustomProgressBar::BarColor;
  using TRzCustomProgressBar::BarStyle;
  using TRzCustomProgressBar::BevelWidth;
  using TRzCustomProgressBar::BorderColor;
  using TRzCustomProgressBar::BorderInner;
  using TRzCustomProgressBar::BorderOuter;
  using TRzCustomProgressBar::BorderWidth;
  using TRzCustomProgressBar::InteriorOffset;
  using TRzCustomProgressBar::NumSegments;
  using TRzCustomProgressBar::Orientation;
  using TRzCustomProgressBar::PartsComplete;
  using TRzCustomProgressBar::Percent;
  using TRzCustomProgressBar::ShowPercent;
  using TRzCustomProgressBar::TotalParts;

  using TRzCustomProgressBar::SetBackColor;
  using TRzCustomProgressBar::SetBarColor;
  using TRzCustomProgressBar::SetBarStyle;
  using TRzCustomProgressBar::SetBevelWidth;
  using TRzCustomProgressBar::SetBorderColor;
  using TRzCustomProgressBar::SetBorderInner;
  using TRzCustomProgressBar::SetBorderOuter;
  using TRzCustomProgressBar::SetBorderWidth;
  using TRzCustomProgressBar::SetInteriorOffset;
  using TRzCustomProgressBar::SetNumSegments;
  using TRzCustomProgressBar::SetOrientation;
  using TRzCustomProgressBar::SetPartsComplete;
  using TRzCustomProgressBar::SetPercent;
  using TRzCustomProgressBar::SetShowPercent;
  using TRzCustomProgressBar::SetTotalParts;

  using TRzCustomProgressBar::OnChange;
};
