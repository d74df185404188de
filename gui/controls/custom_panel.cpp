#include "gui/controls/custom_panel.h"

BREVANT_DEFINE_CLASS(TCustomPanel, TCustomControl, )

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  InitDefaults(clBtnFace, false);
  SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csOpaque});
  SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  if (Value == Alignment_) return;
  Alignment_ = Value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
  if (Value == BevelInner_) return;
  BevelInner_ = Value;
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
  if (Value == BevelOuter_) return;
  BevelOuter_ = Value;
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int Value) {
  if (Value < 1) Value = 1;
  if (Value == BevelWidth_) return;
  BevelWidth_ = Value;
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int Value) {
  if (Value < 0) Value = 0;
  if (Value == BorderWidth_) return;
  BorderWidth_ = Value;
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
  if (Value == BorderStyle_) return;
  BorderStyle_ = Value;
  Invalidate();
}

TRect TCustomPanel::PaintFrame() {
  TCanvas& c = *Canvas();
  TRect r = ClientRect();
  auto bevel = [&](TBevelCut Cut) {
    if (Cut == bvNone) return;
    const TColor top = Cut == bvLowered ? clBtnShadow : Cut == bvRaised ? clBtnHighlight : Color();
    const TColor bottom = Cut == bvLowered ? clBtnHighlight : Cut == bvRaised ? clBtnShadow : Color();
    Frame3D(c, r, top, bottom, BevelWidth_);
  };
  if (BorderStyle_ == bsSingle) Frame3D(c, r, clWindowFrame, clWindowFrame, 1);
  bevel(BevelOuter_);
  Frame3D(c, r, Color(), Color(), BorderWidth_);
  bevel(BevelInner_);
  return r;
}

void TCustomPanel::Paint() {
  TCanvas& c = *Canvas();
  const TRect r = PaintFrame();
  c.Brush()->SetColor(Color());
  c.Brush()->SetStyle(bsSolid);
  c.FillRect(r);
  if (Caption().empty()) return;
  TTextFormat format{tfSingleLine, tfVerticalCenter};
  format.Include(Alignment_ == taCenter ? tfCenter : Alignment_ == taRightJustify ? tfRight : tfLeft);
  c.DrawText(Caption(), r, format);
}
