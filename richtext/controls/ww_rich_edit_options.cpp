#include "richtext/controls/ww_rich_edit_options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "core/exceptions.h"
#include "core/rtti.h"

BREVANT_DEFINE_CLASS(TwwPrintMargins, TPersistent,
                     .Property("Top", &TwwPrintMargins::Top, &TwwPrintMargins::SetTop)
                         .Default(1.0)
                         .Property("Bottom", &TwwPrintMargins::Bottom, &TwwPrintMargins::SetBottom)
                         .Default(1.0)
                         .Property("Left", &TwwPrintMargins::Left, &TwwPrintMargins::SetLeft)
                         .Default(1.0)
                         .Property("Right", &TwwPrintMargins::Right, &TwwPrintMargins::SetRight)
                         .Default(1.0))

BREVANT_DEFINE_CLASS(TwwFormPosition, TPersistent,
                     .Property("Left", &TwwFormPosition::Left, &TwwFormPosition::SetLeft)
                         .Default(0)
                         .Property("Top", &TwwFormPosition::Top, &TwwFormPosition::SetTop)
                         .Default(0)
                         .Property("Width", &TwwFormPosition::Width, &TwwFormPosition::SetWidth)
                         .Default(0)
                         .Property("Height", &TwwFormPosition::Height, &TwwFormPosition::SetHeight)
                         .Default(0))

void TwwPrintMargins::Assign(const TPersistent& Source) {
  if (const auto* other = dynamic_cast<const TwwPrintMargins*>(&Source)) {
    Top_ = other->Top_;
    Bottom_ = other->Bottom_;
    Left_ = other->Left_;
    Right_ = other->Right_;
    return;
  }
  TPersistent::Assign(Source);
}

void TwwFormPosition::Assign(const TPersistent& Source) {
  if (const auto* other = dynamic_cast<const TwwFormPosition*>(&Source)) {
    Left_ = other->Left_;
    Top_ = other->Top_;
    Width_ = other->Width_;
    Height_ = other->Height_;
    return;
  }
  TPersistent::Assign(Source);
}

bool ParseUnitsText(const std::string& Text, double& Value) {
  std::string number = Text;
  while (!number.empty() && std::string_view(" 'cmCM").find(number.back()) != std::string_view::npos)
    number.pop_back();
  const size_t first = number.find_first_not_of(' ');
  if (first == std::string::npos) return false;
  number.erase(0, first);
  // A plus sign is allowed, but only in front of the digits ("+-1" is no number).
  const size_t skip = number[0] == '+' ? 1 : 0;
  if (skip == 1 && (number.size() == 1 || number[1] == '-')) return false;
  // The decimal point is always ".", whatever the locale says.
  double value = 0;
  const char* last = number.data() + number.size();
  const auto [end, error] = std::from_chars(number.data() + skip, last, value);
  if (end != last || error != std::errc() || !std::isfinite(value)) return false;
  Value = value;
  return true;
}

int MarginToTwips(const std::string& Text, TwwMeasurementUnits Units) {
  double value = 0;
  if (!ParseUnitsText(Text, value) || std::abs(value) > 1e6)
    throw EConvertError("'" + Text + "' is not a valid floating point value");
  return MarginValueToTwips(value, Units);
}

int MarginValueToTwips(double Value, TwwMeasurementUnits Units) {
  if (!std::isfinite(Value)) return 0;
  double twips = Value * 1440.0;
  if (Units == muCentimeters) twips /= 2.537;
  return static_cast<int>(std::trunc(std::clamp(twips, -2e9, 2e9)));
}

std::string ShortestDecimalText(double Value) {
  if (!std::isfinite(Value) || Value == 0) Value = 0;
  char text[64];
  const auto [end, error] = std::to_chars(text, text + sizeof text, Value);
  return error == std::errc() ? std::string(text, end) : std::string("0");
}
