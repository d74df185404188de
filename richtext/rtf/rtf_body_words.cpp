// The control words of the shown text: document settings, character and paragraph formats, breaks and
// special characters.

#include <algorithm>

#include "rtf_reader_impl.h"

namespace {

using K = TRtfKeyword;

constexpr int kMaxIndent = 31680;  // 22 inches: more than any page, and safe to lay out
constexpr int kMaxHalfPoints = 3276;

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
