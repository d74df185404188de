#pragma once
// The values the edit layer (TRichEditBox) takes and answers, without Qt, so that the control
// classes can use them in their headers.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/color.h"
#include "core/types.h"
#include "gui/graphics/geometry.h"
#include "gui/graphics/graphics_objects.h"

// How content streams in and out: plain text (CR LF between paragraphs) or RTF.
enum TRichStreamFormat { rfText, rfRtf };

// The outcome of a stream operation; anything but reNone leaves the content as it was.
enum TRichStreamError {
  reNone,
  reNotRtf,       // RTF was asked for and the bytes are not RTF at all
  reReadFailed,   // the reader reported a failure
  reTooLarge,     // more bytes than MaxStreamInSize
  reWriteFailed,  // the writer reported a failure
};

// Fills Buffer with at most Capacity bytes; answers how many (0 at the end), or -1 for a failure.
using TRichStreamReader = std::function<int64_t(char* Buffer, int64_t Capacity)>;
// Takes Count bytes; answers false for a failure.
using TRichStreamWriter = std::function<bool(const char* Data, int64_t Count)>;

struct TRichFindOptions {
  bool Down = true;  // search toward the end; otherwise from Start back to the range's end
  bool WholeWord = false;
  bool MatchCase = false;
};

// Which members of a character format are meant: on reading, those that hold for the whole
// selection; on writing, those to change.
enum TRichCharField {
  cfFace,
  cfSize,
  cfBold,
  cfItalic,
  cfUnderline,
  cfStrikeOut,
  cfColor,
  cfCharset,
  cfPitch,
  cfProtected
};
using TRichCharFields = TSet<TRichCharField>;
inline constexpr TRichCharFields kAllCharFields{cfFace,      cfSize,  cfBold,    cfItalic, cfUnderline,
                                                cfStrikeOut, cfColor, cfCharset, cfPitch,  cfProtected};

struct TRichCharFormat {
  TRichCharFields Fields = kAllCharFields;
  std::string Face;     // the requested family ("MS Sans Serif"), not the one drawn
  int HeightTwips = 0;  // character height, 20 per point
  TFontStyles Style;
  bool AutoColor = true;   // the text follows the window-text colour
  TColor Color = clBlack;  // RGB, when not AutoColor
  uint8_t Charset = DEFAULT_CHARSET;
  TFontPitch Pitch = fpDefault;
  bool Protected = false;  // changing the text asks the protected notification first
};

enum TRichAlignment { raLeft, raRight, raCenter, raJustify };
enum TRichNumbering { rnNone, rnBullet };

// Line spacing as the paragraph dialog offers it: single, one and a half, double, at least
// (twips), exactly (twips), multiple (twentieths of a line).
enum TRichLineSpacingRule { rlSingle, rlOneAndHalf, rlDouble, rlAtLeast, rlExactly, rlMultiple };

enum TRichParaField {
  pfAlignment,
  pfNumbering,
  pfOffset,
  pfRightIndent,
  pfStartIndent,
  pfTabStops,
  pfSpaceBefore,
  pfSpaceAfter,
  pfLineSpacing
};
using TRichParaFields = TSet<TRichParaField>;
inline constexpr TRichParaFields kAllParaFields{pfAlignment,   pfNumbering,   pfOffset,
                                                pfRightIndent, pfStartIndent, pfTabStops,
                                                pfSpaceBefore, pfSpaceAfter,  pfLineSpacing};
inline constexpr int kMaxRichTabStops = 32;

// A paragraph format in twips. StartIndent is where the first line starts, Offset where the
// other lines start relative to it (the left indent is StartIndent + Offset).
struct TRichParaFormat {
  TRichParaFields Fields = kAllParaFields;
  TRichAlignment Alignment = raLeft;
  TRichNumbering Numbering = rnNone;
  int StartIndent = 0;
  int Offset = 0;
  int RightIndent = 0;
  std::vector<int> Tabs;  // positions from the left margin; at most kMaxRichTabStops
  int SpaceBefore = 0;
  int SpaceAfter = 0;
  TRichLineSpacingRule LineSpacingRule = rlSingle;
  int LineSpacing = 0;
};

// The notifications the box sends; each only while its member is in the event mask.
enum TRichEvent { evChange, evSelectionChange, evRequestResize, evProtected, evLink };
using TRichEventMask = TSet<TRichEvent>;

// What happened over a link (a URL the box detected).
enum TRichLinkAction { laMouseDown, laMouseUp, laMouseMove, laDoubleClick };
struct TRichLinkNotice {
  TRichLinkAction Action = laMouseMove;
  int Start = 0;  // the link's characters, Start inclusive, End exclusive
  int End = 0;
};

// What the clipboard holds, format by format, in the order it offers them.
enum TClipboardKind { ckText, ckRichText, ckHtml, ckBitmap, ckMetafile, ckOther };

class TPrinter;

// One page of the content laid out on a printer (see TRichEditBox::FormatRange).
struct TRichFormatRange {
  TPrinter* Printer = nullptr;  // its resolution lays the text out; its current page is drawn on
  TRect Area;                   // where the text goes, in twips from the printable area's corner
  TRect Page;                   // the whole page, in twips
  int First = 0;                // the first character of the page
  int Last = -1;                // no character from here on goes on the page (-1: the end)
};

// An embedded object as the edit layer inserts and reports it: a picture (its bytes as stored,
// PNG when it was inserted from a file) or a file carried whole (class "Package", the file's
// name and bytes), shown as the picture.
struct TRichEmbeddedObject {
  std::string ClassName;  // empty for a plain picture
  std::string Name;       // a package's file name; a picture's suggested file name
  std::string Data;       // the file's bytes, or the picture's
};
