#include "data/fields/other_fields.h"

#include <charconv>
#include <cstring>
#include <string_view>

#include "core/rtti.h"
#include "core/text.h"
#include "data/data_strings.h"
#include "data/db_error.h"
#include "data/fields/field_defs.h"

BREVANT_DEFINE_CLASS(TIntegerField, TField, )
BREVANT_DEFINE_CLASS(TSmallintField, TIntegerField, )
BREVANT_DEFINE_CLASS(TWordField, TIntegerField, )
BREVANT_DEFINE_CLASS(TAutoIncField, TIntegerField, )
BREVANT_DEFINE_CLASS(TLargeintField, TIntegerField, )
BREVANT_DEFINE_CLASS(TFloatField, TField, )
BREVANT_DEFINE_CLASS(TCurrencyField, TFloatField, )
BREVANT_DEFINE_CLASS(TBooleanField, TField, )
BREVANT_DEFINE_CLASS(TBCDField, TField, .Property("Size", &TField::Size, &TField::SetSize).Default(4))
BREVANT_DEFINE_CLASS(TDateField, TField, )
BREVANT_DEFINE_CLASS(TTimeField, TField, )
BREVANT_DEFINE_CLASS(TDateTimeField, TField, )
BREVANT_DEFINE_CLASS(TBytesField, TField, .Property("Size", &TField::Size, &TField::SetSize).Default(16))
BREVANT_DEFINE_CLASS(TVarBytesField, TBytesField, )
BREVANT_DEFINE_CLASS(TADTField, TField, )
BREVANT_DEFINE_CLASS(TArrayField, TField, .Property("Size", &TField::Size, &TField::SetSize).Default(0))
BREVANT_DEFINE_CLASS(TReferenceField, TField, .Property("Size", &TField::Size, &TField::SetSize).Default(0))
BREVANT_DEFINE_CLASS(TDataSetField, TField, )

namespace {

[[noreturn]] void InvalidValue(const TField& Field, const std::string& Text) {
  RaiseDataErrorFmt(LoadResString(SInvalidFieldValue), {Text, Field.ShownName()}, nullptr);
}

}  // namespace

TIntegerField::TIntegerField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftInteger);
  std::bitset<256> chars;
  for (const char c : std::string_view("+-0123456789"))
    chars.set(static_cast<unsigned char>(c));
  SetValidChars(chars);
}

int64_t TIntegerField::AsInteger() const {
  unsigned char raw[8] = {};
  if (!ReadRaw(raw)) return 0;
  switch (RawSize()) {
    case 2:
      if (Lowest() < 0) {
        int16_t v;
        std::memcpy(&v, raw, 2);
        return v;
      } else {
        uint16_t v;
        std::memcpy(&v, raw, 2);
        return v;
      }
    case 4: {
      int32_t v;
      std::memcpy(&v, raw, 4);
      return v;
    }
    default: {
      int64_t v;
      std::memcpy(&v, raw, 8);
      return v;
    }
  }
}

void TIntegerField::SetAsInteger(int64_t Value) {
  if (Value < Lowest() || Value > Highest()) InvalidValue(*this, std::to_string(Value));
  unsigned char raw[8] = {};
  if (RawSize() == 2) {
    const auto v = static_cast<uint16_t>(Value);
    std::memcpy(raw, &v, 2);
  } else if (RawSize() == 4) {
    const auto v = static_cast<int32_t>(Value);
    std::memcpy(raw, &v, 4);
  } else {
    std::memcpy(raw, &Value, 8);
  }
  WriteRaw(raw);
}

std::string TIntegerField::AsText() const {
  if (ValueIsNull()) return std::string();
  return std::to_string(AsInteger());
}

void TIntegerField::SetAsText(const std::string& Value) {
  const std::string_view text = Trim(Value);
  if (text.empty()) {
    WriteRaw(nullptr);
    return;
  }
  int64_t v = 0;
  const char* first = text.data() + (text.front() == '+' ? 1 : 0);
  const auto [end, error] = std::from_chars(first, text.data() + text.size(), v);
  if (error != std::errc() || end != text.data() + text.size()) InvalidValue(*this, Value);
  SetAsInteger(v);
}

TSmallintField::TSmallintField(TComponent* AOwner) : TIntegerField(AOwner) {
  SetDataType(ftSmallint);
}

TWordField::TWordField(TComponent* AOwner) : TIntegerField(AOwner) {
  SetDataType(ftWord);
}

TAutoIncField::TAutoIncField(TComponent* AOwner) : TIntegerField(AOwner) {
  SetDataType(ftAutoInc);
}

TLargeintField::TLargeintField(TComponent* AOwner) : TIntegerField(AOwner) {
  SetDataType(ftLargeint);
}

TFloatField::TFloatField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftFloat);
}

std::string TFloatField::AsText() const {
  double v = 0;
  if (!ReadRaw(&v)) return std::string();
  char text[64];
  const auto [end, error] = std::to_chars(text, text + sizeof text, v);
  return error == std::errc() ? std::string(text, end) : std::string();
}

void TFloatField::SetAsText(const std::string& Value) {
  const std::string_view text = Trim(Value);
  if (text.empty()) {
    WriteRaw(nullptr);
    return;
  }
  double v = 0;
  const char* first = text.data() + (text.front() == '+' ? 1 : 0);
  const auto [end, error] = std::from_chars(first, text.data() + text.size(), v);
  if (error != std::errc() || end != text.data() + text.size()) InvalidValue(*this, Value);
  WriteRaw(&v);
}

TCurrencyField::TCurrencyField(TComponent* AOwner) : TFloatField(AOwner) {
  SetDataType(ftCurrency);
}

TBooleanField::TBooleanField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftBoolean);
}

std::string TBooleanField::AsText() const {
  int16_t v = 0;
  if (!ReadRaw(&v)) return std::string();
  return v != 0 ? "True" : "False";
}

void TBooleanField::SetAsText(const std::string& Value) {
  const std::string_view text = Trim(Value);
  if (text.empty()) {
    WriteRaw(nullptr);
    return;
  }
  int16_t v = 0;
  if (SameText(text, "True") || text == "1") {
    v = 1;
  } else if (!SameText(text, "False") && text != "0") {
    InvalidValue(*this, Value);
  }
  WriteRaw(&v);
}

TBCDField::TBCDField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftBCD);
  SetSize(4);
}

void TBCDField::CheckTypeSize(int Value) const {
  if (Value < 0 || Value > 32) RaiseDataError(LoadResString(SInvalidFieldSize), nullptr);
}

TDateField::TDateField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftDate);
}

TTimeField::TTimeField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftTime);
}

TDateTimeField::TDateTimeField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftDateTime);
}

TBytesField::TBytesField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftBytes);
  SetSize(16);
}

void TBytesField::CheckTypeSize(int Value) const {
  if (Value < 1) RaiseDataError(LoadResString(SInvalidFieldSize), nullptr);
}

TVarBytesField::TVarBytesField(TComponent* AOwner) : TBytesField(AOwner) {
  SetDataType(ftVarBytes);
}

TADTField::TADTField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftADT);
}

TArrayField::TArrayField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftArray);
}

TReferenceField::TReferenceField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftReference);
}

TDataSetField::TDataSetField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftDataSet);
}
