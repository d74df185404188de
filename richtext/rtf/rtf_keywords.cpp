#include "rtf_keywords.h"

#include <unordered_map>

namespace {

using K = TRtfKeyword;

const std::unordered_map<std::string_view, TRtfKeyword>& Table() {
  static const std::unordered_map<std::string_view, TRtfKeyword> table = {
      {"rtf", K::kwRtf}, {"ansi", K::kwAnsi}, {"mac", K::kwMac}, {"pc", K::kwPc}, {"pca", K::kwPca},
      {"ansicpg", K::kwAnsiCpg}, {"deff", K::kwDeff}, {"deftab", K::kwDefTab}, {"uc", K::kwUc},
      {"u", K::kwU},

      {"fonttbl", K::kwFontTable}, {"colortbl", K::kwColorTable}, {"field", K::kwField},
      {"fldinst", K::kwFieldInstruction}, {"fldrslt", K::kwFieldResult}, {"pict", K::kwPicture},
      {"shppict", K::kwShapePicture}, {"nonshppict", K::kwNonShapePicture}, {"object", K::kwObject},
      {"result", K::kwObjectResult}, {"shp", K::kwShape}, {"shprslt", K::kwShapeResult},
      {"pn", K::kwParaNumbering}, {"listtable", K::kwListTable}, {"listoverridetable", K::kwListOverrideTable},
      {"list", K::kwList}, {"listlevel", K::kwListLevel}, {"listoverride", K::kwListOverride},

      {"f", K::kwFont}, {"fnil", K::kwFontNil}, {"froman", K::kwFontRoman}, {"fswiss", K::kwFontSwiss},
      {"fmodern", K::kwFontModern}, {"fscript", K::kwFontScript}, {"fdecor", K::kwFontDecor},
      {"ftech", K::kwFontTech}, {"fbidi", K::kwFontBidi}, {"fcharset", K::kwFontCharset},
      {"fprq", K::kwFontPitch}, {"cpg", K::kwCodePage},

      {"red", K::kwRed}, {"green", K::kwGreen}, {"blue", K::kwBlue},

      {"plain", K::kwPlain}, {"b", K::kwBold}, {"i", K::kwItalic}, {"ul", K::kwUnderline},
      {"ulnone", K::kwUnderlineNone}, {"uld", K::kwUnderlineDotted}, {"uldb", K::kwUnderlineDouble},
      {"uldash", K::kwUnderlineDashed}, {"uldashd", K::kwUnderlineDashed}, {"uldashdd", K::kwUnderlineDashed},
      {"ulldash", K::kwUnderlineDashed}, {"ulw", K::kwUnderlineWords}, {"ulwave", K::kwUnderlineWave},
      {"ululdbwave", K::kwUnderlineWave}, {"ulhwave", K::kwUnderlineWave}, {"ulth", K::kwUnderlineThick},
      {"ulthd", K::kwUnderlineThick}, {"ulthdash", K::kwUnderlineThick}, {"strike", K::kwStrike},
      {"striked", K::kwStrike}, {"fs", K::kwFontSize}, {"cf", K::kwColor}, {"highlight", K::kwHighlight},
      {"cb", K::kwBackground}, {"chcbpat", K::kwBackground}, {"super", K::kwSuper}, {"sub", K::kwSub},
      {"nosupersub", K::kwNoSuperSub}, {"v", K::kwHidden},

      {"pard", K::kwPard}, {"ql", K::kwAlignLeft}, {"qc", K::kwAlignCenter}, {"qr", K::kwAlignRight},
      {"qj", K::kwAlignJustify}, {"qd", K::kwAlignJustify}, {"li", K::kwLeftIndent}, {"lin", K::kwLeftIndent},
      {"ri", K::kwRightIndent}, {"rin", K::kwRightIndent}, {"fi", K::kwFirstIndent},
      {"sb", K::kwSpaceBefore}, {"sa", K::kwSpaceAfter}, {"sl", K::kwLineSpacing},
      {"slmult", K::kwLineMultiple}, {"tx", K::kwTabPosition}, {"tqr", K::kwTabRight},
      {"tqc", K::kwTabCenter}, {"tqdec", K::kwTabDecimal}, {"ls", K::kwListIndex}, {"ilvl", K::kwListLevelIndex},

      {"pnlvlblt", K::kwPnBullet}, {"pnlvlbody", K::kwPnBody}, {"pnlvlcont", K::kwPnContinue},
      {"pnlvl", K::kwPnLevel}, {"pndec", K::kwPnDecimal}, {"pnlcltr", K::kwPnLowerLetter},
      {"pnucltr", K::kwPnUpperLetter}, {"pnlcrm", K::kwPnLowerRoman}, {"pnucrm", K::kwPnUpperRoman},
      {"pnstart", K::kwPnStart},

      {"listid", K::kwListId}, {"levelnfc", K::kwLevelNumberFormat}, {"levelnfcn", K::kwLevelNumberFormat},
      {"levelstartat", K::kwLevelStartAt},

      {"par", K::kwPar}, {"sect", K::kwSect}, {"line", K::kwLine}, {"page", K::kwPage}, {"tab", K::kwTab},
      {"cell", K::kwCell}, {"nestcell", K::kwCell}, {"row", K::kwRow}, {"nestrow", K::kwRow},
      {"column", K::kwSect}, {"emdash", K::kwEmDash}, {"endash", K::kwEnDash}, {"bullet", K::kwBullet},
      {"lquote", K::kwLeftQuote}, {"rquote", K::kwRightQuote}, {"ldblquote", K::kwLeftDoubleQuote},
      {"rdblquote", K::kwRightDoubleQuote}, {"emspace", K::kwEmSpace}, {"enspace", K::kwEnSpace},
      {"qmspace", K::kwQuarterEmSpace}, {"zwj", K::kwZeroWidthJoiner}, {"zwnj", K::kwZeroWidthNonJoiner},
      {"zwbo", K::kwZeroWidthBreak}, {"zwnbo", K::kwZeroWidthNoBreak}, {"ltrmark", K::kwLtrMark},
      {"rtlmark", K::kwRtlMark},

      {"pngblip", K::kwPng}, {"jpegblip", K::kwJpeg}, {"emfblip", K::kwEmf}, {"wmetafile", K::kwWmf},
      {"dibitmap", K::kwDib}, {"wbitmap", K::kwBitmap}, {"picw", K::kwPicWidth}, {"pich", K::kwPicHeight},
      {"picwgoal", K::kwPicGoalWidth}, {"pichgoal", K::kwPicGoalHeight}, {"picscalex", K::kwPicScaleX},
      {"picscaley", K::kwPicScaleY},

      // Destinations whose text is never part of the shown document.
      {"stylesheet", K::kwSkipDestination}, {"info", K::kwSkipDestination},
      {"header", K::kwSkipDestination}, {"headerl", K::kwSkipDestination},
      {"headerr", K::kwSkipDestination}, {"headerf", K::kwSkipDestination},
      {"footer", K::kwSkipDestination}, {"footerl", K::kwSkipDestination},
      {"footerr", K::kwSkipDestination}, {"footerf", K::kwSkipDestination},
      {"footnote", K::kwSkipDestination}, {"annotation", K::kwSkipDestination},
      {"atnid", K::kwSkipDestination}, {"atnauthor", K::kwSkipDestination},
      {"pntext", K::kwSkipDestination}, {"pntxta", K::kwSkipDestination},
      {"pntxtb", K::kwSkipDestination}, {"listtext", K::kwSkipDestination},
      {"leveltext", K::kwSkipDestination}, {"levelnumbers", K::kwSkipDestination},
      {"listname", K::kwSkipDestination}, {"shpinst", K::kwSkipDestination},
      {"rsidtbl", K::kwSkipDestination}, {"generator", K::kwSkipDestination},
      {"xmlnstbl", K::kwSkipDestination}, {"themedata", K::kwSkipDestination},
      {"colorschememapping", K::kwSkipDestination}, {"latentstyles", K::kwSkipDestination},
      {"datastore", K::kwSkipDestination}, {"revtbl", K::kwSkipDestination},
      {"filetbl", K::kwSkipDestination}, {"private", K::kwSkipDestination},
      {"userprops", K::kwSkipDestination}, {"docvar", K::kwSkipDestination},
      {"template", K::kwSkipDestination}, {"xe", K::kwSkipDestination}, {"tc", K::kwSkipDestination},
      {"bkmkstart", K::kwSkipDestination}, {"bkmkend", K::kwSkipDestination},
      {"objdata", K::kwSkipDestination}, {"objclass", K::kwSkipDestination},
      {"comment", K::kwSkipDestination}, {"title", K::kwSkipDestination},
      {"subject", K::kwSkipDestination}, {"author", K::kwSkipDestination},
      {"operator", K::kwSkipDestination}, {"keywords", K::kwSkipDestination},
      {"doccomm", K::kwSkipDestination}, {"buptim", K::kwSkipDestination},
      {"creatim", K::kwSkipDestination}, {"revtim", K::kwSkipDestination},
      {"printim", K::kwSkipDestination}, {"mmathPr", K::kwSkipDestination},
      {"pgdsctbl", K::kwSkipDestination}, {"ftnsep", K::kwSkipDestination},
      {"ftnsepc", K::kwSkipDestination}, {"aftnsep", K::kwSkipDestination},
      {"aftnsepc", K::kwSkipDestination}, {"picprop", K::kwSkipDestination},
      {"blipuid", K::kwSkipDestination}, {"fldtype", K::kwSkipDestination},
      {"falt", K::kwSkipDestination}, {"panose", K::kwSkipDestination},
  };
  return table;
}

}  // namespace

TRtfKeyword LookUpKeyword(std::string_view word) {
  const auto& table = Table();
  auto it = table.find(word);
  return it == table.end() ? TRtfKeyword::kwUnknown : it->second;
}
