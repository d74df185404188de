// Documents written by the writer read back identical.

#include <gtest/gtest.h>

#include "rtf_reader.h"
#include "rtf_test_support.h"
#include "rtf_writer.h"

namespace {

TRtfInline Text(std::string text, TRtfCharFormat format = {}) {
  TRtfInline item;
  item.text = std::move(text);
  item.format = format;
  return item;
}

TRtfInline Item(TRtfInlineKind kind, TRtfCharFormat format = {}, int picture = -1) {
  TRtfInline item;
  item.kind = kind;
  item.format = format;
  item.pictureIndex = picture;
  return item;
}

// A document that uses every part of the model.
TRtfDocument EverythingDocument() {
  TRtfDocument doc;
  doc.defaultTabWidth = 360;
  doc.fonts = {{"Liberation Serif", TRtfFontFamily::ffRoman, 0, 2, 0},
               {"DejaVu Sans Mono", TRtfFontFamily::ffModern, 204, 1, 0},
               {"Name {with} \\odd; chars", TRtfFontFamily::ffNil, 0, 0, 1252},
               {"Ünïcödé Font", TRtfFontFamily::ffSwiss, 238, 0, 0}};
  doc.colors = {{0, 0, 0, true}, {200, 10, 20, false}, {0, 0, 0, true}, {255, 255, 0, false}};
  doc.links = {"https://example.org/?q=\"quoted\"&a=\\b", "#anchor"};
  TRtfPicture png;
  png.kind = TRtfPictureKind::pkPng;
  png.width = 16, png.height = 8, png.goalWidth = 240, png.goalHeight = 120, png.scaleX = 50,
  png.scaleY = 150;
  png.data = {0x89, 'P', 'N', 'G', 0, 0xff, '{', '}', '\\'};
  TRtfPicture wmf;
  wmf.kind = TRtfPictureKind::pkWmf;
  wmf.kindParameter = 8;
  wmf.width = 2540, wmf.height = 1270;
  wmf.data = {1, 2, 3};
  TRtfPicture package = png;
  package.scaleX = package.scaleY = 100;
  package.object.className = "Package";
  package.object.name = "Quiz notes; {draft} \\ Ünïcödé.txt";
  package.object.data = {0, 1, 2, 0xfe, 0xff, '{', '\\'};
  doc.pictures = {png, wmf, package};

  TRtfCharFormat bold;
  bold.bold = true, bold.fontIndex = 0, bold.halfPoints = 32, bold.colorIndex = 1;
  TRtfCharFormat fancy;
  fancy.italic = true, fancy.strikeOut = true, fancy.underline = TRtfUnderline::ulWave;
  fancy.verticalAlign = TRtfVerticalAlign::vaSuperscript, fancy.fontIndex = 3, fancy.highlightIndex = 3;
  TRtfCharFormat linked;
  linked.underline = TRtfUnderline::ulSingle, linked.linkIndex = 0, linked.colorIndex = 1;
  TRtfCharFormat anchor = linked;
  anchor.linkIndex = 1;

  TRtfParagraph title;
  title.format.alignment = TRtfAlignment::alCenter;
  title.format.spaceAfter = 240;
  title.items = {Text("Title: {braces} \\ back", bold), Text(" plain")};
  TRtfParagraph body;
  body.format.alignment = TRtfAlignment::alJustify;
  body.format.leftIndent = 720, body.format.rightIndent = 360, body.format.firstIndent = -360;
  body.format.spaceBefore = 120;
  body.format.lineSpacingRule = TRtfLineSpacingRule::lsMultiple, body.format.lineSpacing = 360;
  body.format.tabs = {{1440, TRtfTabKind::tkLeft},
                      {2880, TRtfTabKind::tkCenter},
                      {4320, TRtfTabKind::tkRight},
                      {5760, TRtfTabKind::tkDecimal}};
  body.items = {Text("Ünïcödé € 😀 ¶", fancy),
                Item(TRtfInlineKind::ikTab, fancy),
                Text("after tab"),
                Item(TRtfInlineKind::ikLineBreak),
                Text("link", linked),
                Item(TRtfInlineKind::ikPicture, linked, 0),
                Text("anchor", anchor),
                Item(TRtfInlineKind::ikPageBreak),
                Item(TRtfInlineKind::ikPicture, {}, 1),
                Item(TRtfInlineKind::ikPicture, {}, 2)};
  doc.paragraphs = {title, body};

  const TRtfNumbering kinds[] = {TRtfNumbering::nmBullet, TRtfNumbering::nmDecimal, TRtfNumbering::nmDecimal,
                                 TRtfNumbering::nmLowerAlpha, TRtfNumbering::nmUpperRoman};
  for (const TRtfNumbering kind : kinds) {
    TRtfParagraph item;
    item.format.numbering = kind;
    item.format.numberingStart = kind == TRtfNumbering::nmUpperRoman ? 4 : 1;
    item.format.leftIndent = 360, item.format.firstIndent = -360;
    item.format.lineSpacingRule = TRtfLineSpacingRule::lsExactly, item.format.lineSpacing = 280;
    item.items = {Text("list item")};
    doc.paragraphs.push_back(item);
  }
  TRtfParagraph atLeast;
  atLeast.format.lineSpacingRule = TRtfLineSpacingRule::lsAtLeast, atLeast.format.lineSpacing = 400;
  atLeast.format.alignment = TRtfAlignment::alRight;
  atLeast.items = {Text("right")};
  doc.paragraphs.push_back(atLeast);
  doc.paragraphs.emplace_back();  // an empty last paragraph
  return doc;
}

TEST(RtfRoundTrip, EveryPartOfTheModelSurvives) {
  const TRtfDocument doc = EverythingDocument();
  const std::string rtf = WriteRtf(doc);
  const TRtfReadResult back = ReadRtf(rtf);
  ASSERT_EQ(back.status, TRtfReadStatus::rsOk);
  EXPECT_FALSE(back.damaged);
  EXPECT_EQ(TextOf(back.document), TextOf(doc));
  ASSERT_EQ(back.document.paragraphs.size(), doc.paragraphs.size());
  for (std::size_t i = 0; i < doc.paragraphs.size(); ++i) {
    EXPECT_EQ(back.document.paragraphs[i], doc.paragraphs[i]) << "paragraph " << i;
  }
  EXPECT_EQ(back.document, doc);
}

TEST(RtfRoundTrip, OutputIsSevenBitRtfOthersRead) {
  const std::string rtf = WriteRtf(EverythingDocument());
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi", 0), 0u);
  for (const char c : rtf)
    ASSERT_TRUE(static_cast<unsigned char>(c) < 0x80);
  EXPECT_NE(rtf.find("\\u8364?"), std::string::npos);
  EXPECT_NE(rtf.find("\\u-10179?\\u-8704?"), std::string::npos);  // U+1F600 as a surrogate pair
  EXPECT_NE(rtf.find("{\\field{\\*\\fldinst{HYPERLINK"), std::string::npos);
  EXPECT_NE(rtf.find("{\\pntext 2.\\tab}"), std::string::npos);  // the second decimal item is number 2
  EXPECT_NE(rtf.find("{\\pntext IV.\\tab}"), std::string::npos);
  EXPECT_NE(rtf.find("\\pngblip"), std::string::npos);
  EXPECT_NE(rtf.find("89504e47"), std::string::npos);
}

TEST(RtfRoundTrip, EmptyDocument) {
  const TRtfDocument empty;
  EXPECT_EQ(ReadRtf(WriteRtf(empty)).document, empty);
}

TEST(RtfRoundTrip, EverySampleReadsBackIdentical) {
  const auto samples = FilesIn(RTF_SAMPLES, ".rtf");
  ASSERT_GE(samples.size(), 10u);
  for (const auto& path : samples) {
    const TRtfReadResult first = ReadRtf(ReadFileBytes(path));
    ASSERT_EQ(first.status, TRtfReadStatus::rsOk) << path;
    EXPECT_FALSE(first.damaged) << path;
    EXPECT_FALSE(first.document.paragraphs.empty()) << path;
    const TRtfReadResult second = ReadRtf(WriteRtf(first.document));
    EXPECT_FALSE(second.damaged) << path;
    EXPECT_EQ(second.document, first.document) << path;
  }
}

}  // namespace
