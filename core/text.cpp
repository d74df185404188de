#include "core/text.h"

#include <algorithm>

char LowerChar(char C) {
  return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C;
}

char UpperChar(char C) {
  return C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C;
}

std::string LowerCase(std::string_view S) {
  std::string out(S);
  for (char& c : out)
    c = LowerChar(c);
  return out;
}

std::string UpperCase(std::string_view S) {
  std::string out(S);
  for (char& c : out)
    c = UpperChar(c);
  return out;
}

bool SameText(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (size_t i = 0; i < A.size(); ++i) {
    if (LowerChar(A[i]) != LowerChar(B[i])) return false;
  }
  return true;
}

int CompareText(std::string_view A, std::string_view B) {
  const size_t n = std::min(A.size(), B.size());
  for (size_t i = 0; i < n; ++i) {
    // Compared as unsigned bytes, so that UTF-8 sorts after ASCII as it does in a byte-wise order.
    const auto a = static_cast<unsigned char>(LowerChar(A[i]));
    const auto b = static_cast<unsigned char>(LowerChar(B[i]));
    if (a != b) return a < b ? -1 : 1;
  }
  if (A.size() == B.size()) return 0;
  return A.size() < B.size() ? -1 : 1;
}

namespace {

bool IsBlank(char C) {
  return static_cast<unsigned char>(C) <= ' ';
}

}  // namespace

std::string_view TrimLeft(std::string_view S) {
  while (!S.empty() && IsBlank(S.front()))
    S.remove_prefix(1);
  return S;
}

std::string_view TrimRight(std::string_view S) {
  while (!S.empty() && IsBlank(S.back()))
    S.remove_suffix(1);
  return S;
}

std::string_view Trim(std::string_view S) {
  return TrimRight(TrimLeft(S));
}

std::vector<std::string> SplitNames(std::string_view Names, char Separator) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= Names.size()) {
    size_t end = Names.find(Separator, start);
    if (end == std::string_view::npos) end = Names.size();
    const std::string_view name = Trim(Names.substr(start, end - start));
    if (!name.empty()) out.emplace_back(name);
    start = end + 1;
  }
  return out;
}
