#include "gui/stdctrls/speed_button.h"

#include "gui/controls/win_control.h"

BREVANT_DEFINE_CLASS(TSpeedButton, TGraphicControl,
                     .Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp)
                         .Default(false)
                         .With(PublishCaption<TSpeedButton>)
                         .Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown)
                         .Default(false)
                         .Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat)
                         .Default(false)
                         .With(PublishFontAndColor<TSpeedButton>)
                         .Property("Glyph", &TSpeedButton::Glyph)
                         .Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex)
                         .Default(0)
                         .Property("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs)
                         .Default(1)
                         .Range(1, 4)
                         .Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing)
                         .Default(4))

TSpeedButton::TSpeedButton(TComponent* AOwner)
    : TGraphicControl(AOwner), Glyph_(std::make_unique<TPicture>()) {
  InitDefaults(clBtnFace, true);
  SetBounds(0, 0, 23, 22);
  Glyph_->OnChange = [this](TObject*) {
    if (!Glyph_->Empty() && Glyph_->Height() > 0 && Glyph_->Width() % Glyph_->Height() == 0) {
      const int count = Glyph_->Width() / Glyph_->Height();
      NumGlyphs_ = count >= 1 && count <= 4 ? count : 1;
    }
    Invalidate();
  };
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  if (Value == AllowAllUp_) return;
  AllowAllUp_ = Value;
  UpdateExclusive();
}

void TSpeedButton::SetDown(bool Value) {
  if (GroupIndex_ == 0) Value = false;
  if (Value == Down_) return;
  if (Down_ && !AllowAllUp_) return;  // the last button down of a group stays down
  Down_ = Value;
  Repaint();
  if (Value) UpdateExclusive();
}

void TSpeedButton::SetFlat(bool Value) {
  if (Value == Flat_) return;
  Flat_ = Value;
  Invalidate();
}

void TSpeedButton::SetGroupIndex(int Value) {
  if (Value == GroupIndex_) return;
  GroupIndex_ = Value;
  UpdateExclusive();
}

void TSpeedButton::SetNumGlyphs(int Value) {
  Value = std::clamp(Value, 1, 4);
  if (Value == NumGlyphs_) return;
  NumGlyphs_ = Value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int Value) {
  if (Value == Spacing_) return;
  Spacing_ = Value;
  Invalidate();
}

void TSpeedButton::UpdateExclusive() {
  if (GroupIndex_ == 0 || Parent() == nullptr) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
    if (other == nullptr || other == this || other->GroupIndex_ != GroupIndex_) continue;
    if (Down_ && other->Down_) {
      other->Down_ = false;
      other->Invalidate();
    }
    other->AllowAllUp_ = AllowAllUp_;
  }
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  Pressed_ = true;
  PressedInside_ = true;
  Repaint();
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!Pressed_) return;
  const bool inside = ClientRect().Contains({X, Y});
  if (inside != PressedInside_) {
    PressedInside_ = inside;
    Repaint();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || !Pressed_) return;
  Pressed_ = false;
  PressedInside_ = false;
  if (GroupIndex_ != 0 && ClientRect().Contains({X, Y})) {
    if (Down_ && AllowAllUp_) {
      SetDown(false);
    } else {
      SetDown(true);
    }
  }
  Repaint();
}

void TSpeedButton::MouseEnter() {
  MouseInControl_ = true;
  if (Flat_ && Enabled()) Invalidate();
}

void TSpeedButton::MouseLeave() {
  MouseInControl_ = false;
  if (Flat_ && Enabled()) Invalidate();
}

int TSpeedButton::GlyphIndex() const {
  if (!Enabled()) return NumGlyphs_ >= 2 ? 1 : 0;
  if (Pressed_ && PressedInside_ && NumGlyphs_ >= 3) return 2;
  if (Down_ && NumGlyphs_ >= 4) return 3;
  return 0;
}

void TSpeedButton::Paint() {
  TCanvas& c = *Canvas();
  TRect r = ClientRect();
  const bool sunken = (Pressed_ && PressedInside_) || Down_;
  c.Brush()->SetColor(Down_ && !Pressed_ ? cl3DLight : Color());
  c.FillRect(r);
  if (sunken) {
    Frame3D(c, r, cl3DDkShadow, clBtnHighlight, 1);
    Frame3D(c, r, clBtnShadow, cl3DLight, 1);
  } else if (!Flat_ || (MouseInControl_ && Enabled())) {
    if (Flat_) {
      Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
    } else {
      Frame3D(c, r, clBtnHighlight, cl3DDkShadow, 1);
      Frame3D(c, r, cl3DLight, clBtnShadow, 1);
    }
  }
  const int shift = sunken ? 1 : 0;
  const int glyphW = Glyph_->Empty() ? 0 : Glyph_->Width() / NumGlyphs_;
  const int glyphH = Glyph_->Empty() ? 0 : Glyph_->Height();
  const std::string& text = Caption();
  c.Brush()->SetStyle(bsClear);
  const TRect textSize = text.empty() ? TRect{} : c.DrawText(text, ClientRect(), {tfCalcRect, tfSingleLine});
  const int gap = glyphW > 0 && !text.empty() ? Spacing_ : 0;
  const int total = glyphW + gap + textSize.Width();
  int x = (Width() - total) / 2 + shift;
  if (glyphW > 0) {
    const int index = GlyphIndex();
    const int y = (Height() - glyphH) / 2 + shift;
    const bool grayed = !Enabled() && NumGlyphs_ < 2;
    c.DrawPart(Bounds(x, y, glyphW, glyphH), *Glyph_, Bounds(index * glyphW, 0, glyphW, glyphH), grayed);
    x += glyphW + gap;
  }
  if (!text.empty()) {
    const int y = (Height() - textSize.Height()) / 2 + shift;
    if (!Enabled()) c.Font()->SetColor(clGrayText);
    c.DrawText(text, Bounds(x, y, textSize.Width(), textSize.Height()), {tfSingleLine});
  }
}
