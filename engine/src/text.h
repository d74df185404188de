// The engine's text helpers. The engine is a library of its own, loaded into programs that have their
// own, so it keeps one copy of these here rather than sharing a program's.
#pragma once

#include <string>
#include <string_view>

namespace dbengine {

// Equal when ASCII letters are folded to one case; other bytes (UTF-8 included) compare exactly, so
// that names and keywords match the same way whatever the process's locale.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// The text with ASCII letters in upper case.
std::string UpperCase(std::string_view text);

// The text without leading and trailing blanks, tabs, CR and LF.
std::string_view Trim(std::string_view text);

}  // namespace dbengine
