#pragma once
// The program's string table: every message text of the framework and the data layer is
// an entry with an identifier and a default text. A text can be replaced at run time
// (for a translation) without touching the code that raises it.

#include <string>

struct TResString {
  const char* Id;
  const char* Default;
};

// The current text of an entry: its replacement if one was set, else its default.
std::string LoadResString(const TResString& Entry);

class TStringTable {
 public:
  static void Replace(const std::string& Id, const std::string& Text);
  static void Restore(const std::string& Id);
};
