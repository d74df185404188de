#pragma once
// The document model shared by the RTF reader, the RTF writer, the plain-text reader and the bridge to
// QTextDocument. It holds no Qt types so that the codec builds and is tested without a display.
//
// A document is a font table, a colour table, a list of hyperlink targets, a list of pictures and a list of
// paragraphs. A paragraph is a paragraph format and a sequence of inline items (text runs, tabs, line
// breaks, page breaks, pictures), each carrying the character format it was written with. Formats refer to
// the tables by index, exactly as RTF does, so that a document survives a write and a read unchanged.
//
// All lengths are twips (1/1440 inch). All text is UTF-8.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// How a font's family was declared; used to pick a fallback when the font itself is missing.
enum class TRtfFontFamily : std::uint8_t {
  ffNil,
  ffRoman,
  ffSwiss,
  ffModern,
  ffScript,
  ffDecor,
  ffTech,
  ffBidi
};

struct TRtfFont {
  std::string name;
  TRtfFontFamily family = TRtfFontFamily::ffNil;
  int charset = 0;   // the font's character set number as RTF gives it (0 = the document's code page)
  int pitch = 0;     // 0 default, 1 fixed, 2 variable
  int codePage = 0;  // an explicit code page for this font, 0 when none was given

  bool operator==(const TRtfFont&) const = default;
};

struct TRtfColor {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool isAuto = false;  // an empty colour-table entry: the reader's default text colour

  bool operator==(const TRtfColor&) const = default;
};

enum class TRtfUnderline : std::uint8_t {
  ulNone,
  ulSingle,
  ulDouble,
  ulDotted,
  ulDashed,
  ulWave,
  ulWords,
  ulThick
};
enum class TRtfVerticalAlign : std::uint8_t { vaNormal, vaSuperscript, vaSubscript };

// The character format of an inline item. Index fields refer to the document's tables.
struct TRtfCharFormat {
  static constexpr int kDefaultHalfPoints = 24;  // RTF's default size: 12 points

  bool bold = false;
  bool italic = false;
  bool strikeOut = false;
  TRtfUnderline underline = TRtfUnderline::ulNone;
  TRtfVerticalAlign verticalAlign = TRtfVerticalAlign::vaNormal;
  int halfPoints = kDefaultHalfPoints;
  int fontIndex = -1;  // into TRtfDocument::fonts; -1: the reader's default font
  int colorIndex = 0;  // into TRtfDocument::colors; 0 with an empty table, or an auto entry: default colour
  int highlightIndex = 0;  // into TRtfDocument::colors; 0: no highlight
  int linkIndex = -1;      // into TRtfDocument::links; -1: not part of a hyperlink

  bool operator==(const TRtfCharFormat&) const = default;
};

enum class TRtfAlignment : std::uint8_t { alLeft, alCenter, alRight, alJustify };
enum class TRtfTabKind : std::uint8_t { tkLeft, tkCenter, tkRight, tkDecimal };

struct TRtfTabStop {
  int position = 0;  // from the left text margin, not from the paragraph's indent
  TRtfTabKind kind = TRtfTabKind::tkLeft;

  bool operator==(const TRtfTabStop&) const = default;
};

enum class TRtfNumbering : std::uint8_t {
  nmNone,
  nmBullet,
  nmDecimal,
  nmLowerAlpha,
  nmUpperAlpha,
  nmLowerRoman,
  nmUpperRoman
};

// Line spacing as RTF states it: \slN with \slmult.
enum class TRtfLineSpacingRule : std::uint8_t {
  lsSingle,    // automatic (no \sl, or \sl0)
  lsAtLeast,   // \slN, N > 0, \slmult0: at least N twips
  lsExactly,   // \sl-N, \slmult0: exactly N twips
  lsMultiple,  // \slN \slmult1: N/240 lines
};

struct TRtfParaFormat {
  static constexpr int kMaxTabStops = 32;

  TRtfAlignment alignment = TRtfAlignment::alLeft;
  int leftIndent = 0;
  int rightIndent = 0;
  int firstIndent = 0;  // relative to leftIndent; negative for a hanging first line
  int spaceBefore = 0;
  int spaceAfter = 0;
  TRtfLineSpacingRule lineSpacingRule = TRtfLineSpacingRule::lsSingle;
  int lineSpacing = 0;  // twips for lsAtLeast and lsExactly (positive), 240ths of a line for lsMultiple
  std::vector<TRtfTabStop> tabs;
  TRtfNumbering numbering = TRtfNumbering::nmNone;
  int numberingStart = 1;  // first number of a numbered list; always 1 for none and bullets

  bool operator==(const TRtfParaFormat&) const = default;
};

enum class TRtfPictureKind : std::uint8_t {
  pkUnknown,  // a picture whose kind the reader did not recognise
  pkPng,      // \pngblip
  pkJpeg,     // \jpegblip
  pkEmf,      // \emfblip
  pkWmf,      // \wmetafileN
  pkDib,      // \dibitmapN
  pkBitmap,   // \wbitmapN
};

// An object embedded in the document (\object\objemb): its class ("Package" for a file carried whole), its
// name (a package's file name) and its bytes. It is shown as the picture of its result.
struct TRtfEmbeddedObject {
  std::string className;
  std::string name;
  std::vector<std::uint8_t> data;

  bool operator==(const TRtfEmbeddedObject&) const = default;
};

struct TRtfPicture {
  TRtfPictureKind kind = TRtfPictureKind::pkUnknown;
  int kindParameter = 0;  // the N of \wmetafileN, \dibitmapN, \wbitmapN
  int width = 0;          // \picw: pixels for bitmaps, 0.01 mm for metafiles
  int height = 0;         // \pich
  int goalWidth = 0;      // \picwgoal, twips; 0 when not given
  int goalHeight = 0;     // \pichgoal
  int scaleX = 100;       // \picscalex, percent
  int scaleY = 100;
  std::vector<std::uint8_t> data;  // the picture's bytes, decoded from hexadecimal or \bin
  TRtfEmbeddedObject object;       // the object this picture shows, when it is an object's face

  // The size the picture is shown at, in twips, or 0 when the picture states no size at all (a PNG or
  // JPEG then shows at its natural size).
  int DisplayWidth() const;
  int DisplayHeight() const;
  // True for the kinds that are shown as pictures; the others are shown as a placeholder of their size.
  bool IsShowable() const { return kind == TRtfPictureKind::pkPng || kind == TRtfPictureKind::pkJpeg; }
  // True when the picture is the face of an embedded object.
  bool IsObject() const { return !object.className.empty(); }

  bool operator==(const TRtfPicture&) const = default;
};

enum class TRtfInlineKind : std::uint8_t { ikText, ikTab, ikLineBreak, ikPageBreak, ikPicture };

struct TRtfInline {
  TRtfInlineKind kind = TRtfInlineKind::ikText;
  TRtfCharFormat format;
  std::string text;       // ikText only; never empty in a document the reader made
  int pictureIndex = -1;  // ikPicture only: into TRtfDocument::pictures

  bool operator==(const TRtfInline&) const = default;
};

struct TRtfParagraph {
  TRtfParaFormat format;
  std::vector<TRtfInline> items;

  bool operator==(const TRtfParagraph&) const = default;
};

struct TRtfDocument {
  static constexpr int kDefaultTabWidth = 720;

  std::vector<TRtfFont> fonts;
  std::vector<TRtfColor> colors;
  std::vector<std::string> links;  // hyperlink targets
  std::vector<TRtfPicture> pictures;
  std::vector<TRtfParagraph> paragraphs;
  int defaultTabWidth = kDefaultTabWidth;  // \deftab

  bool operator==(const TRtfDocument&) const = default;

  // Table lookups that tolerate an index outside the table (as damaged input may give): nullptr then.
  const TRtfFont* FontAt(int index) const;
  const TRtfColor* ColorAt(int index) const;
  const std::string* LinkAt(int index) const;
  const TRtfPicture* PictureAt(int index) const;
  // The colour a run's text is drawn in: nullptr for the default (automatic) colour.
  const TRtfColor* TextColorOf(const TRtfCharFormat& format) const;
  // The highlight behind a run: nullptr for none.
  const TRtfColor* HighlightOf(const TRtfCharFormat& format) const;

  // Index of an entry equal to the given one, appending it when there is none.
  int AddFont(const TRtfFont& font);
  int AddColor(const TRtfColor& color);
  int AddLink(const std::string& target);
};

// Appends text to a paragraph, joining it to the last item when that is text of the same format, so that a
// paragraph never holds two neighbouring text items of equal format.
void AppendText(TRtfParagraph& paragraph, const TRtfCharFormat& format, std::string_view text);
// Appends a non-text item (tab, line break, page break or picture).
void AppendItem(TRtfParagraph& paragraph, TRtfInlineKind kind, const TRtfCharFormat& format,
                int pictureIndex = -1);
