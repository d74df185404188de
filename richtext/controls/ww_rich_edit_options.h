#pragma once
// The settings of the rich text controls that layouts store: which popup items exist, the
// editor window's options and placement, measurement units, print margins, the text width.

#include <string>

#include "core/object.h"
#include "core/types.h"

enum TwwRichEditPopupOption {
  rpoPopupEdit,
  rpoPopupCut,
  rpoPopupCopy,
  rpoPopupPaste,
  rpoPopupBold,
  rpoPopupItalic,
  rpoPopupUnderline,
  rpoPopupFont,
  rpoPopupBullet,
  rpoPopupParagraph,
  rpoPopupTabs,
  rpoPopupFind,
  rpoPopupReplace,
  rpoPopupInsertObject
};
BREVANT_ENUM_NAMES(TwwRichEditPopupOption, "rpoPopupEdit", "rpoPopupCut", "rpoPopupCopy", "rpoPopupPaste",
                   "rpoPopupBold", "rpoPopupItalic", "rpoPopupUnderline", "rpoPopupFont", "rpoPopupBullet",
                   "rpoPopupParagraph", "rpoPopupTabs", "rpoPopupFind", "rpoPopupReplace",
                   "rpoPopupInsertObject");
using TwwRichEditPopupOptions = TSet<TwwRichEditPopupOption>;
// Every item except Bold, Italic and Underline.
inline constexpr TwwRichEditPopupOptions kDefaultPopupOptions = TwwRichEditPopupOptions::FromBits(0x3F8F);

enum TwwRichEditOption {
  reoShowLoad,
  reoShowSaveAs,
  reoShowSaveExit,
  reoShowPrint,
  reoShowPageSetup,
  reoShowFormatBar,
  reoShowToolBar,
  reoShowStatusBar,
  reoShowHints,
  reoShowRuler,
  reoShowInsertObject,
  reoCloseOnEscape,
  reoFlatButtons
};
BREVANT_ENUM_NAMES(TwwRichEditOption, "reoShowLoad", "reoShowSaveAs", "reoShowSaveExit", "reoShowPrint",
                   "reoShowPageSetup", "reoShowFormatBar", "reoShowToolBar", "reoShowStatusBar",
                   "reoShowHints", "reoShowRuler", "reoShowInsertObject", "reoCloseOnEscape",
                   "reoFlatButtons");
using TwwRichEditOptions = TSet<TwwRichEditOption>;
// Every option except Load and Save As.
inline constexpr TwwRichEditOptions kDefaultEditorOptions = TwwRichEditOptions::FromBits(0x1FFC);

enum TwwRichEditOleOption { reoAdjustPopupMenu, reoDisableOLE };
BREVANT_ENUM_NAMES(TwwRichEditOleOption, "reoAdjustPopupMenu", "reoDisableOLE");
using TwwRichEditOleOptions = TSet<TwwRichEditOleOption>;

enum TwwMeasurementUnits { muInches, muCentimeters };
BREVANT_ENUM_NAMES(TwwMeasurementUnits, "muInches", "muCentimeters");

// rewWindowSize: text wraps at the window; rewPrinterSize: at the printable page width.
enum TwwRichEditWidth { rewWindowSize, rewPrinterSize };
BREVANT_ENUM_NAMES(TwwRichEditWidth, "rewWindowSize", "rewPrinterSize");

// Page margins in the control's measurement units.
class TwwPrintMargins : public TPersistent {
 public:
  BREVANT_CLASS(TwwPrintMargins)
  double Top() const { return Top_; }
  void SetTop(double Value) { Top_ = Value; }
  double Bottom() const { return Bottom_; }
  void SetBottom(double Value) { Bottom_ = Value; }
  double Left() const { return Left_; }
  void SetLeft(double Value) { Left_ = Value; }
  double Right() const { return Right_; }
  void SetRight(double Value) { Right_ = Value; }
  void Assign(const TPersistent& Source) override;

 private:
  double Top_ = 1.0;
  double Bottom_ = 1.0;
  double Left_ = 1.0;
  double Right_ = 1.0;
};

// Where the editor window opens; 0 means centred, or the window's own size.
class TwwFormPosition : public TPersistent {
 public:
  BREVANT_CLASS(TwwFormPosition)
  int Left() const { return Left_; }
  void SetLeft(int Value) { Left_ = Value; }
  int Top() const { return Top_; }
  void SetTop(int Value) { Top_ = Value; }
  int Width() const { return Width_; }
  void SetWidth(int Value) { Width_ = Value; }
  int Height() const { return Height_; }
  void SetHeight(int Value) { Height_ = Value; }
  void Assign(const TPersistent& Source) override;

 private:
  int Left_ = 0;
  int Top_ = 0;
  int Width_ = 0;
  int Height_ = 0;
};

// The number of a measurement written as text: leading blanks and a unit suffix (trailing blanks,
// apostrophes and the letters c and m, either case) are dropped. False when what remains is empty or
// no finite number ("1,5", "--1", "1e999").
bool ParseUnitsText(const std::string& Text, double& Value);
// A margin written as text ("1", "2.5 cm", "1''") in twips: the unit suffix (blanks, apostrophes
// and the letters c and m) is dropped, the number taken as inches, or as centimetres of 1/2.537
// inch. Raises EConvertError for text that is no number.
int MarginToTwips(const std::string& Text, TwwMeasurementUnits Units);
// A margin as a number, in twips, truncated.
int MarginValueToTwips(double Value, TwwMeasurementUnits Units);
// A number as the shortest decimal text that reads back as the same number ("0.75", "1", "-2.5");
// never "-0".
std::string ShortestDecimalText(double Value);
