#include "core/layout/layout_parser.h"

#include <cctype>
#include <charconv>
#include <cstdlib>

#include "core/exceptions.h"
#include "core/resources.h"

TLayoutValue TLayoutValue::OfInteger(int64_t V) {
  TLayoutValue v;
  v.Kind = TKind::Integer;
  v.Integer = V;
  return v;
}

TLayoutValue TLayoutValue::OfString(std::string V) {
  TLayoutValue v;
  v.Kind = TKind::String;
  v.Text = std::move(V);
  return v;
}

TLayoutValue TLayoutValue::OfIdentifier(std::string V) {
  TLayoutValue v;
  v.Kind = TKind::Identifier;
  v.Text = std::move(V);
  return v;
}

TLayoutValue TLayoutValue::OfBytes(std::vector<uint8_t> V) {
  TLayoutValue v;
  v.Kind = TKind::Binary;
  v.Bytes = std::move(V);
  return v;
}

const char* TLayoutValue::KindName() const {
  switch (Kind) {
    case TKind::Integer:
      return "an integer";
    case TKind::Float:
      return "a decimal number";
    case TKind::String:
      return "a text";
    case TKind::Identifier:
      return "an identifier";
    case TKind::List:
      return "a list";
    case TKind::Binary:
      return "bytes";
  }
  return "a value";
}

namespace {

constexpr size_t kMaxNesting = 64;

class Parser {
 public:
  Parser(std::string_view Text, std::string_view Name) : Text_(Text), Name_(Name) {}

  std::unique_ptr<TLayoutEntry> Run() {
    ReadHeader();
    std::vector<std::pair<int, TLayoutEntry*>> stack;  // indentation and entry
    std::unique_ptr<TLayoutEntry> root;
    while (NextContentLine()) {
      const int indent = Indent();
      if (indent % 2 != 0) Fail("indentation must be a multiple of two spaces");
      if (IsEntryLine()) {
        auto entry = std::make_unique<TLayoutEntry>();
        entry->Line = Line_;
        ReadEntryLine(*entry);
        if (stack.empty()) {
          if (root) Fail("a layout holds exactly one top component");
          if (indent != 0) Fail("the top component must not be indented");
          root = std::move(entry);
          stack.push_back({0, root.get()});
          continue;
        }
        while (!stack.empty() && stack.back().first >= indent)
          stack.pop_back();
        if (stack.empty()) Fail("a layout holds exactly one top component");
        if (indent != stack.back().first + 2)
          Fail("a nested component is indented two spaces deeper than its parent");
        if (stack.size() > kMaxNesting) Fail("components nested too deeply");
        TLayoutEntry* raw = entry.get();
        stack.back().second->Children.push_back(std::move(entry));
        stack.push_back({indent, raw});
      } else {
        if (stack.empty()) Fail("a property before the first component");
        while (!stack.empty() && stack.back().first + 2 > indent)
          stack.pop_back();
        if (stack.empty() || stack.back().first + 2 != indent) {
          Fail("a property is indented two spaces deeper than its component");
        }
        TLayoutEntry& owner = *stack.back().second;
        if (!owner.Children.empty()) Fail("properties come before the nested components");
        owner.Properties.push_back(ReadPropertyLine());
      }
    }
    if (!root) Fail("no component in the layout");
    return root;
  }

  [[noreturn]] void Fail(const std::string& What) const {
    throw ELayoutError(std::string(Name_) + ", line " + std::to_string(Line_) + ": " + What);
  }

 private:
  // Line handling -----------------------------------------------------------------------

  // Moves to the start of the next line that is neither blank nor a comment.
  bool NextContentLine() {
    while (Pos_ < Text_.size()) {
      if (!AtLineStart_) SkipToNextLine();
      if (Pos_ >= Text_.size()) return false;
      AtLineStart_ = false;
      ++Line_;
      LineStart_ = Pos_;
      size_t p = Pos_;
      while (p < Text_.size() && Text_[p] == ' ')
        ++p;
      if (p < Text_.size() && Text_[p] == '\t') {
        Pos_ = p;
        Fail("tabs are not allowed; indent with spaces");
      }
      if (p >= Text_.size() || Text_[p] == '\n' || Text_[p] == '\r' || Text_[p] == '#') continue;
      Pos_ = p;
      return true;
    }
    return false;
  }

  void SkipToNextLine() {
    while (Pos_ < Text_.size() && Text_[Pos_] != '\n')
      ++Pos_;
    if (Pos_ < Text_.size()) ++Pos_;
    AtLineStart_ = true;
  }

  int Indent() const { return static_cast<int>(Pos_ - LineStart_); }

  void ReadHeader() {
    if (!NextContentLine()) Fail("empty layout");
    if (Indent() != 0 || !Word("layout")) Fail("a layout starts with the line \"layout 1\"");
    SkipBlanks();
    const int64_t version = ReadInteger();
    if (version != kLayoutFormatVersion) Fail("unknown layout format version " + std::to_string(version));
    EndOfLine();
  }

  bool IsEntryLine() const {
    // "Name (Class)": an identifier followed by blanks and an opening parenthesis.
    size_t p = Pos_;
    if (p >= Text_.size() || !IsIdentStart(Text_[p])) return false;
    while (p < Text_.size() && IsIdentChar(Text_[p]))
      ++p;
    while (p < Text_.size() && Text_[p] == ' ')
      ++p;
    return p < Text_.size() && Text_[p] == '(';
  }

  void ReadEntryLine(TLayoutEntry& Entry) {
    Entry.Name = ReadIdent("a component name");
    SkipBlanks();
    Expect('(');
    SkipBlanks();
    Entry.ClassName = ReadIdent("a class name");
    SkipBlanks();
    Expect(')');
    EndOfLine();
  }

  TLayoutProperty ReadPropertyLine() {
    TLayoutProperty prop;
    prop.Line = Line_;
    prop.Path = ReadIdent("a property name");
    while (Pos_ < Text_.size() && Text_[Pos_] == '.') {
      ++Pos_;
      prop.Path += '.';
      prop.Path += ReadIdent("a property name after the point");
    }
    SkipBlanks();
    Expect(':');
    SkipBlanks();
    prop.Value = ReadValue(0);
    EndOfLine();
    return prop;
  }

  void EndOfLine() {
    SkipBlanks();
    if (Pos_ < Text_.size() && Text_[Pos_] == '#') {
      SkipToNextLine();
      return;
    }
    if (Pos_ < Text_.size() && Text_[Pos_] == '\r') ++Pos_;
    if (Pos_ < Text_.size() && Text_[Pos_] != '\n') Fail(std::string("unexpected '") + Text_[Pos_] + "'");
    SkipToNextLine();
  }

  // Tokens -------------------------------------------------------------------------------

  static bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
  static bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

  void SkipBlanks() {
    while (Pos_ < Text_.size() && (Text_[Pos_] == ' ' || Text_[Pos_] == '\t'))
      ++Pos_;
  }

  // Inside brackets, values may continue on the next lines; comments end a line there too.
  void SkipSpaceAcrossLines() {
    for (;;) {
      SkipBlanks();
      if (Pos_ >= Text_.size()) return;
      const char c = Text_[Pos_];
      if (c == '#') {
        while (Pos_ < Text_.size() && Text_[Pos_] != '\n')
          ++Pos_;
      } else if (c == '\r') {
        ++Pos_;
      } else if (c == '\n') {
        ++Pos_;
        ++Line_;
        LineStart_ = Pos_;
      } else {
        return;
      }
    }
  }

  bool Word(std::string_view W) {
    if (Text_.substr(Pos_, W.size()) != W) return false;
    const size_t end = Pos_ + W.size();
    if (end < Text_.size() && IsIdentChar(Text_[end])) return false;
    Pos_ = end;
    return true;
  }

  void Expect(char c) {
    if (Pos_ >= Text_.size() || Text_[Pos_] != c) Fail(std::string("expected '") + c + "'");
    ++Pos_;
  }

  std::string ReadIdent(const char* What) {
    if (Pos_ >= Text_.size() || !IsIdentStart(Text_[Pos_])) Fail(std::string("expected ") + What);
    const size_t start = Pos_;
    while (Pos_ < Text_.size() && IsIdentChar(Text_[Pos_]))
      ++Pos_;
    return std::string(Text_.substr(start, Pos_ - start));
  }

  int64_t ReadInteger() {
    const TLayoutValue v = ReadNumber();
    if (v.Kind != TLayoutValue::TKind::Integer) Fail("expected an integer");
    return v.Integer;
  }

  TLayoutValue ReadNumber() {
    const size_t start = Pos_;
    bool negative = false;
    if (Pos_ < Text_.size() && (Text_[Pos_] == '-' || Text_[Pos_] == '+')) {
      negative = Text_[Pos_] == '-';
      ++Pos_;
    }
    if (Text_.substr(Pos_, 2) == "0x" || Text_.substr(Pos_, 2) == "0X") {
      Pos_ += 2;
      const size_t digits = Pos_;
      while (Pos_ < Text_.size() && std::isxdigit(static_cast<unsigned char>(Text_[Pos_])))
        ++Pos_;
      uint64_t u = 0;
      auto [ptr, ec] = std::from_chars(Text_.data() + digits, Text_.data() + Pos_, u, 16);
      if (digits == Pos_ || ec != std::errc() || ptr != Text_.data() + Pos_) {
        Fail("malformed hexadecimal number");
      }
      if (u > static_cast<uint64_t>(INT64_MAX)) Fail("number out of range");
      return TLayoutValue::OfInteger(negative ? -static_cast<int64_t>(u) : static_cast<int64_t>(u));
    }
    const size_t digits = Pos_;
    while (Pos_ < Text_.size() && std::isdigit(static_cast<unsigned char>(Text_[Pos_])))
      ++Pos_;
    if (digits == Pos_) Fail("expected a number");
    if (Pos_ < Text_.size() && Text_[Pos_] == '.') {
      ++Pos_;
      while (Pos_ < Text_.size() && std::isdigit(static_cast<unsigned char>(Text_[Pos_])))
        ++Pos_;
      TLayoutValue v;
      v.Kind = TLayoutValue::TKind::Float;
      v.Float = std::strtod(std::string(Text_.substr(start, Pos_ - start)).c_str(), nullptr);
      return v;
    }
    int64_t n = 0;
    auto [ptr, ec] = std::from_chars(Text_.data() + digits, Text_.data() + Pos_, n, 10);
    if (ec != std::errc() || ptr != Text_.data() + Pos_) Fail("number out of range");
    return TLayoutValue::OfInteger(negative ? -n : n);
  }

  static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  std::string ReadString() {
    ++Pos_;  // opening quote
    std::string out;
    for (;;) {
      if (Pos_ >= Text_.size() || Text_[Pos_] == '\n' || Text_[Pos_] == '\r') Fail("unterminated text");
      const char c = Text_[Pos_++];
      if (c == '"') break;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (Pos_ >= Text_.size()) Fail("unterminated text");
      const char e = Text_[Pos_++];
      switch (e) {
        case '"':
          out += '"';
          break;
        case '\\':
          out += '\\';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'x': {
          const int hi = Pos_ < Text_.size() ? HexDigit(Text_[Pos_]) : -1;
          const int lo = Pos_ + 1 < Text_.size() ? HexDigit(Text_[Pos_ + 1]) : -1;
          if (hi < 0 || lo < 0) Fail("\\x needs two hexadecimal digits");
          out += static_cast<char>(hi * 16 + lo);
          Pos_ += 2;
          break;
        }
        default:
          Fail(std::string("unknown escape \\") + e);
      }
    }
    return out;
  }

  std::vector<uint8_t> ReadBytes() {
    ++Pos_;  // '<'
    std::vector<uint8_t> bytes;
    int pending = -1;
    for (;;) {
      SkipSpaceAcrossLines();
      if (Pos_ >= Text_.size()) Fail("unterminated bytes: expected '>'");
      const char c = Text_[Pos_];
      if (c == '>') {
        ++Pos_;
        break;
      }
      const int d = HexDigit(c);
      if (d < 0) Fail(std::string("unexpected '") + c + "' in bytes");
      ++Pos_;
      if (pending < 0) {
        pending = d;
      } else {
        bytes.push_back(static_cast<uint8_t>(pending * 16 + d));
        pending = -1;
      }
    }
    if (pending >= 0) Fail("bytes need an even number of hexadecimal digits");
    return bytes;
  }

  TLayoutValue ReadValue(size_t Depth) {
    if (Depth > kMaxNesting) Fail("lists nested too deeply");
    if (Pos_ >= Text_.size() || Text_[Pos_] == '\n' || Text_[Pos_] == '\r' || Text_[Pos_] == '#') {
      Fail("expected a value");
    }
    const char c = Text_[Pos_];
    if (c == '"') return TLayoutValue::OfString(ReadString());
    if (c == '<') return TLayoutValue::OfBytes(ReadBytes());
    if (c == '[') {
      ++Pos_;
      TLayoutValue list;
      list.Kind = TLayoutValue::TKind::List;
      for (;;) {
        SkipSpaceAcrossLines();
        if (Pos_ >= Text_.size()) Fail("unterminated list: expected ']'");
        if (Text_[Pos_] == ']') {
          ++Pos_;
          break;
        }
        list.Items.push_back(ReadValue(Depth + 1));
        SkipSpaceAcrossLines();
        if (Pos_ < Text_.size() && Text_[Pos_] == ',') {
          ++Pos_;
        } else if (Pos_ >= Text_.size() || Text_[Pos_] != ']') {
          Fail("expected ',' or ']' in a list");
        }
      }
      return list;
    }
    if (c == '-' || c == '+' || std::isdigit(static_cast<unsigned char>(c))) return ReadNumber();
    if (IsIdentStart(c)) {
      std::string ident = ReadIdent("a value");
      if (ident == "file" && Pos_ < Text_.size() && Text_[Pos_] == '(') {
        ++Pos_;
        SkipBlanks();
        if (Pos_ >= Text_.size() || Text_[Pos_] != '"') Fail("file(...) needs a file name in double quotes");
        const std::string name = ReadString();
        SkipBlanks();
        Expect(')');
        if (!TResourceRegistry::Exists(name)) Fail("no file \"" + name + "\" is compiled into the program");
        const std::string_view data = TResourceRegistry::Find(name);
        return TLayoutValue::OfBytes(std::vector<uint8_t>(data.begin(), data.end()));
      }
      return TLayoutValue::OfIdentifier(std::move(ident));
    }
    Fail(std::string("unexpected '") + c + "'");
  }

  std::string_view Text_;
  std::string_view Name_;
  size_t Pos_ = 0;
  size_t LineStart_ = 0;
  int Line_ = 0;
  bool AtLineStart_ = true;
};

}  // namespace

std::unique_ptr<TLayoutEntry> ParseLayout(std::string_view Text, std::string_view LayoutName) {
  return Parser(Text, LayoutName).Run();
}

std::string QuoteLayoutString(std::string_view Text) {
  static const char* kHex = "0123456789ABCDEF";
  std::string out = "\"";
  for (const char c : Text) {
    const auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (u < 0x20 || u == 0x7F) {
          out += "\\x";
          out += kHex[u >> 4];
          out += kHex[u & 15];
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

std::string FormatLayoutValue(const TLayoutValue& Value, int Indent) {
  static const char* kHex = "0123456789ABCDEF";
  switch (Value.Kind) {
    case TLayoutValue::TKind::Integer:
      return std::to_string(Value.Integer);
    case TLayoutValue::TKind::Float: {
      char buf[64];
      std::snprintf(buf, sizeof buf, "%.17g", Value.Float);
      std::string s = buf;
      if (s.find_first_of(".eEn") == std::string::npos) s += ".0";
      return s;
    }
    case TLayoutValue::TKind::String:
      return QuoteLayoutString(Value.Text);
    case TLayoutValue::TKind::Identifier:
      return Value.Text;
    case TLayoutValue::TKind::List: {
      std::vector<std::string> items;
      size_t total = 0;
      for (const TLayoutValue& item : Value.Items) {
        items.push_back(FormatLayoutValue(item, Indent + 2));
        total += items.back().size() + 2;
      }
      std::string out = "[";
      if (total <= 80) {
        for (size_t i = 0; i < items.size(); ++i)
          out += (i ? ", " : "") + items[i];
        return out + "]";
      }
      const std::string pad(static_cast<size_t>(Indent) + 2, ' ');
      for (size_t i = 0; i < items.size(); ++i)
        out += "\n" + pad + items[i] + (i + 1 < items.size() ? "," : "");
      return out + "\n" + std::string(static_cast<size_t>(Indent), ' ') + "]";
    }
    case TLayoutValue::TKind::Binary: {
      std::string out = "<";
      if (Value.Bytes.size() <= 32) {
        for (uint8_t b : Value.Bytes) {
          out += kHex[b >> 4];
          out += kHex[b & 15];
        }
        return out + ">";
      }
      const std::string pad(static_cast<size_t>(Indent) + 2, ' ');
      for (size_t i = 0; i < Value.Bytes.size(); ++i) {
        if (i % 32 == 0) out += "\n" + pad;
        out += kHex[Value.Bytes[i] >> 4];
        out += kHex[Value.Bytes[i] & 15];
      }
      return out + "\n" + std::string(static_cast<size_t>(Indent), ' ') + ">";
    }
  }
  return {};
}
