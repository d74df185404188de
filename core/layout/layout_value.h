#pragma once
// A value as a stored layout writes it, before it is given to a property. The format is
// line-oriented text:
//
//   layout 1
//   MainForm (TMainForm)
//     Caption: "Brevant Pack Number 2"
//     Font.Height: -11
//     OnCreate: FormCreate
//     Panel2 (TPanel)
//       Left: 4
//
// An entry "Name (Class)" creates a component; the lines indented two spaces deeper are
// its properties ("Path: value") followed by the components nested in it. Values:
// integers (-11, 0x8000000F), decimals (1.5), texts in double quotes with \" \\ \n \r \t
// \xHH escapes, identifiers (true, false, enumeration members, colour names, components,
// handler methods), lists in brackets (["A", "B"] or [nbNext]) and bytes in angle brackets
// as hexadecimal (<89504E47>). Lists and bytes may continue over several lines;
// file("name.png") stands for the bytes of a file compiled into the program.

#include <cstdint>
#include <string>
#include <vector>

struct TLayoutValue {
  enum class TKind { Integer, Float, String, Identifier, List, Binary };

  TKind Kind = TKind::Integer;
  int64_t Integer = 0;
  double Float = 0;
  std::string Text;                 // String and Identifier
  std::vector<TLayoutValue> Items;  // List
  std::vector<uint8_t> Bytes;       // Binary

  static TLayoutValue OfInteger(int64_t V);
  static TLayoutValue OfString(std::string V);
  static TLayoutValue OfIdentifier(std::string V);
  static TLayoutValue OfBytes(std::vector<uint8_t> V);

  bool IsIdentifier(const char* Name) const { return Kind == TKind::Identifier && Text == Name; }
  const char* KindName() const;
};
