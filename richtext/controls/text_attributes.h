#pragma once
// TTextAttributes and TParaAttributes: the character format of a rich text control's selection
// or its default format, and the paragraph format of its selection, read and written through the
// control's window each time.

#include <string>

#include "core/object.h"
#include "gui/controls/control_types.h"
#include "gui/graphics/graphics_objects.h"

class TCustomRichEdit;
struct TRichCharFormat;

enum TAttributeKind { atSelected, atDefaultText };

class TTextAttributes : public TPersistent {
 public:
  BREVANT_CLASS(TTextAttributes)
  TTextAttributes(TCustomRichEdit* Owner, TAttributeKind Kind);

  std::string Name() const;
  void SetName(const std::string& Value);
  // In points.
  int Size() const;
  void SetSize(int Value);
  // In pixels, negative (the character height), as a font's Height.
  int Height() const;
  void SetHeight(int Value);
  TFontStyles Style() const;
  void SetStyle(TFontStyles Value);
  // Text that follows the window-text colour reads as clWindowText; writing clWindowText makes
  // it follow again.
  TColor Color() const;
  void SetColor(TColor Value);
  TFontCharset Charset() const;
  void SetCharset(TFontCharset Value);
  TFontPitch Pitch() const;
  void SetPitch(TFontPitch Value);
  bool Protected() const;
  void SetProtected(bool Value);

  // From a font, or from other attributes.
  void Assign(const TPersistent& Source) override;

 protected:
  void AssignTo(TPersistent& Dest) const override;

 private:
  TRichCharFormat Read() const;
  void Write(const TRichCharFormat& Format);

  TCustomRichEdit* Owner_;
  TAttributeKind Kind_;
};

// A face name as a character format holds it: its first 32 characters (never half of one).
std::string CharFormatFaceName(const std::string& Name);

enum TNumberingStyle { nsNone, nsBullet };
BREVANT_ENUM_NAMES(TNumberingStyle, "nsNone", "nsBullet");

// Indents and tab stops in points (20 twips each). FirstIndent is where the first line starts,
// LeftIndent where the other lines start relative to it.
class TParaAttributes : public TPersistent {
 public:
  BREVANT_CLASS(TParaAttributes)
  explicit TParaAttributes(TCustomRichEdit* Owner);

  TAlignment Alignment() const;
  void SetAlignment(TAlignment Value);
  int FirstIndent() const;
  void SetFirstIndent(int Value);
  int LeftIndent() const;
  void SetLeftIndent(int Value);
  int RightIndent() const;
  void SetRightIndent(int Value);
  // Setting none also sets LeftIndent to 0; setting a bullet raises a LeftIndent below 10 to 10.
  TNumberingStyle Numbering() const;
  void SetNumbering(TNumberingStyle Value);
  int Tab(int Index) const;
  void SetTab(int Index, int Value);
  int TabCount() const;
  void SetTabCount(int Value);

  void Assign(const TPersistent& Source) override;

 private:
  TCustomRichEdit* Owner_;
};
