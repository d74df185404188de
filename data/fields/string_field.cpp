#include "data/fields/string_field.h"

#include <cstring>

#include "core/rtti.h"
#include "data/data_strings.h"
#include "data/dataset.h"
#include "data/db_error.h"

BREVANT_DEFINE_CLASS(TStringField, TField,
                     .Property("EditMask", &TStringField::EditMask, &TStringField::SetEditMask)
                         .Property("Size", &TField::Size, &TField::SetSize)
                         .Default(20)
                         .Property("Transliterate", &TStringField::Transliterate,
                                   &TStringField::SetTransliterate)
                         .Default(true))

TStringField::TStringField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftString);
  SetSize(20);
}

void TStringField::SetEditMask(const std::string& Value) {
  if (Value == EditMask_) return;
  EditMask_ = Value;
  PropertyChanged(false);
}

void TStringField::CheckTypeSize(int Value) const {
  if (Value < 1 || Value > kMaxSize) RaiseDataError(LoadResString(SInvalidFieldSize), nullptr);
}

void TStringField::SetFieldType(TFieldType Value) {
  if (Value == ftFixedChar) FixedChar_ = true;
}

std::string TStringField::AsText() const {
  char buffer[kMaxSize + 1];
  if (!ReadRaw(buffer)) return std::string();
  // The terminator's place is always a zero, whatever the dataset left there.
  buffer[RawSize() - 1] = '\0';
  std::string text(buffer, std::strlen(buffer));
  if (Transliterate_ && !text.empty()) HostDataSet()->ConvertText(text, text, false);
  return text;
}

void TStringField::SetAsText(const std::string& Value) {
  // A text that does not fit is refused whole: cutting it would store something the user
  // never wrote and report success.
  std::string text = Value;
  if (Transliterate_ && !text.empty() && HostDataSet() != nullptr)
    HostDataSet()->ConvertText(text, text, true);
  if (text.size() > static_cast<size_t>(Size()))
    RaiseDataErrorFmt(LoadResString(SValueTooLong), {ShownName(), Size()}, HostDataSet());
  char buffer[kMaxSize + 1];
  std::memset(buffer, 0, static_cast<size_t>(RawSize()));
  std::memcpy(buffer, text.data(), text.size());
  WriteRaw(buffer);
}

std::string TStringField::GetText(bool /*DisplayText*/) const {
  return AsText();
}
