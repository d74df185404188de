#pragma once
// Turns the text of a stored layout into a tree of entries; knows nothing of classes.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/layout/layout_value.h"

struct TLayoutProperty {
  std::string Path;  // "Caption" or "Font.Name"
  TLayoutValue Value;
  int Line = 0;
};

struct TLayoutEntry {
  std::string Name;
  std::string ClassName;
  int Line = 0;
  std::vector<TLayoutProperty> Properties;
  std::vector<std::unique_ptr<TLayoutEntry>> Children;
};

inline constexpr int kLayoutFormatVersion = 1;

// Raises ELayoutError "<LayoutName>, line N: <problem>" for anything malformed.
std::unique_ptr<TLayoutEntry> ParseLayout(std::string_view Text, std::string_view LayoutName);

// The text of a value as the parser reads it back (used by the writer). Long lists and
// byte blocks break over lines indented by Indent.
std::string FormatLayoutValue(const TLayoutValue& Value, int Indent);
// A text in double quotes with the escapes the parser knows.
std::string QuoteLayoutString(std::string_view Text);
