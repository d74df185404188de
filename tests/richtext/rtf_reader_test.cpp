// What the reader makes of each RTF construct.

#include <gtest/gtest.h>

#include "rtf_reader.h"
#include "rtf_test_support.h"

namespace {

TRtfDocument Read(std::string_view rtf) {
  TRtfReadResult result = ReadRtf(rtf);
  EXPECT_EQ(result.status, TRtfReadStatus::rsOk) << rtf;
  EXPECT_FALSE(result.damaged) << rtf;
  return std::move(result.document);
}

const TRtfInline& Item(const TRtfDocument& doc, std::size_t paragraph, std::size_t item) {
  return doc.paragraphs.at(paragraph).items.at(item);
}

TEST(RtfReader, RefusesWhatIsNotRtf) {
  for (std::string_view input : {"", "hello", "{rtf1 x}", "\\rtf1", "{\\RTF1 x}", "  {\\rt"}) {
    const TRtfReadResult result = ReadRtf(input);
    EXPECT_EQ(result.status, TRtfReadStatus::rsNotRtf) << input;
    EXPECT_TRUE(result.document.paragraphs.empty());
  }
  EXPECT_EQ(ReadRtf(" \r\n\t{\\rtf1 x}").status, TRtfReadStatus::rsOk);
  EXPECT_EQ(ReadRtf("{\\rtf").status, TRtfReadStatus::rsOk);
}

TEST(RtfReader, SplitsParagraphsAndKeepsTextAfterTheLastPar) {
  const TRtfDocument doc = Read("{\\rtf1 one\\par two\\par\r\nthree}");
  EXPECT_EQ(TextOf(doc), "one\ntwo\nthree");
  // Line ends in the source are no text; a trailing \par leaves no empty paragraph behind.
  EXPECT_EQ(TextOf(Read("{\\rtf1 a\r\nb\\par}")), "ab");
  EXPECT_EQ(TextOf(Read("{\\rtf1 a\\par\\par}")), "a\n");
  EXPECT_TRUE(Read("{\\rtf1}").paragraphs.empty());
}

TEST(RtfReader, ControlWordsTakeParametersAndOneDelimitingSpace) {
  const TRtfDocument doc = Read("{\\rtf1 {\\b  x}{\\fs-5 y}{\\fs40z}{\\i0 w}\\b1\\b0 v}");
  EXPECT_EQ(Item(doc, 0, 0).text, " x");
  EXPECT_TRUE(Item(doc, 0, 0).format.bold);
  EXPECT_EQ(Item(doc, 0, 1).format.halfPoints, 24);  // a negative size is no size
  EXPECT_EQ(Item(doc, 0, 2).format.halfPoints, 40);
  EXPECT_EQ(Item(doc, 0, 2).text, "z");
  EXPECT_EQ(Item(doc, 0, 3).text, "wv");  // same format as after the groups: joined into one run
}

TEST(RtfReader, ControlSymbolsAndSpecialCharacters) {
  const TRtfDocument doc = Read(
      "{\\rtf1 "
      "\\{\\}\\\\\\~\\-\\_\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote\\emspace\\enspace"
      "\\zwj\\zwnj}");
  EXPECT_EQ(TextOf(doc),
            "{}\\\u00A0\u00AD\u2011\u2014\u2013\u2022\u2018\u2019\u201C\u201D\u2003\u2002\u200D\u200C");
  // A backslash before a line end is a paragraph break.
  EXPECT_EQ(TextOf(Read("{\\rtf1 a\\\nb}")), "a\nb");
}

TEST(RtfReader, FontAndColourTables) {
  const TRtfDocument doc = Read(
      "{\\rtf1\\deff1{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}{\\f1\\fswiss\\fprq2 Arial;}"
      "{\\f5\\fmodern{\\*\\panose 02070309}Courier New;}\\f7\\fnil Plain Font;}"
      "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue255;}"
      "a{\\f5\\cf2 b}{\\f0\\cf1 c}{\\f99 d}\\plain e}");
  ASSERT_EQ(doc.fonts.size(), 4u);
  EXPECT_EQ(doc.fonts[0].name, "Times New Roman");
  EXPECT_EQ(doc.fonts[0].family, TRtfFontFamily::ffRoman);
  EXPECT_EQ(doc.fonts[1].name, "Arial");
  EXPECT_EQ(doc.fonts[1].pitch, 2);
  EXPECT_EQ(doc.fonts[2].name, "Courier New");
  EXPECT_EQ(doc.fonts[3].name, "Plain Font");
  ASSERT_EQ(doc.colors.size(), 3u);
  EXPECT_TRUE(doc.colors[0].isAuto);
  EXPECT_EQ(doc.colors[2], (TRtfColor{0, 128, 255, false}));
  // Text without \f takes the \deff font; an unknown font number does too.
  EXPECT_EQ(Item(doc, 0, 0).format.fontIndex, 1);
  EXPECT_EQ(Item(doc, 0, 1).format.fontIndex, 2);
  EXPECT_EQ(Item(doc, 0, 1).format.colorIndex, 2);
  EXPECT_EQ(Item(doc, 0, 2).format.fontIndex, 0);
  EXPECT_EQ(Item(doc, 0, 3).format.fontIndex, 1);
  EXPECT_EQ(TextOf(doc), "abcde");
  EXPECT_EQ(doc.TextColorOf(Item(doc, 0, 0).format), nullptr);
  EXPECT_EQ(doc.TextColorOf(Item(doc, 0, 2).format)->red, 255);
}

TEST(RtfReader, CharacterFormats) {
  const TRtfDocument doc = Read(
      "{\\rtf1{\\colortbl;\\red1\\green2\\blue3;\\red255\\green255\\blue0;}"
      "{\\b\\i\\strike\\ul a}{\\uldb b}{\\uld c}{\\uldash d}{\\ulwave e}{\\ulw f}{\\ulth g}{\\ul\\ulnone h}"
      "{\\super i}{\\sub j}{\\highlight2 k}{\\cb2 l}{\\fs18 m}{\\b\\plain n}{\\v hidden}o}");
  const auto& items = doc.paragraphs.at(0).items;
  ASSERT_EQ(TextOf(doc), "abcdefghijklmno");
  const TRtfCharFormat& a = items[0].format;
  EXPECT_TRUE(a.bold && a.italic && a.strikeOut);
  EXPECT_EQ(a.underline, TRtfUnderline::ulSingle);
  EXPECT_EQ(items[1].format.underline, TRtfUnderline::ulDouble);
  EXPECT_EQ(items[2].format.underline, TRtfUnderline::ulDotted);
  EXPECT_EQ(items[3].format.underline, TRtfUnderline::ulDashed);
  EXPECT_EQ(items[4].format.underline, TRtfUnderline::ulWave);
  EXPECT_EQ(items[5].format.underline, TRtfUnderline::ulWords);
  EXPECT_EQ(items[6].format.underline, TRtfUnderline::ulThick);
  EXPECT_EQ(items[7].format, TRtfCharFormat());
  EXPECT_EQ(items[7].text, "h");
  EXPECT_EQ(items[8].format.verticalAlign, TRtfVerticalAlign::vaSuperscript);
  EXPECT_EQ(items[9].format.verticalAlign, TRtfVerticalAlign::vaSubscript);
  EXPECT_EQ(items[10].format.highlightIndex, 2);
  EXPECT_EQ(items[10].text, "kl");  // \highlight and \cb are the same to the model
  EXPECT_EQ(items[11].format.halfPoints, 18);
  EXPECT_EQ(items[12].text, "no");  // \plain, and hidden text in between leaves nothing
  EXPECT_EQ(items[12].format, TRtfCharFormat());
}

TEST(RtfReader, ParagraphFormatsAreGroupScopedAndResetByPard) {
  const TRtfDocument doc = Read(
      "{\\rtf1\\pard\\qc\\li720\\ri360\\fi-360\\sb120\\sa240\\sl-300\\slmult0 a\\par"
      "\\qr b\\par\\pard\\qj\\sl360\\slmult1 c\\par{\\pard\\ql\\sl200 d\\par}e\\par"
      "\\pard\\tx720\\tqc\\tx2880\\tqr\\tx5760\\tqdec\\tx7200 f\\par}");
  ASSERT_EQ(doc.paragraphs.size(), 6u);
  const TRtfParaFormat& a = doc.paragraphs[0].format;
  EXPECT_EQ(a.alignment, TRtfAlignment::alCenter);
  EXPECT_EQ(a.leftIndent, 720);
  EXPECT_EQ(a.rightIndent, 360);
  EXPECT_EQ(a.firstIndent, -360);
  EXPECT_EQ(a.spaceBefore, 120);
  EXPECT_EQ(a.spaceAfter, 240);
  EXPECT_EQ(a.lineSpacingRule, TRtfLineSpacingRule::lsExactly);
  EXPECT_EQ(a.lineSpacing, 300);
  EXPECT_EQ(doc.paragraphs[1].format.alignment, TRtfAlignment::alRight);
  EXPECT_EQ(doc.paragraphs[1].format.leftIndent, 720);  // kept until \pard
  EXPECT_EQ(doc.paragraphs[2].format.lineSpacingRule, TRtfLineSpacingRule::lsMultiple);
  EXPECT_EQ(doc.paragraphs[2].format.lineSpacing, 360);
  EXPECT_EQ(doc.paragraphs[3].format.lineSpacingRule, TRtfLineSpacingRule::lsAtLeast);
  EXPECT_EQ(doc.paragraphs[4].format.alignment, TRtfAlignment::alJustify);  // the group restored it
  const std::vector<TRtfTabStop> tabs = {{720, TRtfTabKind::tkLeft},
                                         {2880, TRtfTabKind::tkCenter},
                                         {5760, TRtfTabKind::tkRight},
                                         {7200, TRtfTabKind::tkDecimal}};
  EXPECT_EQ(doc.paragraphs[5].format.tabs, tabs);
}

TEST(RtfReader, BreaksAndTabs) {
  const TRtfDocument doc = Read("{\\rtf1 a\\tab b\tc\\line d\\page e\\cell f\\row g}");
  EXPECT_EQ(TextOf(doc), "a\tb\tc|d^e\tf\ng");
}

TEST(RtfReader, DecodesCodePagesPerDocumentAndPerFont) {
  EXPECT_EQ(TextOf(Read("{\\rtf1\\ansi \\'e9\\'80\\'96}")), "é€–");
  EXPECT_EQ(TextOf(Read("{\\rtf1\\ansi\\ansicpg1250 \\'9a\\'e8}")), "šč");
  EXPECT_EQ(TextOf(Read("{\\rtf1\\ansi\\ansicpg1251 \\'c0\\'e1}")), "Аб");
  EXPECT_EQ(TextOf(Read("{\\rtf1\\ansi\\ansicpg1253 \\'e1}")), "α");
  EXPECT_EQ(TextOf(Read("{\\rtf1\\pc \\'82\\'c9}")), "é╔");
  EXPECT_EQ(TextOf(Read("{\\rtf1\\pca \\'d5}")), "ı");
  // An unknown code page reads as 1252; raw 8-bit text is read like \'hh.
  EXPECT_EQ(TextOf(Read("{\\rtf1\\ansicpg99999 \\'e9 \xe9}")), "é é");
  // A font's character set overrides the document's code page.
  EXPECT_EQ(
      TextOf(Read(
          "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial Cyr;}{\\f2\\fcharset238 Arial CE;}}"
          "\\f0\\'e9{\\f1\\'e9}{\\f2\\'e9}\\'e9}")),
      "éйéé");
}

TEST(RtfReader, DecodesDoubleByteCodePagesByDocument) {
  // The same kind of text in each code page, written as word processors write it: escaped bytes.
  EXPECT_EQ(TextOf(Read("{\\rtf1\\ansi\\ansicpg932 \\'93\\'fa\\'96\\'7b\\'8c\\'ea}")), "日本語");
  EXPECT_EQ(TextOf(Read("{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0\\'ce\\'c4}")), "中文");
  EXPECT_EQ(TextOf(Read("{\\rtf1\\ansi\\ansicpg949 \\'c7\\'d1\\'b1\\'b9\\'be\\'ee}")), "한국어");
  EXPECT_EQ(TextOf(Read("{\\rtf1\\ansi\\ansicpg950 \\'a4\\'a4\\'a4\\'e5}")), "中文");
  // ASCII between the characters stays ASCII; single-byte half-width katakana stays single.
  EXPECT_EQ(TextOf(Read("{\\rtf1\\ansicpg932 A\\'93\\'fa B \\'b1}")), "A日 B ｱ");
}

TEST(RtfReader, DoubleByteTrailBytesMayLookLikeAscii) {
  // Trail bytes from 0x40 up include letters and the backslash: escaped or raw, they belong to the pair.
  EXPECT_EQ(TextOf(Read("{\\rtf1\\ansicpg932 \\'83\\'41\\'83\\'5c}")), "アソ");
  EXPECT_EQ(TextOf(Read("{\\rtf1\\ansicpg932 \\'83A\x83\\'5c\x83"
                        "A}")),
            "アソア");
  EXPECT_EQ(TextOf(Read("{\\rtf1\\ansicpg950 \xa4\xa4\xa4\xe5}")), "中文");
  // A line end in the source between the two bytes is no text.
  EXPECT_EQ(TextOf(Read("{\\rtf1\\ansicpg936 \\'d6\r\n\\'d0}")), "中");
}

TEST(RtfReader, DecodesDoubleByteTextByTheFontsCharacterSet) {
  const TRtfDocument doc = Read(
      "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset128 \\'82\\'6c\\'82\\'72 "
      "\\'96\\'be\\'92\\'a9;}"
      "{\\f2\\fcharset129 Gulim;}{\\f3\\fcharset134 SimSun;}{\\f4\\fcharset136 MingLiU;}}"
      "\\f0\\'e9{\\f1\\'93\\'fa}{\\f2\\'c7\\'d1}{\\f3\\'d6\\'d0}{\\f4\\'a4\\'e5}\\'e9}");
  EXPECT_EQ(TextOf(doc), "é日한中文é");
  // A font's name is written in the font's own code page.
  ASSERT_EQ(doc.fonts.size(), 5u);
  EXPECT_EQ(doc.fonts[1].name, "ＭＳ 明朝");
  // An explicit \cpg wins over the character set.
  EXPECT_EQ(TextOf(Read("{\\rtf1{\\fonttbl{\\f0\\fcharset128\\cpg936 X;}}\\f0\\'d6\\'d0}")), "中");
}

TEST(RtfReader, BrokenDoubleByteCharactersReadAsReplacementsAndLoseNothingElse) {
  // A lead byte whose trail does not fit, or that a group end, a control word or the end cuts off.
  EXPECT_EQ(TextOf(Read("{\\rtf1\\ansicpg932 \\'93 x}")), "\uFFFD x");
  EXPECT_EQ(TextOf(Read("{\\rtf1\\ansicpg932 {\\'93}x}")), "\uFFFDx");
  EXPECT_EQ(TextOf(Read("{\\rtf1\\ansicpg932 \\'93\\par x}")), "\uFFFD\nx");
  EXPECT_EQ(TextOf(Read("{\\rtf1\\ansicpg949 a\\'c7}")), "a\uFFFD");
  // The readable \uN of a character makes its escaped bytes a stand-in, skipped as a pair.
  EXPECT_EQ(TextOf(Read("{\\rtf1\\ansicpg932\\uc2 \\u26085\\'93\\'fa x}")), "日 x");
  // A single-byte document is never read in pairs.
  EXPECT_EQ(TextOf(Read("{\\rtf1\\ansi \\'93\\'fa}")), "“ú");
}

TEST(RtfReader, KeepsTheNumberTextOfItemsWhoseNumberTheModelDoesNotDraw) {
  // No numbering of the paragraph's own: the writer's text is the only number there is.
  const TRtfDocument plain = Read(
      "{\\rtf1{\\pntext\\b 1)\\tab}First\\par{\\listtext 2)\\tab}Second\\par Third\\par"
      "{\\pntext{\\v hidden}\\'a7 3\\line\\page\\tab}Fourth}");
  EXPECT_EQ(TextOf(plain), "1)\tFirst\n2)\tSecond\nThird\n§ 3\tFourth");
  EXPECT_TRUE(Item(plain, 0, 0).format.bold);
  EXPECT_FALSE(Item(plain, 0, 2).format.bold);
  // A level without numbers (\levelnfc255) draws none either.
  const TRtfDocument none = Read(
      "{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc255}\\listid7}}"
      "{\\*\\listoverridetable{\\listoverride\\listid7\\ls1}}\\pard\\ls1{\\listtext Step A:\\tab}go\\par}");
  EXPECT_EQ(none.paragraphs.at(0).format.numbering, TRtfNumbering::nmNone);
  EXPECT_EQ(TextOf(none), "Step A:\tgo");
  // The number and the item's text of the same format make one run, as a written and reread item would.
  const TRtfDocument seam = Read("{\\rtf1{\\pntext 1. }Item}");
  ASSERT_EQ(seam.paragraphs.at(0).items.size(), 1u);
  EXPECT_EQ(Item(seam, 0, 0).text, "1. Item");
  // Where the model draws the number, the text would show it twice and is left out.
  EXPECT_EQ(TextOf(Read("{\\rtf1{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec}a\\par\\pard b}")), "a\nb");
  // Outside the body's text it stands for nothing.
  EXPECT_EQ(TextOf(Read("{\\rtf1{\\field{\\*\\fldinst{\\pntext 1.}PAGE}{\\fldrslt 7}}}")), "7");
}

TEST(RtfReader, UnicodeWithSkipCounts) {
  EXPECT_EQ(TextOf(Read("{\\rtf1 \\u8364?x}")), "€x");
  EXPECT_EQ(TextOf(Read("{\\rtf1\\uc2 \\u8364\\'80\\'80x}")), "€x");
  EXPECT_EQ(TextOf(Read("{\\rtf1\\uc0 \\u8364 x}")), "€x");
  EXPECT_EQ(TextOf(Read("{\\rtf1 \\u-3913?}")), "\uF0B7");  // negative: a 16-bit value
  // A surrogate pair makes one character; skipping never crosses a group's end.
  EXPECT_EQ(TextOf(Read("{\\rtf1 \\u-10179?\\u-8704?}")), "\U0001F600");
  EXPECT_EQ(TextOf(Read("{\\rtf1\\uc3 {\\u233 ab}cd}")), "écd");
  // The skip count is group scoped.
  EXPECT_EQ(TextOf(Read("{\\rtf1 {\\uc2 \\u233 ab}\\u233 ab}")), "ééb");
}

TEST(RtfReader, SkipsIgnorableAndKnownInvisibleDestinations) {
  const TRtfDocument doc = Read(
      "{\\rtf1{\\*\\generator Writer 1.0;}{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}"
      "{\\*\\unknowndest secret}{\\header head}{\\footnote note}a{\\*\\bkmkstart m}b{\\unknownword c}"
      "{\\*\\fldinst X}d}");
  EXPECT_EQ(TextOf(doc), "abcd");
}

TEST(RtfReader, HyperlinkFields) {
  const TRtfDocument doc = Read(
      "{\\rtf1{\\colortbl;\\red0\\green0\\blue255;}"
      "see {\\field{\\*\\fldinst{HYPERLINK \"https://example.org/a b\"}}{\\fldrslt{\\ul\\cf1 the site}}} now "
      "{\\field{\\*\\fldinst HYPERLINK \\\\l \"part2\"}{\\fldrslt here}} "
      "{\\field{\\*\\fldinst PAGE}{\\fldrslt 7}}"
      "{\\field{\\*\\fldinst HYPERLINK \"https://example.org/a b\"}{\\fldrslt again}}}");
  EXPECT_EQ(TextOf(doc), "see the site now here 7again");
  ASSERT_EQ(doc.links.size(), 2u);
  EXPECT_EQ(doc.links[0], "https://example.org/a b");
  EXPECT_EQ(doc.links[1], "#part2");
  const auto& items = doc.paragraphs[0].items;
  EXPECT_EQ(items[1].text, "the site");
  EXPECT_EQ(items[1].format.linkIndex, 0);
  EXPECT_EQ(items[1].format.colorIndex, 1);
  EXPECT_EQ(items[2].text, " now ");
  EXPECT_EQ(items[2].format.linkIndex, -1);
  EXPECT_EQ(items[3].format.linkIndex, 1);
  EXPECT_EQ(items[4].text, " 7");           // a field that is no hyperlink shows its result as plain text
  EXPECT_EQ(items[5].format.linkIndex, 0);  // the same target shares its entry
}

TEST(RtfReader, Pictures) {
  const TRtfDocument doc = Read(
      "{\\rtf1 a{\\pict\\pngblip\\picw10\\pich20\\picwgoal150\\pichgoal300\\picscalex50\\picscaley200 "
      "89504e\r\n47}"
      "{\\pict\\jpegblip\\picw4\\pich4 ffd8ff}"
      "{\\pict\\wmetafile8\\picw2540\\pich1270\\bin3 \x01\x02\x7d}"
      "{\\*\\shppict{\\pict\\emfblip\\picw100\\pich100 0102}}{\\nonshppict{\\pict\\wmetafile8 0304}}"
      "{\\pict\\dibitmap0\\picw3\\pich3 28}b}");
  EXPECT_EQ(TextOf(doc), "a#####b");
  ASSERT_EQ(doc.pictures.size(), 5u);
  const TRtfPicture& png = doc.pictures[0];
  EXPECT_EQ(png.kind, TRtfPictureKind::pkPng);
  EXPECT_EQ(png.data, (std::vector<std::uint8_t>{0x89, 0x50, 0x4e, 0x47}));
  EXPECT_EQ(png.DisplayWidth(), 75);
  EXPECT_EQ(png.DisplayHeight(), 600);
  EXPECT_TRUE(png.IsShowable());
  EXPECT_EQ(doc.pictures[1].kind, TRtfPictureKind::pkJpeg);
  EXPECT_EQ(doc.pictures[1].DisplayWidth(), 60);  // 4 pixels at 96 per inch
  const TRtfPicture& wmf = doc.pictures[2];
  EXPECT_EQ(wmf.kind, TRtfPictureKind::pkWmf);
  EXPECT_EQ(wmf.kindParameter, 8);
  EXPECT_EQ(wmf.data, (std::vector<std::uint8_t>{1, 2, 0x7d}));  // \bin data may hold braces
  EXPECT_EQ(wmf.DisplayWidth(), 1440);                           // 2540 hundredths of a millimetre
  EXPECT_FALSE(wmf.IsShowable());
  EXPECT_EQ(doc.pictures[3].kind, TRtfPictureKind::pkEmf);  // only the shape picture, not its fallback
  EXPECT_EQ(doc.pictures[4].kind, TRtfPictureKind::pkDib);
  EXPECT_EQ(doc.paragraphs[0].items[5].pictureIndex, 4);
}

TEST(RtfReader, OldStyleBulletsAndNumbering) {
  const TRtfDocument doc = Read(
      "{\\rtf1{\\pntext\\f0 \\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf0\\pnindent0{\\pntxtb\\'b7}}\\fi-360\\li360 "
      "one\\par"
      "{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec\\pnstart3{\\pntxta .}}two\\par"
      "{\\*\\pn\\pnlvlbody\\pnucltr}three\\par{\\*\\pn\\pnlvlbody\\pnlcrm}four\\par\\pard five}");
  ASSERT_EQ(doc.paragraphs.size(), 5u);
  EXPECT_EQ(TextOf(doc), "one\ntwo\nthree\nfour\nfive");
  EXPECT_EQ(doc.paragraphs[0].format.numbering, TRtfNumbering::nmBullet);
  EXPECT_EQ(doc.paragraphs[0].format.leftIndent, 360);
  EXPECT_EQ(doc.paragraphs[1].format.numbering, TRtfNumbering::nmDecimal);
  EXPECT_EQ(doc.paragraphs[1].format.numberingStart, 3);
  EXPECT_EQ(doc.paragraphs[2].format.numbering, TRtfNumbering::nmUpperAlpha);
  EXPECT_EQ(doc.paragraphs[3].format.numbering, TRtfNumbering::nmLowerRoman);
  EXPECT_EQ(doc.paragraphs[4].format.numbering, TRtfNumbering::nmNone);
}

TEST(RtfReader, ListTablesGiveBulletsAndNumbers) {
  const TRtfDocument doc = Read(
      "{\\rtf1{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc23{\\leveltext \\'01\\u8226 ?;}}"
      "\\listid10}{\\list{\\listlevel\\levelnfc0\\levelstartat5{\\leveltext \\'02\\'00.;}}"
      "{\\listlevel\\levelnfc4}\\listid20}}"
      "{\\*\\listoverridetable{\\listoverride\\listid10\\listoverridecount0\\ls1}{"
      "\\listoverride\\listid20\\ls2}}"
      "\\pard\\ls1{\\listtext \\'b7\\tab}a\\par\\pard\\ls2{\\listtext 5.\\tab}b\\par\\pard\\ls2\\ilvl1 c\\par"
      "\\pard\\ls9 d\\par\\pard e\\par}");
  ASSERT_EQ(doc.paragraphs.size(), 5u);
  EXPECT_EQ(TextOf(doc), "a\nb\nc\nd\ne");
  EXPECT_EQ(doc.paragraphs[0].format.numbering, TRtfNumbering::nmBullet);
  EXPECT_EQ(doc.paragraphs[1].format.numbering, TRtfNumbering::nmDecimal);
  EXPECT_EQ(doc.paragraphs[1].format.numberingStart, 5);
  EXPECT_EQ(doc.paragraphs[2].format.numbering, TRtfNumbering::nmLowerAlpha);
  EXPECT_EQ(doc.paragraphs[3].format.numbering, TRtfNumbering::nmBullet);  // an unknown list: bullets
  EXPECT_EQ(doc.paragraphs[4].format.numbering, TRtfNumbering::nmNone);
}

TEST(RtfReader, ObjectsAndShapesShowTheirResults) {
  const TRtfDocument doc = Read(
      "{\\rtf1 a{\\object\\objemb{\\*\\objclass Paint}{\\*\\objdata 0102}{\\result{\\pict\\pngblip 00}}}"
      "{\\shp{\\*\\shpinst{\\sp{\\sn x}{\\sv y}}}{\\shprslt z}}b}");
  EXPECT_EQ(TextOf(doc), "a#zb");
}

TEST(RtfReader, AnEmbeddedObjectRidesOnThePictureOfItsResult) {
  const TRtfDocument doc = Read(
      "{\\rtf1 a{\\object\\objemb\\objw300\\objh200{\\*\\objclass Package }{\\*\\objname notes\\'e9.txt}"
      "{\\*\\objdata 48 65\n6c6C\r\n6f}{\\result{\\pict\\pngblip\\picw2\\pich2 89}{\\pict\\pngblip 01}}}b}");
  EXPECT_EQ(TextOf(doc), "a##b");
  ASSERT_EQ(doc.pictures.size(), 2u);
  const TRtfPicture& face = doc.pictures[0];
  ASSERT_TRUE(face.IsObject());
  EXPECT_EQ(face.object.className, "Package");
  EXPECT_EQ(face.object.name, "notes\xC3\xA9.txt");
  EXPECT_EQ(std::string(face.object.data.begin(), face.object.data.end()), "Hello");
  EXPECT_EQ(face.data, std::vector<std::uint8_t>{0x89});
  EXPECT_FALSE(doc.pictures[1].IsObject()) << "only the first picture shows the object";
}

TEST(RtfReader, ObjectsThatCannotBeKeptShowAsPlainPictures) {
  const char* damaged[] = {
      "{\\*\\objclass Package}{\\*\\objdata 0102x3}",     // a character that is no hexadecimal digit
      "{\\*\\objclass Package}{\\*\\objdata 010}",        // half a byte
      "{\\*\\objclass Package}{\\*\\objdata 01\\'ff02}",  // an escaped byte
      "{\\*\\objdata 0102}",                              // no class
  };
  for (const char* inside : damaged) {
    const TRtfReadResult read =
        ReadRtf(std::string("{\\rtf1 a{\\object\\objemb") + inside + "{\\result{\\pict\\pngblip 89}}}b}");
    ASSERT_EQ(read.status, TRtfReadStatus::rsOk) << inside;
    EXPECT_EQ(TextOf(read.document), "a#b") << inside;
    ASSERT_EQ(read.document.pictures.size(), 1u);
    EXPECT_FALSE(read.document.pictures[0].IsObject()) << inside;
  }
  // A linked object (no \\objemb) carries no bytes of its own.
  EXPECT_FALSE(Read("{\\rtf1{\\object\\objlink{\\*\\objclass Package}{\\*\\objdata 01}"
                    "{\\result{\\pict\\pngblip 89}}}}")
                   .pictures[0]
                   .IsObject());
  // Outside an object the object's words carry nothing shown; a picture after the object is plain.
  const TRtfDocument outside = Read(
      "{\\rtf1{\\*\\objclass Package}{\\objname x}{\\objdata 41}{\\object\\objemb{\\*\\objclass P}"
      "{\\*\\objdata 41}}{\\pict\\pngblip 89}}");
  EXPECT_EQ(TextOf(outside), "#");
  EXPECT_FALSE(outside.pictures[0].IsObject());
  // A name longer than any file name is damage.
  const TRtfDocument longName = Read("{\\rtf1{\\object\\objemb{\\*\\objclass Package}{\\*\\objname " +
                                     std::string(5000, 'n') + "}{\\*\\objdata 41}{\\result{\\pict 89}}}}");
  ASSERT_EQ(longName.pictures.size(), 1u);
  EXPECT_FALSE(longName.pictures[0].IsObject());
}

}  // namespace
