#include "gui/dialogs/file_filter.h"

#include "core/exceptions.h"
#include "core/format.h"
#include "core/text.h"
#include "gui/gui_strings.h"

namespace {

std::vector<std::string> Split(const std::string& Text, char Separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t end = Text.find(Separator, start);
    parts.push_back(Text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

}  // namespace

std::vector<TFileFilter> ParseFileFilter(const std::string& Filter) {
  std::vector<TFileFilter> filters;
  if (Filter.empty()) return filters;
  const std::vector<std::string> parts = Split(Filter, '|');
  if (parts.size() % 2 != 0) throw EInvalidArgument(Format(LoadResString(SFilterNoPattern), Filter));
  for (size_t i = 0; i < parts.size(); i += 2) {
    TFileFilter f;
    f.Patterns = SplitNames(parts[i + 1], ';');
    f.Description = std::string(Trim(parts[i]));
    if (f.Patterns.empty())
      throw EInvalidArgument(Format(LoadResString(SFilterEmptyPattern), Filter, f.Description));
    if (f.Description.empty()) {
      for (const std::string& p : f.Patterns)
        f.Description += (f.Description.empty() ? "" : ";") + p;
    }
    filters.push_back(std::move(f));
  }
  return filters;
}

std::string EitherCasePattern(const std::string& Pattern) {
  if (Pattern == "*.*") return "*";
  std::string out;
  for (char c : Pattern) {
    if (LowerChar(c) != UpperChar(c)) {
      out += '[';
      out += LowerChar(c);
      out += UpperChar(c);
      out += ']';
    } else {
      out += c;
    }
  }
  return out;
}
