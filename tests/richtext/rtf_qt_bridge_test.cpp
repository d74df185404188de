// The bridge between the model and QTextDocument: what the document shows, and round trips.

#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextList>

#include "rtf_plain_text.h"
#include "rtf_qt.h"
#include "rtf_reader.h"
#include "rtf_test_support.h"
#include "rtf_writer.h"

namespace {

const TRtfQtUnits kUnits(96.0);

TRtfDocument Rtf(std::string_view rtf) {
  TRtfReadResult result = ReadRtf(rtf);
  EXPECT_EQ(result.status, TRtfReadStatus::rsOk);
  return std::move(result.document);
}

QTextCharFormat FormatAt(const QTextDocument& document, int position) {
  QTextCursor cursor(const_cast<QTextDocument*>(&document));
  cursor.setPosition(position + 1);
  return cursor.charFormat();
}

TEST(RtfQtBridge, CharacterFormatsShowInTheDocument) {
  const TRtfDocument model =
      Rtf("{\\rtf1{\\fonttbl{\\f0\\froman Liberation Serif;}{\\f1\\fmodern Missing Mono;}}"
          "{\\colortbl;\\red200\\green0\\blue0;\\red255\\green255\\blue0;}"
          "{\\b\\f0\\fs36 A}{\\i\\ul\\cf1 B}{\\strike\\highlight2 C}{\\super D}{\\f1 E}{\\uldb F}}");
  QTextDocument document;
  ModelToQTextDocument(model, document, kUnits);
  EXPECT_EQ(document.toPlainText(), "ABCDEF");
  const QTextCharFormat a = FormatAt(document, 0);
  EXPECT_EQ(a.fontWeight(), QFont::Bold);
  EXPECT_DOUBLE_EQ(a.fontPointSize(), 18.0);
  EXPECT_EQ(a.fontFamilies().toStringList(), (QStringList{"Liberation Serif", "serif"}));
  const QTextCharFormat b = FormatAt(document, 1);
  EXPECT_TRUE(b.fontItalic());
  EXPECT_EQ(b.underlineStyle(), QTextCharFormat::SingleUnderline);
  EXPECT_EQ(b.foreground().color(), QColor(200, 0, 0));
  const QTextCharFormat c = FormatAt(document, 2);
  EXPECT_TRUE(c.fontStrikeOut());
  EXPECT_EQ(c.background().color(), QColor(255, 255, 0));
  EXPECT_FALSE(c.hasProperty(QTextFormat::ForegroundBrush));  // automatic colour: the palette's text colour
  EXPECT_EQ(FormatAt(document, 3).verticalAlignment(), QTextCharFormat::AlignSuperScript);
  EXPECT_EQ(FormatAt(document, 4).fontFamilies().toStringList(), (QStringList{"Missing Mono", "monospace"}));
  EXPECT_EQ(FormatAt(document, 5).underlineStyle(), QTextCharFormat::SingleUnderline);  // double shows single

  EXPECT_EQ(QTextDocumentToModel(document, kUnits), model);
}

TEST(RtfQtBridge, ParagraphFormatsInPixels) {
  const TRtfDocument model =
      Rtf("{\\rtf1\\deftab360\\pard\\qc\\li1440\\ri720\\fi-360\\sb240\\sa120\\sl-360\\slmult0 a\\par"
          "\\pard\\qj\\sl360\\slmult1\\tx2160\\tqr\\tx4320 b\\par\\pard\\qr\\sl480\\slmult0 c\\par}");
  QTextDocument document;
  ModelToQTextDocument(model, document, kUnits);
  const QTextBlockFormat a = document.begin().blockFormat();
  EXPECT_EQ(a.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_DOUBLE_EQ(a.leftMargin(), 96.0);  // 1440 twips: one inch at 96 pixels per inch
  EXPECT_DOUBLE_EQ(a.rightMargin(), 48.0);
  EXPECT_DOUBLE_EQ(a.textIndent(), -24.0);
  EXPECT_DOUBLE_EQ(a.topMargin(), 16.0);
  EXPECT_DOUBLE_EQ(a.bottomMargin(), 8.0);
  EXPECT_EQ(a.lineHeightType(), QTextBlockFormat::FixedHeight);
  EXPECT_DOUBLE_EQ(a.lineHeight(), 24.0);
  // The hanging first line tabs to the indent, measured from where the first line starts.
  ASSERT_EQ(a.tabPositions().size(), 1);
  EXPECT_DOUBLE_EQ(a.tabPositions()[0].position, 24.0);
  const QTextBlockFormat b = document.begin().next().blockFormat();
  EXPECT_EQ(b.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
  EXPECT_EQ(b.lineHeightType(), QTextBlockFormat::ProportionalHeight);
  EXPECT_DOUBLE_EQ(b.lineHeight(), 150.0);
  ASSERT_EQ(b.tabPositions().size(), 2);
  EXPECT_DOUBLE_EQ(b.tabPositions()[1].position, 288.0);
  EXPECT_EQ(b.tabPositions()[1].type, QTextOption::RightTab);
  const QTextBlockFormat c = document.begin().next().next().blockFormat();
  EXPECT_EQ(c.lineHeightType(), QTextBlockFormat::MinimumHeight);
  EXPECT_DOUBLE_EQ(document.defaultTextOption().tabStopDistance(), 24.0);

  EXPECT_EQ(QTextDocumentToModel(document, kUnits), model);
}

TEST(RtfQtBridge, EditedQtValuesWinOverTheKeptOnes) {
  TRtfDocument model =
      Rtf("{\\rtf1{\\colortbl;\\red1\\green2\\blue3;}\\pard\\li1440\\sb100 {\\cf1\\uldb x}y\\par}");
  QTextDocument document;
  ModelToQTextDocument(model, document, kUnits);
  QTextCursor cursor(&document);
  QTextBlockFormat block;
  block.setLeftMargin(48.0);
  cursor.mergeBlockFormat(block);
  cursor.setPosition(0);
  cursor.setPosition(1, QTextCursor::KeepAnchor);
  QTextCharFormat chars;
  chars.setForeground(QColor(9, 8, 7));
  chars.setUnderlineStyle(QTextCharFormat::WaveUnderline);
  cursor.mergeCharFormat(chars);

  const TRtfDocument back = QTextDocumentToModel(document, kUnits);
  const TRtfParagraph& paragraph = back.paragraphs.at(0);
  EXPECT_EQ(paragraph.format.leftIndent, 720);
  EXPECT_EQ(paragraph.format.spaceBefore, 100);  // untouched, so exact
  const TRtfCharFormat& x = paragraph.items.at(0).format;
  EXPECT_EQ(x.underline, TRtfUnderline::ulWave);
  EXPECT_EQ(*back.TextColorOf(x), (TRtfColor{9, 8, 7, false}));
  EXPECT_EQ(back.colors.size(), 3u);  // the new colour joined the table
}

TEST(RtfQtBridge, ListsForBulletsAndNumbers) {
  const TRtfDocument model =
      Rtf("{\\rtf1{\\*\\pn\\pnlvlblt}\\li720\\fi-360 a\\par "
          "b\\par\\pard{\\*\\pn\\pnlvlbody\\pndec\\pnstart4}c\\par"
          " d\\par\\pard e\\par{\\*\\pn\\pnlvlbody\\pnucrm}f\\par}");
  QTextDocument document;
  ModelToQTextDocument(model, document, kUnits);
  QTextBlock block = document.begin();
  const QTextList* bullets = block.textList();
  ASSERT_NE(bullets, nullptr);
  EXPECT_EQ(bullets->format().style(), QTextListFormat::ListDisc);
  EXPECT_EQ(block.next().textList(), bullets);
  EXPECT_EQ(bullets->count(), 2);
  EXPECT_DOUBLE_EQ(block.blockFormat().leftMargin(), 48.0);
  EXPECT_DOUBLE_EQ(block.blockFormat().textIndent(), 0.0);  // the marker sits in front of the text
  block = block.next().next();
  ASSERT_NE(block.textList(), nullptr);
  EXPECT_EQ(block.textList()->format().style(), QTextListFormat::ListDecimal);
  EXPECT_EQ(block.textList()->count(), 2);
  EXPECT_EQ(block.next().next().textList(), nullptr);
  EXPECT_EQ(block.next().next().next().textList()->format().style(), QTextListFormat::ListUpperRoman);

  EXPECT_EQ(QTextDocumentToModel(document, kUnits), model);
}

TEST(RtfQtBridge, LinksPicturesAndBreaks) {
  const TRtfDocument model = Rtf(
      "{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"https://example.org/\"}{\\fldrslt link}} a\\line b\\tab c"
      "\\page d{\\pict\\wmetafile8\\picw2540\\pich1270 0102}\\par\\page after\\par}");
  QTextDocument document;
  ModelToQTextDocument(model, document, kUnits);
  const QTextCharFormat link = FormatAt(document, 0);
  EXPECT_TRUE(link.isAnchor());
  EXPECT_EQ(link.anchorHref(), "https://example.org/");
  EXPECT_FALSE(FormatAt(document, 5).isAnchor());
  // The page break inside the paragraph continues it in a block that starts a new page; the one at a
  // paragraph's start only marks that block.
  ASSERT_EQ(document.blockCount(), 3);
  const QTextBlock second = document.begin().next();
  EXPECT_EQ(second.blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
  EXPECT_EQ(document.begin().text(), QString("link a") + QChar::LineSeparator + "b\tc");
  const QTextCharFormat picture = FormatAt(document, second.position() + 1);
  ASSERT_TRUE(picture.isImageFormat());
  EXPECT_DOUBLE_EQ(picture.toImageFormat().width(), 96.0);  // a placeholder of the metafile's size
  EXPECT_DOUBLE_EQ(picture.toImageFormat().height(), 48.0);
  const QImage image =
      document.resource(QTextDocument::ImageResource, QUrl(picture.toImageFormat().name())).value<QImage>();
  EXPECT_FALSE(image.isNull());
  EXPECT_EQ(document.lastBlock().blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);

  EXPECT_EQ(QTextDocumentToModel(document, kUnits), model);
  EXPECT_EQ(QTextDocumentToPlainText(document), "link a\r\nb\tc\r\nd\r\n\r\nafter");
}

TEST(RtfQtBridge, AnEmbeddedFileRidesOnItsPictureThroughTheDocument) {
  const TRtfDocument model =
      Rtf("{\\rtf1 a{\\object\\objemb{\\*\\objclass Package}{\\*\\objname notes.txt}{\\*\\objdata 0001fe}"
          "{\\result{\\pict\\pngblip\\picw2\\pich2 89}}}b}");
  ASSERT_TRUE(model.pictures.at(0).IsObject());
  QTextDocument document;
  ModelToQTextDocument(model, document, kUnits);
  EXPECT_EQ(document.characterAt(1), QChar::ObjectReplacementCharacter);
  const TRtfDocument back = QTextDocumentToModel(document, kUnits);
  EXPECT_EQ(back, model);
  // Copied as a selection, as the clipboard and drops do, the object stays one.
  QTextCursor cursor(&document);
  cursor.setPosition(1);
  cursor.setPosition(2, QTextCursor::KeepAnchor);
  const TRtfDocument selected = QTextSelectionToModel(cursor, kUnits);
  ASSERT_EQ(selected.pictures.size(), 1u);
  EXPECT_EQ(selected.pictures[0].object, model.pictures[0].object);
}

TEST(RtfQtBridge, EverySampleSurvivesTheDocument) {
  for (const auto& path : FilesIn(RTF_SAMPLES, ".rtf")) {
    const TRtfDocument model = Rtf(ReadFileBytes(path));
    QTextDocument document;
    ModelToQTextDocument(model, document, kUnits);
    const TRtfDocument back = QTextDocumentToModel(document, kUnits);
    EXPECT_EQ(TextOf(back), TextOf(model)) << path;
    EXPECT_EQ(back, model) << path;
    // And what comes back writes and reads the same again.
    EXPECT_EQ(ReadRtf(WriteRtf(back)).document, model) << path;
  }
}

TEST(RtfQtBridge, InsertIntoTheSelection) {
  QTextDocument document;
  ModelToQTextDocument(
      Rtf("{\\rtf1{\\colortbl;\\red0\\green0\\blue255;}\\pard\\qc {\\cf1 Hello} world\\par}"), document,
      kUnits);
  QTextCursor cursor(&document);
  cursor.setPosition(6);
  cursor.setPosition(11, QTextCursor::KeepAnchor);  // "world"
  // One paragraph only: joins the current one and keeps its format.
  InsertModelAt(Rtf("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\pard\\qr {\\b\\cf1 there}}"), cursor,
                kUnits);
  EXPECT_EQ(document.toPlainText(), "Hello there");
  EXPECT_EQ(cursor.position(), 11);
  TRtfDocument back = QTextDocumentToModel(document, kUnits);
  ASSERT_EQ(back.paragraphs.size(), 1u);
  EXPECT_EQ(back.paragraphs[0].format.alignment, TRtfAlignment::alCenter);
  const TRtfInline& there = back.paragraphs[0].items.back();
  EXPECT_EQ(there.text, "there");
  EXPECT_TRUE(there.format.bold);
  EXPECT_EQ(*back.TextColorOf(there.format), (TRtfColor{255, 0, 0, false}));
  EXPECT_EQ(*back.TextColorOf(back.paragraphs[0].items[0].format), (TRtfColor{0, 0, 255, false}));

  // Several paragraphs: the first takes its own format, the last joins the text after the cursor.
  cursor.setPosition(5);
  InsertModelAt(ReadPlainText("A\nB"), cursor, kUnits);
  EXPECT_EQ(document.toPlainText(), "HelloA\nB there");
  EXPECT_EQ(document.blockCount(), 2);
  EXPECT_EQ(document.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
  // One undo step takes the whole insertion back.
  document.undo();
  EXPECT_EQ(document.toPlainText(), "Hello there");
}

TEST(RtfQtBridge, SelectionToModel) {
  QTextDocument document;
  ModelToQTextDocument(Rtf("{\\rtf1\\pard\\qc one {\\b two}\\par\\pard three\\par four}"), document, kUnits);
  QTextCursor cursor(&document);
  EXPECT_TRUE(QTextSelectionToModel(cursor, kUnits).paragraphs.empty());
  cursor.setPosition(4);
  cursor.setPosition(document.begin().next().position() + 2, QTextCursor::KeepAnchor);
  const TRtfDocument part = QTextSelectionToModel(cursor, kUnits);
  EXPECT_EQ(TextOf(part), "two\nth");
  EXPECT_EQ(part.paragraphs[0].format.alignment, TRtfAlignment::alCenter);
  EXPECT_TRUE(part.paragraphs[0].items[0].format.bold);
  // Selecting a paragraph with its break gives the break as an empty last paragraph.
  cursor.setPosition(document.begin().next().position());
  cursor.setPosition(document.begin().next().next().position(), QTextCursor::KeepAnchor);
  EXPECT_EQ(TextOf(QTextSelectionToModel(cursor, kUnits)), "three\n");
}

TEST(RtfQtBridge, EmptyAndPlainDocuments) {
  QTextDocument document;
  ModelToQTextDocument(TRtfDocument(), document, kUnits);
  EXPECT_TRUE(document.isEmpty());
  EXPECT_TRUE(QTextDocumentToModel(document, kUnits).paragraphs.empty());
  EXPECT_EQ(QTextDocumentToPlainText(document), "");

  // Plain text takes the document's default font, and reads back with its size.
  document.setDefaultFont(QFont("Liberation Sans", 9));
  ModelToQTextDocument(ReadPlainText("x\r\ny\rz\n"), document, kUnits);
  EXPECT_EQ(document.blockCount(), 4);
  EXPECT_FALSE(FormatAt(document, 0).hasProperty(QTextFormat::FontPointSize));
  const TRtfDocument back = QTextDocumentToModel(document, kUnits);
  EXPECT_EQ(TextOf(back), "x\ny\nz\n");
  EXPECT_EQ(back.paragraphs[0].items[0].format.halfPoints, 18);
  EXPECT_EQ(QTextDocumentToPlainText(document), "x\r\ny\r\nz\r\n");
}

TEST(RtfQtBridge, ImagesFromElsewhereBecomePng) {
  QTextDocument document;
  QImage image(10, 6, QImage::Format_RGB32);
  image.fill(Qt::red);
  document.addResource(QTextDocument::ImageResource, QUrl("mem:red"), image);
  QTextCursor cursor(&document);
  cursor.insertText("x");
  QTextImageFormat format;
  format.setName("mem:red");
  format.setWidth(20);
  cursor.insertImage(format);
  const TRtfDocument model = QTextDocumentToModel(document, kUnits);
  ASSERT_EQ(model.pictures.size(), 1u);
  const TRtfPicture& picture = model.pictures[0];
  EXPECT_EQ(picture.kind, TRtfPictureKind::pkPng);
  EXPECT_EQ(picture.width, 10);
  EXPECT_EQ(picture.goalWidth, 300);
  QImage decoded;
  ASSERT_TRUE(decoded.loadFromData(picture.data.data(), static_cast<int>(picture.data.size())));
  EXPECT_EQ(decoded.pixelColor(3, 3), QColor(Qt::red));
  // Written as RTF and loaded again, it shows as a picture of the same size.
  QTextDocument again;
  ModelToQTextDocument(ReadRtf(WriteRtf(model)).document, again, kUnits);
  const QTextCharFormat shown = FormatAt(again, 1);
  ASSERT_TRUE(shown.isImageFormat());
  EXPECT_DOUBLE_EQ(shown.toImageFormat().width(), 20.0);
}

}  // namespace

namespace {

TEST(RtfQtBridge, OddTablesSurvive) {
  // A font without a name, colour and highlight indexes past the table, an auto entry that is not first.
  const TRtfDocument model =
      Rtf("{\\rtf1{\\fonttbl{\\f0 ;}{\\f1 Liberation Sans;}}{\\colortbl\\red9\\green9\\blue9;;}"
          "{\\f0 a}{\\f1\\cf7\\highlight9 b}{\\cf1 c}d}");
  QTextDocument document;
  ModelToQTextDocument(model, document, kUnits);
  EXPECT_EQ(QTextDocumentToModel(document, kUnits), model);
}

}  // namespace
