#include "rtf_field_instruction.h"

#include "core/text.h"

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

class TInstructionScanner {
 public:
  explicit TInstructionScanner(std::string_view text) : text_(text) {}

  bool AtEnd() {
    while (pos_ < text_.size() && IsBlank(text_[pos_]))
      ++pos_;
    return pos_ >= text_.size();
  }
  bool AtSwitch() { return !AtEnd() && text_[pos_] == '\\'; }

  // A switch: its letter, after the backslash.
  char ReadSwitch() {
    ++pos_;
    if (pos_ >= text_.size()) return '\0';
    const char name = text_[pos_++];
    // A switch is one character, which may take several bytes.
    while (pos_ < text_.size() && (static_cast<unsigned char>(text_[pos_]) & 0xC0) == 0x80)
      ++pos_;
    return name;
  }

  // A quoted argument (inside which a backslash escapes the next character) or a bare word.
  std::string ReadArgument() {
    std::string out;
    if (AtEnd()) return out;
    if (text_[pos_] == '"') {
      for (++pos_; pos_ < text_.size() && text_[pos_] != '"'; ++pos_) {
        if (text_[pos_] == '\\' && pos_ + 1 < text_.size()) ++pos_;
        out.push_back(text_[pos_]);
      }
      ++pos_;  // closing quote
    } else {
      while (pos_ < text_.size() && !IsBlank(text_[pos_]))
        out.push_back(text_[pos_++]);
    }
    return out;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

std::string HyperlinkTargetOf(std::string_view instruction) {
  TInstructionScanner scanner(instruction);
  if (!SameText(scanner.ReadArgument(), "HYPERLINK")) return {};
  std::string target;
  std::string anchor;
  bool haveTarget = false;
  while (!scanner.AtEnd()) {
    if (scanner.AtSwitch()) {
      const char name = scanner.ReadSwitch();
      // Switches that take an argument; \l names a place inside the target.
      if (name == 'l' || name == 'o' || name == 't' || name == 'm') {
        std::string argument = scanner.ReadArgument();
        if (name == 'l') anchor = std::move(argument);
      }
      continue;
    }
    std::string argument = scanner.ReadArgument();
    if (!haveTarget) target = std::move(argument), haveTarget = true;
  }
  if (!anchor.empty()) target += "#" + anchor;
  return target;
}

std::string HyperlinkInstructionOf(std::string_view target) {
  std::string out = "HYPERLINK \"";
  for (const char c : target) {
    if (c == '"' || c == '\\') out.push_back('\\');
    out.push_back(c);
  }
  out += "\"";
  return out;
}
