#pragma once
// The drawing tools of a canvas and a control: font, pen and brush. Each reports its
// changes through OnChange so that whoever uses it can repaint or re-measure.

#include <cstdint>
#include <string>

#include "core/color.h"
#include "core/object.h"
#include "core/types.h"

class TGraphicsObject : public TPersistent {
 public:
  BREVANT_CLASS(TGraphicsObject)
  TNotifyEvent OnChange;

 protected:
  void Changed();
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
BREVANT_ENUM_NAMES(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut");
using TFontStyles = TSet<TFontStyle>;

enum TFontPitch { fpDefault, fpVariable, fpFixed };
BREVANT_ENUM_NAMES(TFontPitch, "fpDefault", "fpVariable", "fpFixed");

using TFontCharset = uint8_t;
inline constexpr TFontCharset ANSI_CHARSET = 0;
inline constexpr TFontCharset DEFAULT_CHARSET = 1;
inline constexpr TFontCharset SYMBOL_CHARSET = 2;
inline constexpr TFontCharset OEM_CHARSET = 255;

// The logical resolution the framework measures fonts with: Size (points) and Height
// (pixels, negative for the character height without internal leading) convert through it.
inline constexpr int kPixelsPerInch = 96;

// A font as layouts and controls describe it. Name is the requested family; the family
// actually used is ResolveFontFamily(Name, Pitch) (see gui/README.md for the mapping).
class TFont : public TGraphicsObject {
 public:
  BREVANT_CLASS(TFont)
  TFont();

  const std::string& Name() const { return Name_; }
  void SetName(const std::string& Value);
  // Negative: character height in pixels; positive: cell height (with internal leading).
  int Height() const { return Height_; }
  void SetHeight(int Value);
  // In points, derived from Height.
  int Size() const;
  void SetSize(int Value);
  TColor Color() const { return Color_; }
  void SetColor(TColor Value);
  TFontStyles Style() const { return Style_; }
  void SetStyle(TFontStyles Value);
  TFontCharset Charset() const { return Charset_; }
  void SetCharset(TFontCharset Value);
  TFontPitch Pitch() const { return Pitch_; }
  void SetPitch(TFontPitch Value);

  void Assign(const TPersistent& Source) override;
  bool SameAs(const TFont& Other) const;

 private:
  std::string Name_ = "MS Sans Serif";
  int Height_ = -11;
  TColor Color_ = clWindowText;
  TFontStyles Style_;
  TFontCharset Charset_ = DEFAULT_CHARSET;
  TFontPitch Pitch_ = fpDefault;
};

// The installed family that stands in for a requested one, always the same on one machine.
std::string ResolveFontFamily(const std::string& Name, TFontPitch Pitch);

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
BREVANT_ENUM_NAMES(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
                   "psInsideFrame");

class TPen : public TGraphicsObject {
 public:
  BREVANT_CLASS(TPen)
  TColor Color() const { return Color_; }
  void SetColor(TColor Value);
  int Width() const { return Width_; }
  void SetWidth(int Value);
  TPenStyle Style() const { return Style_; }
  void SetStyle(TPenStyle Value);
  void Assign(const TPersistent& Source) override;

 private:
  TColor Color_ = clBlack;
  int Width_ = 1;
  TPenStyle Style_ = psSolid;
};

enum TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};
BREVANT_ENUM_NAMES(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                   "bsBDiagonal", "bsCross", "bsDiagCross");

class TBrush : public TGraphicsObject {
 public:
  BREVANT_CLASS(TBrush)
  TColor Color() const { return Color_; }
  void SetColor(TColor Value);
  TBrushStyle Style() const { return Style_; }
  void SetStyle(TBrushStyle Value);
  void Assign(const TPersistent& Source) override;

 private:
  TColor Color_ = clWhite;
  TBrushStyle Style_ = bsSolid;
};
