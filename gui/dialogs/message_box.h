#pragma once
// Message boxes: a text with an icon and a row of buttons, shown modally; the answer is
// the modal result of the button pressed (mrCancel when the box is closed otherwise).
//
// A message box observer, when one is installed, is called once each box is on the
// screen and may press one of its buttons: automation and tests drive the real box
// through it.

#include <functional>
#include <string>

#include "core/types.h"
#include "gui/controls/control_types.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
BREVANT_ENUM_NAMES(TMsgDlgType, "mtWarning", "mtError", "mtInformation", "mtConfirmation", "mtCustom");

enum TMsgDlgBtn {
  mbYes,
  mbNo,
  mbOK,
  mbCancel,
  mbAbort,
  mbRetry,
  mbIgnore,
  mbAll,
  mbNoToAll,
  mbYesToAll,
  mbHelp
};
BREVANT_ENUM_NAMES(TMsgDlgBtn, "mbYes", "mbNo", "mbOK", "mbCancel", "mbAbort", "mbRetry", "mbIgnore", "mbAll",
                   "mbNoToAll", "mbYesToAll", "mbHelp");
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};

// Shows a box with Caption over Text; the icon follows Type (mtError: the stop icon).
TModalResult ShowMessageBox(const std::string& Text, const std::string& Caption, TMsgDlgType Type,
                            TMsgDlgButtons Buttons);
// A box captioned after its type ("Error", "Confirm", ...; mtCustom: the application title).
TModalResult MessageDlg(const std::string& Msg, TMsgDlgType Type, TMsgDlgButtons Buttons,
                        int HelpContext = 0);
// A box with the application title as caption, no icon and an OK button.
void ShowMessage(const std::string& Msg);

// What an observer sees of a box on the screen, read from the real window.
class TMessageBoxView {
 public:
  virtual ~TMessageBoxView() = default;
  virtual std::string Caption() const = 0;
  virtual std::string Text() const = 0;
  // The icon shown, as the type that shows it (mtCustom for none).
  virtual TMsgDlgType Icon() const = 0;
  virtual TMsgDlgButtons Buttons() const = 0;
  // Whether the box is application-modal (every other window disabled while it shows).
  virtual bool ApplicationModal() const = 0;
  // Presses a button of the box (as a click would); the box closes with its result.
  virtual void Press(TMsgDlgBtn Button) = 0;
};

using TMessageBoxObserver = std::function<void(TMessageBoxView& Box)>;
// Installs the observer (none: boxes wait for the player); answers the previous one.
TMessageBoxObserver SetMessageBoxObserver(TMessageBoxObserver Observer);
