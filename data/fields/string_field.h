#pragma once
// A text column of fixed maximum length. The raw value is the characters and a terminating
// zero byte (Size + 1 bytes).

#include "data/fields/field.h"

class TStringField : public TField {
 public:
  BREVANT_CLASS(TStringField)

  // The largest Size a string field takes.
  static constexpr int kMaxSize = 8192;

  explicit TStringField(TComponent* AOwner);

  const std::string& EditMask() const { return EditMask_; }
  void SetEditMask(const std::string& Value);
  // Convert between the program's and the engine's character sets on reading and writing.
  bool Transliterate() const { return Transliterate_; }
  void SetTransliterate(bool Value) { Transliterate_ = Value; }
  // Made from a fixed-length column; reading does not look at it.
  bool FixedChar() const { return FixedChar_; }
  void SetFixedChar(bool Value) { FixedChar_ = Value; }

  int RawSize() const override { return Size() + 1; }
  // The stored characters up to the first zero byte, blanks kept; empty for null, for no
  // active row and for a closed dataset.
  std::string AsText() const override;
  // Stores the text; one longer than Size bytes (after conversion) raises "Value too long
  // for field '%s' (at most %d characters)" and changes nothing.
  void SetAsText(const std::string& Value) override;
  void SetFieldType(TFieldType Value) override;

 protected:
  std::string GetText(bool DisplayText) const override;
  void CheckTypeSize(int Value) const override;
  int DefaultWidth() const override { return Size(); }

 private:
  std::string EditMask_;
  bool Transliterate_ = true;
  bool FixedChar_ = false;
};
