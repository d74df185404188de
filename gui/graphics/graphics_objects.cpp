#include "gui/graphics/graphics_objects.h"

#include "core/numbers.h"
#include "core/rtti.h"

BREVANT_DEFINE_CLASS(TGraphicsObject, TPersistent, )

BREVANT_DEFINE_CLASS(TFont, TGraphicsObject,
                     .Property("Charset", &TFont::Charset, &TFont::SetCharset)
                         .Default(DEFAULT_CHARSET)
                         .Property("Color", &TFont::Color, &TFont::SetColor)
                         .Default(clWindowText)
                         .Property("Height", &TFont::Height, &TFont::SetHeight)
                         .AlwaysStored()
                         .Property("Name", &TFont::Name, &TFont::SetName)
                         .AlwaysStored()
                         .Property("Pitch", &TFont::Pitch, &TFont::SetPitch)
                         .Default(fpDefault)
                         .Property("Size", &TFont::Size, &TFont::SetSize)
                         .NotStored()
                         .Property("Style", &TFont::Style, &TFont::SetStyle)
                         .Default(TFontStyles{}))

BREVANT_DEFINE_CLASS(TPen, TGraphicsObject,
                     .Property("Color", &TPen::Color, &TPen::SetColor)
                         .Default(clBlack)
                         .Property("Style", &TPen::Style, &TPen::SetStyle)
                         .Default(psSolid)
                         .Property("Width", &TPen::Width, &TPen::SetWidth)
                         .Default(1))

BREVANT_DEFINE_CLASS(TBrush, TGraphicsObject,
                     .Property("Color", &TBrush::Color, &TBrush::SetColor)
                         .Default(clWhite)
                         .Property("Style", &TBrush::Style, &TBrush::SetStyle)
                         .Default(bsSolid))

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

TFont::TFont() = default;

void TFont::SetName(const std::string& Value) {
  if (Value.empty() || Value == Name_) return;
  Name_ = Value;
  Changed();
}

void TFont::SetHeight(int Value) {
  if (Value == Height_) return;
  Height_ = Value;
  Changed();
}

int TFont::Size() const {
  return static_cast<int>(-Round(static_cast<double>(Height_) * 72 / kPixelsPerInch));
}

void TFont::SetSize(int Value) {
  SetHeight(static_cast<int>(-Round(static_cast<double>(Value) * kPixelsPerInch / 72)));
}

void TFont::SetColor(TColor Value) {
  if (Value == Color_) return;
  Color_ = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == Style_) return;
  Style_ = Value;
  Changed();
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == Charset_) return;
  Charset_ = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == Pitch_) return;
  Pitch_ = Value;
  Changed();
}

bool TFont::SameAs(const TFont& O) const {
  return Name_ == O.Name_ && Height_ == O.Height_ && Color_ == O.Color_ && Style_ == O.Style_ &&
         Charset_ == O.Charset_ && Pitch_ == O.Pitch_;
}

void TFont::Assign(const TPersistent& Source) {
  const auto* f = dynamic_cast<const TFont*>(&Source);
  if (f == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (SameAs(*f)) return;
  Name_ = f->Name_;
  Height_ = f->Height_;
  Color_ = f->Color_;
  Style_ = f->Style_;
  Charset_ = f->Charset_;
  Pitch_ = f->Pitch_;
  Changed();
}

void TPen::SetColor(TColor Value) {
  if (Value == Color_) return;
  Color_ = Value;
  Changed();
}

void TPen::SetWidth(int Value) {
  if (Value < 0) Value = 0;
  if (Value == Width_) return;
  Width_ = Value;
  Changed();
}

void TPen::SetStyle(TPenStyle Value) {
  if (Value == Style_) return;
  Style_ = Value;
  Changed();
}

void TPen::Assign(const TPersistent& Source) {
  const auto* p = dynamic_cast<const TPen*>(&Source);
  if (p == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (p->Color_ == Color_ && p->Width_ == Width_ && p->Style_ == Style_) return;
  Color_ = p->Color_;
  Width_ = p->Width_;
  Style_ = p->Style_;
  Changed();
}

void TBrush::SetColor(TColor Value) {
  if (Value == Color_) return;
  Color_ = Value;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == Style_) return;
  Style_ = Value;
  Changed();
}

void TBrush::Assign(const TPersistent& Source) {
  const auto* b = dynamic_cast<const TBrush*>(&Source);
  if (b == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (b->Color_ == Color_ && b->Style_ == Style_) return;
  Color_ = b->Color_;
  Style_ = b->Style_;
  Changed();
}
