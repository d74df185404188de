#include "richtext/controls/text_attributes.h"

#include <algorithm>
#include <cmath>

#include "core/rtti.h"
#include "gui/graphics/colors.h"
#include "richtext/controls/custom_rich_edit.h"
#include "richtext/edit/rich_edit_box.h"

BREVANT_DEFINE_CLASS(TTextAttributes, TPersistent, )
BREVANT_DEFINE_CLASS(TParaAttributes, TPersistent, )

namespace {

TRichCharFormat Only(TRichCharFields Fields) {
  TRichCharFormat f;
  f.Fields = Fields;
  return f;
}

}  // namespace

// --- TTextAttributes ---------------------------------------------------------------------------

TTextAttributes::TTextAttributes(TCustomRichEdit* Owner, TAttributeKind Kind) : Owner_(Owner), Kind_(Kind) {}

TRichCharFormat TTextAttributes::Read() const {
  return Owner_->EditBox()->CharFormat(Kind_ == atSelected);
}

void TTextAttributes::Write(const TRichCharFormat& Format) {
  Owner_->EditBox()->SetCharFormat(Kind_ == atSelected, Format);
}

std::string TTextAttributes::Name() const {
  return Read().Face;
}

void TTextAttributes::SetName(const std::string& Value) {
  TRichCharFormat f = Only({cfFace});
  f.Face = Value;
  Write(f);
}

int TTextAttributes::Size() const {
  return Read().HeightTwips / 20;
}

void TTextAttributes::SetSize(int Value) {
  TRichCharFormat f = Only({cfSize});
  f.HeightTwips = std::max(1, Value) * 20;
  Write(f);
}

int TTextAttributes::Height() const {
  return -static_cast<int>(std::lround(Read().HeightTwips / 20.0 * kPixelsPerInch / 72.0));
}

void TTextAttributes::SetHeight(int Value) {
  TRichCharFormat f = Only({cfSize});
  f.HeightTwips = std::max(1, static_cast<int>(std::lround(std::abs(Value) * 72.0 / kPixelsPerInch))) * 20;
  Write(f);
}

TFontStyles TTextAttributes::Style() const {
  return Read().Style;
}

void TTextAttributes::SetStyle(TFontStyles Value) {
  TRichCharFormat f = Only({cfBold, cfItalic, cfUnderline, cfStrikeOut});
  f.Style = Value;
  Write(f);
}

TColor TTextAttributes::Color() const {
  const TRichCharFormat f = Read();
  return f.AutoColor ? clWindowText : f.Color;
}

void TTextAttributes::SetColor(TColor Value) {
  TRichCharFormat f = Only({cfColor});
  f.AutoColor = Value == clWindowText;
  f.Color = f.AutoColor ? clBlack : ColorToRGB(Value);
  Write(f);
}

TFontCharset TTextAttributes::Charset() const {
  return Read().Charset;
}

void TTextAttributes::SetCharset(TFontCharset Value) {
  TRichCharFormat f = Only({cfCharset});
  f.Charset = Value;
  Write(f);
}

TFontPitch TTextAttributes::Pitch() const {
  return Read().Pitch;
}

void TTextAttributes::SetPitch(TFontPitch Value) {
  TRichCharFormat f = Only({cfPitch});
  f.Pitch = Value;
  Write(f);
}

bool TTextAttributes::Protected() const {
  return Read().Protected;
}

void TTextAttributes::SetProtected(bool Value) {
  TRichCharFormat f = Only({cfProtected});
  f.Protected = Value;
  Write(f);
}

void TTextAttributes::Assign(const TPersistent& Source) {
  TRichCharFormat f =
      Only({cfFace, cfSize, cfBold, cfItalic, cfUnderline, cfStrikeOut, cfColor, cfCharset, cfPitch});
  if (const auto* font = dynamic_cast<const TFont*>(&Source)) {
    f.Face = font->Name();
    f.HeightTwips = std::max(1, font->Size()) * 20;
    f.Style = font->Style();
    f.AutoColor = font->Color() == clWindowText;
    f.Color = f.AutoColor ? clBlack : ColorToRGB(font->Color());
    f.Charset = font->Charset();
    f.Pitch = font->Pitch();
    Write(f);
    return;
  }
  if (const auto* other = dynamic_cast<const TTextAttributes*>(&Source)) {
    TRichCharFormat read = other->Read();
    read.Fields = f.Fields;
    Write(read);
    return;
  }
  TPersistent::Assign(Source);
}

void TTextAttributes::AssignTo(TPersistent& Dest) const {
  if (auto* font = dynamic_cast<TFont*>(&Dest)) {
    const TRichCharFormat f = Read();
    font->SetName(f.Face);
    font->SetSize(std::max(1, f.HeightTwips / 20));
    font->SetStyle(f.Style);
    font->SetColor(f.AutoColor ? clWindowText : f.Color);
    font->SetCharset(f.Charset);
    font->SetPitch(f.Pitch);
    return;
  }
  TPersistent::AssignTo(Dest);
}

// --- TParaAttributes ---------------------------------------------------------------------------

namespace {

TRichParaFormat OnlyPara(TRichParaFields Fields) {
  TRichParaFormat f;
  f.Fields = Fields;
  return f;
}

}  // namespace

TParaAttributes::TParaAttributes(TCustomRichEdit* Owner) : Owner_(Owner) {}

TAlignment TParaAttributes::Alignment() const {
  switch (Owner_->EditBox()->ParaFormat().Alignment) {
    case raRight:
      return taRightJustify;
    case raCenter:
      return taCenter;
    default:
      return taLeftJustify;
  }
}

void TParaAttributes::SetAlignment(TAlignment Value) {
  TRichParaFormat f = OnlyPara({pfAlignment});
  f.Alignment = Value == taRightJustify ? raRight : Value == taCenter ? raCenter : raLeft;
  Owner_->EditBox()->SetParaFormat(f);
}

int TParaAttributes::FirstIndent() const {
  return Owner_->EditBox()->ParaFormat().StartIndent / 20;
}

void TParaAttributes::SetFirstIndent(int Value) {
  TRichParaFormat f = OnlyPara({pfStartIndent});
  f.StartIndent = Value * 20;
  Owner_->EditBox()->SetParaFormat(f);
}

int TParaAttributes::LeftIndent() const {
  return Owner_->EditBox()->ParaFormat().Offset / 20;
}

void TParaAttributes::SetLeftIndent(int Value) {
  TRichParaFormat f = OnlyPara({pfOffset});
  f.Offset = Value * 20;
  Owner_->EditBox()->SetParaFormat(f);
}

int TParaAttributes::RightIndent() const {
  return Owner_->EditBox()->ParaFormat().RightIndent / 20;
}

void TParaAttributes::SetRightIndent(int Value) {
  TRichParaFormat f = OnlyPara({pfRightIndent});
  f.RightIndent = Value * 20;
  Owner_->EditBox()->SetParaFormat(f);
}

TNumberingStyle TParaAttributes::Numbering() const {
  return Owner_->EditBox()->ParaFormat().Numbering == rnBullet ? nsBullet : nsNone;
}

void TParaAttributes::SetNumbering(TNumberingStyle Value) {
  if (Value == nsNone) {
    SetLeftIndent(0);
  } else if (LeftIndent() < 10) {
    SetLeftIndent(10);
  }
  TRichParaFormat f = OnlyPara({pfNumbering});
  f.Numbering = Value == nsBullet ? rnBullet : rnNone;
  Owner_->EditBox()->SetParaFormat(f);
}

int TParaAttributes::Tab(int Index) const {
  const std::vector<int> tabs = Owner_->EditBox()->ParaFormat().Tabs;
  return Index >= 0 && Index < static_cast<int>(tabs.size()) ? tabs[static_cast<size_t>(Index)] / 20 : 0;
}

void TParaAttributes::SetTab(int Index, int Value) {
  if (Index < 0 || Index >= kMaxRichTabStops) return;
  TRichParaFormat f = OnlyPara({pfTabStops});
  f.Tabs = Owner_->EditBox()->ParaFormat().Tabs;
  if (Index >= static_cast<int>(f.Tabs.size())) f.Tabs.resize(static_cast<size_t>(Index) + 1, 0);
  f.Tabs[static_cast<size_t>(Index)] = Value * 20;
  Owner_->EditBox()->SetParaFormat(f);
}

int TParaAttributes::TabCount() const {
  return static_cast<int>(Owner_->EditBox()->ParaFormat().Tabs.size());
}

void TParaAttributes::SetTabCount(int Value) {
  Value = std::clamp(Value, 0, kMaxRichTabStops);
  TRichParaFormat f = OnlyPara({pfTabStops});
  f.Tabs = Owner_->EditBox()->ParaFormat().Tabs;
  f.Tabs.resize(static_cast<size_t>(Value), 0);
  Owner_->EditBox()->SetParaFormat(f);
}

void TParaAttributes::Assign(const TPersistent& Source) {
  if (const auto* other = dynamic_cast<const TParaAttributes*>(&Source)) {
    TRichParaFormat f = other->Owner_->EditBox()->ParaFormat();
    f.Fields = {pfAlignment, pfNumbering, pfOffset, pfRightIndent, pfStartIndent, pfTabStops};
    Owner_->EditBox()->SetParaFormat(f);
    return;
  }
  TPersistent::Assign(Source);
}

std::string CharFormatFaceName(const std::string& Name) {
  constexpr size_t kMaxFaceCharacters = 32;
  size_t characters = 0;
  for (size_t i = 0; i < Name.size(); ++i) {
    const bool starts = (static_cast<unsigned char>(Name[i]) & 0xC0) != 0x80;
    if (starts && characters++ == kMaxFaceCharacters) return Name.substr(0, i);
  }
  return Name;
}
