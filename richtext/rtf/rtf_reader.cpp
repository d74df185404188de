#include "rtf_reader.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "rtf_reader_impl.h"

namespace {

using D = TRtfDestination;
using K = TRtfKeyword;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

}  // namespace

bool LooksLikeRtf(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size() && IsSpace(bytes[pos]))
    ++pos;
  return bytes.substr(pos, 5) == "{\\rtf";
}

TRtfReadResult ReadRtf(std::string_view bytes) {
  if (!LooksLikeRtf(bytes)) return {};
  return TRtfReader(bytes).Read();
}

TRtfReader::TRtfReader(std::string_view input) : lexer_(input.substr(input.find('{') + 1)) {
  stack_.reserve(64);
  stack_.emplace_back();
}

namespace {

// A field's target enters the table when its result's text is formatted; text that then goes
// nowhere (a skipped list label, say) leaves a target no item links to, and such text can come
// before the text that first uses an earlier target. The table is put in the order the items first
// link to each target, without the unused ones: exactly what a writer writes and a reader reads back.
void NumberLinksByFirstUse(TRtfDocument& document) {
  const int count = static_cast<int>(document.links.size());
  std::vector<int> renumbered(document.links.size(), -1);
  std::vector<std::string> ordered;
  for (const TRtfParagraph& paragraph : document.paragraphs) {
    for (const TRtfInline& item : paragraph.items) {
      const int link = item.format.linkIndex;
      if (link < 0 || link >= count || renumbered[static_cast<std::size_t>(link)] >= 0) continue;
      renumbered[static_cast<std::size_t>(link)] = static_cast<int>(ordered.size());
      ordered.push_back(document.links[static_cast<std::size_t>(link)]);
    }
  }
  for (TRtfParagraph& paragraph : document.paragraphs) {
    for (TRtfInline& item : paragraph.items) {
      int& link = item.format.linkIndex;
      if (link >= 0 && link < count) link = renumbered[static_cast<std::size_t>(link)];
    }
  }
  document.links = std::move(ordered);
}

}  // namespace

TRtfReadResult TRtfReader::Read() {
  bool open = true;
  for (TRtfToken token = lexer_.Next(); token.kind != TRtfTokenKind::tkEnd; token = lexer_.Next()) {
    if (token.kind == TRtfTokenKind::tkGroupOpen || token.kind == TRtfTokenKind::tkGroupClose) {
      DropLeadByte();
      skipRemaining_ = 0;
      ignorableNext_ = false;
      if (token.kind == TRtfTokenKind::tkGroupOpen) {
        OpenGroup();
      } else if (!CloseGroup()) {
        open = false;
        break;
      }
      continue;
    }
    // A lead byte of a double-byte character waits for its trail in the next text or escaped byte;
    // anything else first ends it as a character that could not be read.
    if (leadByte_ != 0 && token.kind != TRtfTokenKind::tkText && token.kind != TRtfTokenKind::tkHexByte) {
      DropLeadByte();
    }
    if (State().destination == D::dsSkip) continue;
    if (skipRemaining_ > 0) {
      // The characters that stand in for a \uN for readers without Unicode: a control word, a symbol,
      // an escaped byte or a binary block counts as one, text one per byte.
      if (token.kind != TRtfTokenKind::tkText) {
        --skipRemaining_;
        continue;
      }
      const auto skip = static_cast<std::size_t>(std::min<std::int64_t>(skipRemaining_, token.text.size()));
      skipRemaining_ -= static_cast<std::int64_t>(skip);
      token.text.remove_prefix(skip);
      if (token.text.empty()) continue;
    }
    switch (token.kind) {
      case TRtfTokenKind::tkControlWord:
        HandleControlWord(token);
        break;
      case TRtfTokenKind::tkControlSymbol:
        HandleControlSymbol(token.text[0]);
        break;
      case TRtfTokenKind::tkText:
        HandleText(token.text);
        break;
      case TRtfTokenKind::tkHexByte:
        HandleHexByte(token.byte);
        break;
      case TRtfTokenKind::tkBinary:
        HandleBinary(token.text);
        break;
      default:
        break;
    }
    if (token.kind != TRtfTokenKind::tkControlSymbol || token.text[0] != '*') ignorableNext_ = false;
  }
  if (open) {
    // Truncated: close what is still open, so that every destination is finished.
    DropLeadByte();
    damaged_ = true;
    overflowDepth_ = 0;
    while (CloseGroup()) {
    }
  } else {
    // After the document's last brace only white space (or the 0 byte some writers append) may follow.
    for (TRtfToken token = lexer_.Next(); token.kind != TRtfTokenKind::tkEnd; token = lexer_.Next()) {
      if (token.kind != TRtfTokenKind::tkText ||
          token.text.find_first_not_of(std::string_view(" \t\f\v\0", 5)) != std::string_view::npos) {
        damaged_ = true;
        break;
      }
    }
  }
  NumberLinksByFirstUse(document_);
  TRtfReadResult result;
  result.status = TRtfReadStatus::rsOk;
  result.document = std::move(document_);
  result.damaged = damaged_;
  return result;
}

void TRtfReader::OpenGroup() {
  if (stack_.size() >= kMaxDepth) {
    ++overflowDepth_;
    damaged_ = true;
    return;
  }
  TRtfGroupState child = State();
  child.startsDestination = false;
  stack_.push_back(std::move(child));
}

bool TRtfReader::CloseGroup() {
  if (overflowDepth_ > 0) {
    --overflowDepth_;
    return true;
  }
  if (State().startsDestination) FinishDestination(State());
  if (stack_.size() == 1) {
    // The document's own group: the text after the last \par is a paragraph of its own.
    if (!paragraph_.items.empty()) EndParagraph();
    return false;
  }
  stack_.pop_back();
  return true;
}

const TRtfCodePage& TRtfReader::CurrentCodePage() {
  if (State().destination == D::dsFontTable && fontPending_) {
    // A font's name is written in the font's own code page.
    return TRtfCodePage::Get(font_.codePage > 0 ? font_.codePage
                                                : CodePageOfCharset(font_.charset, documentCodePage_));
  }
  const int fontIndex = State().character.fontIndex;
  if (codePage_ && fontIndex == codePageFont_) return *codePage_;
  int number = documentCodePage_;
  if (const TRtfFont* font = document_.FontAt(fontIndex)) {
    number = font->codePage > 0 ? font->codePage : CodePageOfCharset(font->charset, documentCodePage_);
  }
  if (!codePage_ || number != codePageNumber_) codePage_ = &TRtfCodePage::Get(number);
  codePageFont_ = fontIndex;
  codePageNumber_ = number;
  return *codePage_;
}

void TRtfReader::DecodeBytes(std::string_view bytes, std::string& out, const TRtfCodePage& codePage) {
  for (const char c : bytes) {
    const auto b = static_cast<std::uint8_t>(c);
    if (leadByte_ != 0) {
      // Line ends in the RTF source are no text, not even between the two bytes of a character.
      if (b == '\r' || b == '\n') continue;
      const std::uint8_t lead = std::exchange(leadByte_, 0);
      if (const char32_t cp = codePage.ToUnicode(lead, b)) {
        AppendUtf8(out, cp);
        continue;
      }
      // A lead byte without a trail that fits it: one unreadable character, and this byte on its own.
      AppendUtf8(out, 0xFFFD);
    }
    if (codePage.IsLeadByte(b)) {
      leadByte_ = b;
    } else if (b >= 0x20 && b < 0x7F) {
      out.push_back(c);
    } else if (b >= 0x80) {
      codePage.AppendDecoded(out, b);
    } else if (b == '\t') {
      out.push_back('\t');
    }
    // Other control characters, the 0 byte and DEL among them, carry nothing in RTF text.
  }
}

void TRtfReader::HandleText(std::string_view bytes) {
  switch (State().destination) {
    case D::dsBody:
    case D::dsListText:
    case D::dsFieldInstruction:
    case D::dsFontTable:
    case D::dsObjectClass:
    case D::dsObjectName: {
      scratch_.clear();
      DecodeBytes(bytes, scratch_, CurrentCodePage());
      EmitText(scratch_);
      break;
    }
    case D::dsColorTable:
      HandleColorTableText(bytes);
      break;
    case D::dsPicture:
      HandlePictureText(bytes);
      break;
    case D::dsObjectData:
      HandleObjectData(bytes);
      break;
    default:
      break;
  }
}

void TRtfReader::HandleHexByte(std::uint8_t byte) {
  if (State().destination == D::dsFontTable) {
    // An escaped byte is part of the name even when it is a ";".
    if (fontPending_ && byte >= 0x20 && byte != 0x7F) {
      const char c = static_cast<char>(byte);
      DecodeBytes(std::string_view(&c, 1), font_.name, CurrentCodePage());
    }
    return;
  }
  const char c = static_cast<char>(byte);
  HandleText(std::string_view(&c, 1));
}

void TRtfReader::HandleBinary(std::string_view bytes) {
  if (State().destination == D::dsPicture)
    picture_.data.insert(picture_.data.end(), bytes.begin(), bytes.end());
  if (State().destination == D::dsObjectData)
    object_.data.insert(object_.data.end(), bytes.begin(), bytes.end());
}

void TRtfReader::HandleUnicode(std::int32_t value) {
  skipRemaining_ = State().skipAfterUnicode;
  char32_t cp = static_cast<char32_t>(value < 0 ? value + 65536 : value);
  if (value < -32768 || cp > 0xFFFF) return;  // not a UTF-16 unit
  if (cp >= 0xD800 && cp <= 0xDBFF) {
    if (highSurrogate_) {
      highSurrogate_ = 0;
      EmitCodePoint(0xFFFD);
    }
    highSurrogate_ = cp;
    return;
  }
  if (cp >= 0xDC00 && cp <= 0xDFFF) {
    cp = highSurrogate_ ? 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (cp - 0xDC00) : 0xFFFD;
    highSurrogate_ = 0;
    EmitCodePoint(cp);
    return;
  }
  EmitCodePoint(cp);
}

void TRtfReader::EmitCodePoint(char32_t cp) {
  switch (cp) {
    case '\t':
      scratch_.assign(1, '\t');
      break;
    case 0x2028:  // line and paragraph separators: line breaks, as the document holds them
    case 0x2029:
      if (State().destination == D::dsBody) EmitItem(TRtfInlineKind::ikLineBreak);
      return;
    case 0xFFFC:  // the object replacement character stands for pictures, which are items of their own
      return;
    default:
      if (cp < 0x20 || cp == 0x7F) return;
      scratch_.clear();
      AppendUtf8(scratch_, cp);
  }
  EmitText(scratch_);
}

void TRtfReader::DropLeadByte() {
  if (leadByte_ == 0) return;
  leadByte_ = 0;
  EmitCodePoint(0xFFFD);
}

void TRtfReader::FlushSurrogate() {
  if (!highSurrogate_) return;
  // A high surrogate that no low one follows stands for nothing readable.
  highSurrogate_ = 0;
  EmitText("\xEF\xBF\xBD");
}

void TRtfReader::AppendRun(TRtfParagraph& paragraph, std::string_view utf8) {
  if (State().hidden) return;
  std::size_t start = 0;
  for (std::size_t tab = utf8.find('\t'); tab != std::string_view::npos; tab = utf8.find('\t', start)) {
    if (tab > start) AppendText(paragraph, EmitFormat(), utf8.substr(start, tab - start));
    AppendItem(paragraph, TRtfInlineKind::ikTab, EmitFormat());
    start = tab + 1;
  }
  if (start < utf8.size()) AppendText(paragraph, EmitFormat(), utf8.substr(start));
}

void TRtfReader::EmitText(std::string_view utf8) {
  if (utf8.empty()) return;
  FlushSurrogate();
  switch (State().destination) {
    case D::dsBody:
      AppendRun(paragraph_, utf8);
      break;
    case D::dsListText:
      AppendRun(listText_, utf8);
      break;
    case D::dsFieldInstruction: {
      const int field = State().fieldIndex;
      if (field >= 0) fields_[static_cast<std::size_t>(field)].instruction.append(utf8);
      break;
    }
    case D::dsFontTable:
      HandleFontTableText(utf8);
      break;
    case D::dsObjectClass:
    case D::dsObjectName:
      HandleObjectName(utf8);
      break;
    default:
      break;
  }
}

TRtfCharFormat TRtfReader::EmitFormat() {
  TRtfCharFormat format = State().character;
  format.linkIndex = LinkIndexOf(State().linkField);
  return format;
}

void TRtfReader::EmitItem(TRtfInlineKind kind, int pictureIndex) {
  FlushSurrogate();
  if (State().hidden) return;
  if (State().destination == D::dsBody) AppendItem(paragraph_, kind, EmitFormat(), pictureIndex);
  // A number's text holds text and tabs; a picture or a break there would be a stray.
  if (State().destination == D::dsListText && kind == TRtfInlineKind::ikTab) {
    AppendItem(listText_, kind, EmitFormat());
  }
}

TRtfParaFormat TRtfReader::ResolvedParagraphFormat(const TRtfGroupState& state) const {
  TRtfParaFormat format = state.paragraph;
  if (format.numbering == TRtfNumbering::nmNone && state.listOverride > 0) {
    format.numbering = TRtfNumbering::nmBullet;
    auto over = listIdByOverride_.find(state.listOverride);
    if (over != listIdByOverride_.end()) {
      auto list = listsById_.find(over->second);
      if (list != listsById_.end() && !list->second.empty()) {
        const auto level = static_cast<std::size_t>(std::clamp(state.listLevel, 0, 8));
        const TListLevel& found = list->second[std::min(level, list->second.size() - 1)];
        format.numbering = found.numbering;
        format.numberingStart = found.start;
      }
    }
  }
  if (format.numbering == TRtfNumbering::nmNone || format.numbering == TRtfNumbering::nmBullet) {
    format.numberingStart = 1;
  }
  return format;
}

void TRtfReader::EndParagraph() {
  FlushSurrogate();
  paragraph_.format = ResolvedParagraphFormat(State());
  // The number the writer wrote as text is the only one there is when the model draws none itself.
  if (paragraph_.format.numbering == TRtfNumbering::nmNone && !listText_.items.empty()) {
    // Text of the same format on both sides of the seam is one run, as it would be read back.
    for (TRtfInline& item : paragraph_.items) {
      if (item.kind == TRtfInlineKind::ikText) {
        AppendText(listText_, item.format, item.text);
      } else {
        listText_.items.push_back(std::move(item));
      }
    }
    paragraph_.items = std::move(listText_.items);
  }
  listText_.items.clear();
  // Growth leaves up to half of a paragraph's item array unused; a document keeps many paragraphs.
  paragraph_.items.shrink_to_fit();
  document_.paragraphs.push_back(std::move(paragraph_));
  paragraph_ = TRtfParagraph();
}

void TRtfReader::HandleControlSymbol(char symbol) {
  switch (symbol) {
    case '*':
      ignorableNext_ = true;
      return;
    case '\\':
    case '{':
    case '}':
      EmitText(std::string_view(&symbol, 1));
      return;
    case '~':
      EmitCodePoint(0x00A0);
      return;
    case '-':
      EmitCodePoint(0x00AD);
      return;
    case '_':
      EmitCodePoint(0x2011);
      return;
    case '\r':
    case '\n':
      if (State().destination == D::dsBody) EndParagraph();
      return;
    default:
      return;
  }
}

void TRtfReader::HandleControlWord(const TRtfToken& token) {
  const TRtfKeyword keyword = LookUpKeyword(token.text);
  if (StartDestination(keyword)) return;
  if (ignorableNext_) {
    // An ignorable destination this reader does not know.
    State().destination = D::dsSkip;
    return;
  }
  switch (keyword) {
    case K::kwU:
      HandleUnicode(token.parameter);
      return;
    case K::kwUc:
      State().skipAfterUnicode = std::max(0, static_cast<int>(token.parameter));
      return;
    default:
      break;
  }
  switch (State().destination) {
    case D::dsBody:
      HandleBodyWord(keyword, token);
      break;
    case D::dsFieldInstruction:
      if (keyword == K::kwTab) EmitText("\t");
      break;
    case D::dsFontTable:
      HandleFontTableWord(keyword, token);
      break;
    case D::dsColorTable:
      HandleColorTableWord(keyword, token);
      break;
    case D::dsPicture:
      HandlePictureWord(keyword, token);
      break;
    case D::dsContainer:
      if (keyword == K::kwObjectEmbedded && stack_.size() == objectDepth_) objectEmbedded_ = true;
      break;
    case D::dsParaNumbering:
      HandleNumberingWord(keyword, token);
      break;
    case D::dsListText:
      // Formats and special characters as in the body; a paragraph or row end there would be a stray.
      if (keyword != K::kwPar && keyword != K::kwSect && keyword != K::kwRow) HandleBodyWord(keyword, token);
      break;
    case D::dsListTable:
    case D::dsList:
    case D::dsListLevel:
    case D::dsListOverrideTable:
    case D::dsListOverride:
      HandleListWord(keyword, token);
      break;
    default:
      break;
  }
}
