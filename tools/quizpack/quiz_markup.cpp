#include "quiz_markup.h"

#include <cstdint>
#include <string_view>

#include "quiz_error.h"

namespace {

struct TColour {
  const char* name;
  int red, green, blue;
};

// The order is the colour table's: \cf1 is black, \cf2 red, and so on.
constexpr TColour kColours[] = {{"black", 0, 0, 0},      {"red", 255, 0, 0},    {"green", 0, 128, 0},
                                {"blue", 0, 0, 255},     {"navy", 0, 0, 128},   {"maroon", 128, 0, 0},
                                {"purple", 128, 0, 128}, {"teal", 0, 128, 128}, {"olive", 128, 128, 0},
                                {"gray", 128, 128, 128}};

std::string Header() {
  std::string header =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Sans Serif;}}\n{\\colortbl ;";
  for (const auto& colour : kColours) {
    header += "\\red" + std::to_string(colour.red) + "\\green" + std::to_string(colour.green) + "\\blue" +
              std::to_string(colour.blue) + ";";
  }
  header += "}\n\\uc1\\pard\\f0\\fs20 ";
  return header;
}

// Reads one UTF-8 character at text[i], advancing i; -1 for a malformed sequence.
int32_t DecodeUtf8(std::string_view text, size_t& i) {
  const auto byte = [&](size_t at) { return static_cast<unsigned char>(text[at]); };
  const unsigned char first = byte(i);
  int length;
  int32_t code;
  if (first < 0x80) {
    ++i;
    return first;
  } else if ((first & 0xE0) == 0xC0) {
    length = 2;
    code = first & 0x1F;
  } else if ((first & 0xF0) == 0xE0) {
    length = 3;
    code = first & 0x0F;
  } else if ((first & 0xF8) == 0xF0) {
    length = 4;
    code = first & 0x07;
  } else {
    return -1;
  }
  if (i + static_cast<size_t>(length) > text.size()) return -1;
  for (int k = 1; k < length; ++k) {
    const unsigned char next = byte(i + static_cast<size_t>(k));
    if ((next & 0xC0) != 0x80) return -1;
    code = (code << 6) | (next & 0x3F);
  }
  static constexpr int32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return -1;
  i += static_cast<size_t>(length);
  return code;
}

void AppendUnicode(std::string& out, int32_t code) {
  const auto escape = [&](int32_t unit) {
    // \u takes a signed 16-bit number; '?' is what a reader without Unicode shows instead.
    out += "\\u" + std::to_string(unit > 0x7FFF ? unit - 0x10000 : unit) + "?";
  };
  if (code > 0xFFFF) {
    const int32_t value = code - 0x10000;
    escape(0xD800 + (value >> 10));
    escape(0xDC00 + (value & 0x3FF));
  } else {
    escape(code);
  }
}

class TLineConverter {
 public:
  TLineConverter(std::string_view line, std::string where) : line_(line), where_(std::move(where)) {}

  std::string Convert() {
    size_t i = 0;
    while (i < line_.size()) {
      const char c = line_[i];
      const std::string_view pair = line_.substr(i, 2);
      if (c == '\\') {
        if (i + 1 >= line_.size()) Problem("a backslash at the end of the line escapes nothing");
        ++i;
        Character(i);
      } else if (pair == "**") {
        Toggle("**", "\\b ");
        i += 2;
      } else if (pair == "//") {
        Toggle("//", "\\i ");
        i += 2;
      } else if (pair == "__") {
        Toggle("__", "\\ul ");
        i += 2;
      } else if (c == '{') {
        const size_t bar = line_.find('|', i);
        if (bar == std::string_view::npos) Problem("'{' needs a colour and '|', as in {red|words}");
        const std::string_view name = line_.substr(i + 1, bar - i - 1);
        int index = 0;
        for (size_t k = 0; k < std::size(kColours); ++k) {
          if (name == kColours[k].name) index = static_cast<int>(k) + 1;
        }
        if (index == 0) Problem("unknown colour '" + std::string(name) + "'");
        out_ += "{\\cf" + std::to_string(index) + " ";
        open_.push_back("{");
        i = bar + 1;
      } else if (c == '}') {
        if (open_.empty() || open_.back() != "{") {
          Problem(open_.empty() ? "'}' closes no colour"
                                : "'}' closes a colour while '" + open_.back() + "' is open");
        }
        out_ += "}";
        open_.pop_back();
        ++i;
      } else {
        Character(i);
      }
    }
    if (!open_.empty()) {
      Problem(open_.back() == "{" ? "a colour opened with '{' is not closed on this line"
                                  : "'" + open_.back() + "' is not closed on this line");
    }
    return out_;
  }

 private:
  [[noreturn]] void Problem(const std::string& text) const { throw EQuizError(where_ + ": " + text); }

  void Toggle(const std::string& marker, const char* control) {
    if (!open_.empty() && open_.back() == marker) {
      out_ += "}";
      open_.pop_back();
      return;
    }
    for (const auto& opened : open_) {
      if (opened == marker) Problem("'" + marker + "' closes while '" + open_.back() + "' is still open");
    }
    out_ += "{";
    out_ += control;
    open_.push_back(marker);
  }

  void Character(size_t& i) {
    const char c = line_[i];
    if (c == '\\' || c == '{' || c == '}') {
      out_ += '\\';
      out_ += c;
      ++i;
    } else if (c == '\t') {
      out_ += "\\tab ";
      ++i;
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      Problem("control character " + std::to_string(static_cast<int>(c)) + " in the text");
    } else if (static_cast<unsigned char>(c) < 0x80) {
      out_ += c;
      ++i;
    } else {
      const int32_t code = DecodeUtf8(line_, i);
      if (code < 0) Problem("the text is not valid UTF-8");
      AppendUnicode(out_, code);
    }
  }

  std::string_view line_;
  std::string where_;
  std::string out_;
  std::vector<std::string> open_;
};

}  // namespace

std::string MarkupToRtf(const std::vector<std::string>& lines, const std::string& where, int firstLine) {
  std::string rtf = Header();
  for (size_t index = 0; index < lines.size(); ++index) {
    const std::string location = where + ":" + std::to_string(firstLine + static_cast<int>(index));
    std::string_view line = lines[index];
    if (index > 0) rtf += "\\par\n";
    if (line.substr(0, 2) == "= ") {
      rtf += "{\\b\\fs24 " + TLineConverter(line.substr(2), location).Convert() + "}";
    } else {
      rtf += TLineConverter(line, location).Convert();
    }
  }
  rtf += "\n}";
  return rtf;
}
