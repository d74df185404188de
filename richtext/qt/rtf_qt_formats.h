#pragma once
// Conversions between the formats of the document model and Qt's text formats, for the bridge and for
// the control (selection and paragraph formats).
//
// Lengths: the model counts twips, a QTextDocument lays out in pixels at the screen's logical resolution
// (the one it also turns point sizes into pixels with), so TRtfQtUnits converts with that resolution.
//
// Round trips: a Qt format cannot hold everything RTF states (double underlines, a first-line indent of a
// list paragraph, the table a font or colour came from, ...). The Qt formats made here therefore also
// carry the model's own values in user properties; reading a Qt format back uses those values wherever
// the visible Qt values are still the ones they were turned into, and the visible values where an edit
// changed them.

#include <QColor>
#include <QFont>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextListFormat>

#include "rtf_document.h"

class TRtfQtUnits {
 public:
  // The logical vertical resolution of the primary screen, or 96 without a screen.
  static double ScreenDotsPerInch();

  explicit TRtfQtUnits(double dotsPerInch = ScreenDotsPerInch()) : dotsPerInch_(dotsPerInch) {}

  double DotsPerInch() const { return dotsPerInch_; }
  double ToPixels(int twips) const { return twips * dotsPerInch_ / 1440.0; }
  int ToTwips(double pixels) const;

 private:
  double dotsPerInch_;
};

// User properties of the formats this bridge makes.
enum TRtfQtProperty : int {
  rqpCharacter = QTextFormat::UserProperty + 0x5270,  // font, colour, highlight index, underline kind
  rqpParagraph,                                       // the paragraph format in twips
  rqpContinuesParagraph,  // a block that only exists because a page break split a paragraph
  rqpPicture,             // a picture's kind, sizes and scale
  rqpPictureData,         // a picture's bytes
  rqpObject,              // the embedded object a picture shows: its class, name and bytes
};

// The model's colour as a QColor (the colour must not be automatic).
QColor ToQColor(const TRtfColor& color);
TRtfColor FromQColor(const QColor& color);

// A character format with the document's fonts and colours resolved. A size of 0 and a font index of
// -1 leave the size and the font unset, so the document's default applies.
QTextCharFormat ToQtCharFormat(const TRtfCharFormat& format, const TRtfDocument& tables);

// A block format. `inList` tells that the block shows a bullet or number: Qt then draws the marker in
// front of the text at the left indent, so the first-line indent is kept only in the user property.
QTextBlockFormat ToQtBlockFormat(const TRtfParaFormat& format, const TRtfQtUnits& units, bool inList);

// The list style of a numbering; nmNone gives ListStyleUndefined.
QTextListFormat::Style ToQtListStyle(TRtfNumbering numbering);
TRtfNumbering FromQtListStyle(QTextListFormat::Style style);

// Reads a Qt character format back, finding or adding its font, colours and link in the tables.
// `defaultFont` gives the size of text whose format sets none (0 when it has none either).
TRtfCharFormat FromQtCharFormat(const QTextCharFormat& format, TRtfDocument& tables,
                                const QFont& defaultFont);

// Reads a Qt block format back; `listStyle` is the style of the list the block belongs to, if any.
TRtfParaFormat FromQtBlockFormat(const QTextBlockFormat& format, const TRtfQtUnits& units,
                                 QTextListFormat::Style listStyle = QTextListFormat::ListStyleUndefined);
