#pragma once
// Value types shared by every control: alignment, mouse buttons and shift state, the
// control style flags, cursors, hit-test codes, modal results and the event types.

#include <cstdint>
#include <functional>

#include "core/alignment.h"
#include "core/types.h"

class TObject;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
BREVANT_ENUM_NAMES(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient");

enum TMouseButton { mbLeft, mbRight, mbMiddle };
BREVANT_ENUM_NAMES(TMouseButton, "mbLeft", "mbRight", "mbMiddle");

enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
BREVANT_ENUM_NAMES(TShiftStateFlag, "ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle",
                   "ssDouble");
using TShiftState = TSet<TShiftStateFlag>;

// How a control behaves toward the framework. csOpaque: the control paints every pixel of
// its bounds, so nothing behind it is painted first. csClickEvents: a press and release
// of the left button inside the control is a click. csAcceptsControls: it holds controls.
enum TControlStyleFlag {
  csAcceptsControls,
  csCaptureMouse,
  csClickEvents,
  csFramed,
  csSetCaption,
  csOpaque,
  csDoubleClicks,
  csFixedWidth,
  csFixedHeight,
  csNoStdEvents,
  csReplicatable
};
BREVANT_ENUM_NAMES(TControlStyleFlag, "csAcceptsControls", "csCaptureMouse", "csClickEvents", "csFramed",
                   "csSetCaption", "csOpaque", "csDoubleClicks", "csFixedWidth", "csFixedHeight",
                   "csNoStdEvents", "csReplicatable");
using TControlStyle = TSet<TControlStyleFlag>;

// Border of a window or a control; controls use bsNone and bsSingle only.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
BREVANT_ENUM_NAMES(TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow",
                   "bsSizeToolWin");
using TBorderStyle = TFormBorderStyle;

using TCursor = int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

// Answers of the hit-test query.
inline constexpr int htTransparent = -1;
inline constexpr int htNowhere = 0;
inline constexpr int htClient = 1;
inline constexpr int htCaption = 2;

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;
inline constexpr TModalResult mrNoToAll = 9;
inline constexpr TModalResult mrYesToAll = 10;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
