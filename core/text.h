#pragma once
// Text helpers that every layer shares. Case folding covers ASCII letters only and ignores
// the C locale: a program that has set a locale (Qt does at start-up) still matches names,
// keys and file endings exactly as one that has not, and multi-byte UTF-8 stays untouched.

#include <string>
#include <string_view>
#include <vector>

char LowerChar(char C);
char UpperChar(char C);
std::string LowerCase(std::string_view S);
std::string UpperCase(std::string_view S);

// True when A and B differ at most in the case of ASCII letters.
bool SameText(std::string_view A, std::string_view B);
// Orders A and B as their lower-case forms would order byte by byte: negative, zero or positive.
int CompareText(std::string_view A, std::string_view B);

// Trimming removes blanks: the space and every control character (bytes up to ' '), which is
// what a line read from a file may carry around its text, tabs and carriage returns included.
std::string_view Trim(std::string_view S);
std::string_view TrimLeft(std::string_view S);
std::string_view TrimRight(std::string_view S);

// The names of a list such as "Name;Category; Order": split at the separator, each trimmed,
// empty ones left out.
std::vector<std::string> SplitNames(std::string_view Names, char Separator = ';');
