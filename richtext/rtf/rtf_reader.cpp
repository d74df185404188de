#include "rtf_reader.h"

#include <algorithm>

#include "rtf_reader_impl.h"

namespace {

using K = TRtfKeyword;
using D = TRtfDestination;

constexpr int kMaxIndent = 31680;  // 22 inches: more than any page, and safe to lay out
constexpr int kMaxHalfPoints = 3276;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

int Clamp(std::int32_t value, int low, int high) {
  return std::clamp(static_cast<int>(value), low, high);
}

// \slN and \slmult may come in either order; the rule follows from both.
void ApplyLineSpacing(TRtfGroupState& state) {
  TRtfParaFormat& para = state.paragraph;
  const int raw = state.rawLineSpacing;
  para.lineSpacing = raw < 0 ? -raw : raw;
  if (raw == 0) {
    para.lineSpacingRule = TRtfLineSpacingRule::lsSingle;
  } else if (state.lineSpacingMultiple) {
    para.lineSpacingRule = TRtfLineSpacingRule::lsMultiple;
  } else {
    para.lineSpacingRule = raw < 0 ? TRtfLineSpacingRule::lsExactly : TRtfLineSpacingRule::lsAtLeast;
  }
}

// A control word without a number switches on; with 0 it switches off.
bool Toggle(const TRtfToken& token) {
  return !token.hasParameter || token.parameter != 0;
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

TRtfReadResult TRtfReader::Read() {
  bool open = true;
  for (TRtfToken token = lexer_.Next(); token.kind != TRtfTokenKind::tkEnd; token = lexer_.Next()) {
    if (token.kind == TRtfTokenKind::tkGroupOpen || token.kind == TRtfTokenKind::tkGroupClose) {
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
    if (b >= 0x20 && b < 0x7F) {
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
    case D::dsFieldInstruction:
    case D::dsFontTable: {
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
    default:
      break;
  }
}

void TRtfReader::HandleHexByte(std::uint8_t byte) {
  if (State().destination == D::dsFontTable) {
    // An escaped byte is part of the name even when it is a ";".
    if (fontPending_ && byte >= 0x20 && byte != 0x7F) CurrentCodePage().AppendDecoded(font_.name, byte);
    return;
  }
  const char c = static_cast<char>(byte);
  HandleText(std::string_view(&c, 1));
}

void TRtfReader::HandleBinary(std::string_view bytes) {
  if (State().destination == D::dsPicture)
    picture_.data.insert(picture_.data.end(), bytes.begin(), bytes.end());
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

void TRtfReader::FlushSurrogate() {
  if (!highSurrogate_) return;
  // A high surrogate that no low one follows stands for nothing readable.
  highSurrogate_ = 0;
  EmitText("\xEF\xBF\xBD");
}

void TRtfReader::EmitText(std::string_view utf8) {
  if (utf8.empty()) return;
  FlushSurrogate();
  switch (State().destination) {
    case D::dsBody: {
      if (State().hidden) return;
      std::size_t start = 0;
      for (std::size_t tab = utf8.find('\t'); tab != std::string_view::npos; tab = utf8.find('\t', start)) {
        if (tab > start) AppendText(paragraph_, EmitFormat(), utf8.substr(start, tab - start));
        EmitItem(TRtfInlineKind::ikTab);
        start = tab + 1;
      }
      if (start < utf8.size()) AppendText(paragraph_, EmitFormat(), utf8.substr(start));
      break;
    }
    case D::dsFieldInstruction: {
      const int field = State().fieldIndex;
      if (field >= 0) fields_[static_cast<std::size_t>(field)].instruction.append(utf8);
      break;
    }
    case D::dsFontTable:
      HandleFontTableText(utf8);
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
  if (State().destination != D::dsBody || State().hidden) return;
  AppendItem(paragraph_, kind, EmitFormat(), pictureIndex);
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
    case D::dsParaNumbering:
      HandleNumberingWord(keyword, token);
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

void TRtfReader::HandleBodyWord(TRtfKeyword keyword, const TRtfToken& token) {
  TRtfGroupState& state = State();
  TRtfCharFormat& ch = state.character;
  TRtfParaFormat& para = state.paragraph;
  const std::int32_t n = token.parameter;
  switch (keyword) {
    // Document
    case K::kwAnsi:
      documentCodePage_ = 1252;
      codePage_ = nullptr;
      break;
    case K::kwMac:
      documentCodePage_ = 10000;
      codePage_ = nullptr;
      break;
    case K::kwPc:
      documentCodePage_ = 437;
      codePage_ = nullptr;
      break;
    case K::kwPca:
      documentCodePage_ = 850;
      codePage_ = nullptr;
      break;
    case K::kwAnsiCpg:
      if (n > 0) documentCodePage_ = n, codePage_ = nullptr;
      break;
    case K::kwDeff:
      defaultFontNumber_ = n;
      break;
    case K::kwDefTab:
      document_.defaultTabWidth = n > 0 ? std::min(n, kMaxIndent) : TRtfDocument::kDefaultTabWidth;
      break;

    // Character formats
    case K::kwPlain:
      ch = TRtfCharFormat();
      ch.fontIndex = defaultFontIndex_;
      state.hidden = false;
      break;
    case K::kwBold:
      ch.bold = Toggle(token);
      break;
    case K::kwItalic:
      ch.italic = Toggle(token);
      break;
    case K::kwStrike:
      ch.strikeOut = Toggle(token);
      break;
    case K::kwUnderline:
      ch.underline = Toggle(token) ? TRtfUnderline::ulSingle : TRtfUnderline::ulNone;
      break;
    case K::kwUnderlineNone:
      ch.underline = TRtfUnderline::ulNone;
      break;
    case K::kwUnderlineDotted:
      ch.underline = Toggle(token) ? TRtfUnderline::ulDotted : TRtfUnderline::ulNone;
      break;
    case K::kwUnderlineDouble:
      ch.underline = Toggle(token) ? TRtfUnderline::ulDouble : TRtfUnderline::ulNone;
      break;
    case K::kwUnderlineDashed:
      ch.underline = Toggle(token) ? TRtfUnderline::ulDashed : TRtfUnderline::ulNone;
      break;
    case K::kwUnderlineWords:
      ch.underline = Toggle(token) ? TRtfUnderline::ulWords : TRtfUnderline::ulNone;
      break;
    case K::kwUnderlineWave:
      ch.underline = Toggle(token) ? TRtfUnderline::ulWave : TRtfUnderline::ulNone;
      break;
    case K::kwUnderlineThick:
      ch.underline = Toggle(token) ? TRtfUnderline::ulThick : TRtfUnderline::ulNone;
      break;
    case K::kwFontSize:
      ch.halfPoints = n > 0 ? std::min(n, kMaxHalfPoints) : TRtfCharFormat::kDefaultHalfPoints;
      break;
    case K::kwFont: {
      auto it = fontIndexByNumber_.find(n);
      ch.fontIndex = it != fontIndexByNumber_.end() ? it->second : defaultFontIndex_;
      break;
    }
    case K::kwColor:
      ch.colorIndex = std::max(0, static_cast<int>(n));
      break;
    case K::kwHighlight:
    case K::kwBackground:
      ch.highlightIndex = std::max(0, static_cast<int>(n));
      break;
    case K::kwSuper:
      ch.verticalAlign = TRtfVerticalAlign::vaSuperscript;
      break;
    case K::kwSub:
      ch.verticalAlign = TRtfVerticalAlign::vaSubscript;
      break;
    case K::kwNoSuperSub:
      ch.verticalAlign = TRtfVerticalAlign::vaNormal;
      break;
    case K::kwHidden:
      state.hidden = Toggle(token);
      break;

    // Paragraph formats
    case K::kwPard:
      para = TRtfParaFormat();
      state.listOverride = 0;
      state.listLevel = 0;
      state.nextTabKind = TRtfTabKind::tkLeft;
      state.rawLineSpacing = 0;
      state.lineSpacingMultiple = false;
      break;
    case K::kwAlignLeft:
      para.alignment = TRtfAlignment::alLeft;
      break;
    case K::kwAlignCenter:
      para.alignment = TRtfAlignment::alCenter;
      break;
    case K::kwAlignRight:
      para.alignment = TRtfAlignment::alRight;
      break;
    case K::kwAlignJustify:
      para.alignment = TRtfAlignment::alJustify;
      break;
    case K::kwLeftIndent:
      para.leftIndent = Clamp(n, -kMaxIndent, kMaxIndent);
      break;
    case K::kwRightIndent:
      para.rightIndent = Clamp(n, -kMaxIndent, kMaxIndent);
      break;
    case K::kwFirstIndent:
      para.firstIndent = Clamp(n, -kMaxIndent, kMaxIndent);
      break;
    case K::kwSpaceBefore:
      para.spaceBefore = Clamp(n, 0, kMaxIndent);
      break;
    case K::kwSpaceAfter:
      para.spaceAfter = Clamp(n, 0, kMaxIndent);
      break;
    case K::kwLineSpacing:
      state.rawLineSpacing = Clamp(n, -kMaxIndent, kMaxIndent);
      ApplyLineSpacing(state);
      break;
    case K::kwLineMultiple:
      state.lineSpacingMultiple = Toggle(token);
      ApplyLineSpacing(state);
      break;
    case K::kwTabRight:
      state.nextTabKind = TRtfTabKind::tkRight;
      break;
    case K::kwTabCenter:
      state.nextTabKind = TRtfTabKind::tkCenter;
      break;
    case K::kwTabDecimal:
      state.nextTabKind = TRtfTabKind::tkDecimal;
      break;
    case K::kwTabPosition:
      if (para.tabs.size() < static_cast<std::size_t>(TRtfParaFormat::kMaxTabStops)) {
        para.tabs.push_back(TRtfTabStop{Clamp(n, 0, kMaxIndent), state.nextTabKind});
      }
      state.nextTabKind = TRtfTabKind::tkLeft;
      break;
    case K::kwListIndex:
      state.listOverride = std::max(0, static_cast<int>(n));
      break;
    case K::kwListLevelIndex:
      state.listLevel = Clamp(n, 0, 8);
      break;

    // Breaks and special characters
    case K::kwPar:
    case K::kwSect:
    case K::kwRow:
      EndParagraph();
      break;
    case K::kwLine:
      EmitItem(TRtfInlineKind::ikLineBreak);
      break;
    case K::kwPage:
      EmitItem(TRtfInlineKind::ikPageBreak);
      break;
    case K::kwTab:
    case K::kwCell:
      EmitItem(TRtfInlineKind::ikTab);
      break;
    case K::kwEmDash:
      EmitCodePoint(0x2014);
      break;
    case K::kwEnDash:
      EmitCodePoint(0x2013);
      break;
    case K::kwBullet:
      EmitCodePoint(0x2022);
      break;
    case K::kwLeftQuote:
      EmitCodePoint(0x2018);
      break;
    case K::kwRightQuote:
      EmitCodePoint(0x2019);
      break;
    case K::kwLeftDoubleQuote:
      EmitCodePoint(0x201C);
      break;
    case K::kwRightDoubleQuote:
      EmitCodePoint(0x201D);
      break;
    case K::kwEmSpace:
      EmitCodePoint(0x2003);
      break;
    case K::kwEnSpace:
      EmitCodePoint(0x2002);
      break;
    case K::kwQuarterEmSpace:
      EmitCodePoint(0x2005);
      break;
    case K::kwZeroWidthJoiner:
      EmitCodePoint(0x200D);
      break;
    case K::kwZeroWidthNonJoiner:
      EmitCodePoint(0x200C);
      break;
    case K::kwZeroWidthBreak:
      EmitCodePoint(0x200B);
      break;
    case K::kwZeroWidthNoBreak:
      EmitCodePoint(0x2060);
      break;
    case K::kwLtrMark:
      EmitCodePoint(0x200E);
      break;
    case K::kwRtlMark:
      EmitCodePoint(0x200F);
      break;
    default:
      break;
  }
}
