#pragma once
// Shared set-up of the suites that show real windows: one Qt application and the window
// framework's globals for the whole run (Qt's offscreen platform), recorders that watch the
// real message boxes and common dialogs and answer them, and helpers that let Qt catch up.

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "gui/dialogs/common_dialog.h"
#include "gui/dialogs/message_box.h"
#include "gui/forms/application.h"

// Which button the run presses in a message box that no test waits for (a box nobody answers
// would hang the run): the preferred one where the box offers it, the other one otherwise.
enum class TStrayBoxAnswer { Ok, Cancel };

// Starts the window framework before the first test and ends it after the last: Title is the
// application's (the caption of message boxes that name none), StrayBoxes answers the boxes no
// test waits for, every common dialog that no test drives is closed, and RegisterClasses (when
// given) registers the classes that the suites' layouts create by name. Register it once per
// test program, at namespace scope:
//   const auto* const kEnvironment = AddGuiTestEnvironment("Title", TStrayBoxAnswer::Ok);
::testing::Environment* AddGuiTestEnvironment(const std::string& Title, TStrayBoxAnswer StrayBoxes,
                                              std::function<void()> RegisterClasses = {});

struct TShownBox {
  std::string Caption;
  std::string Text;
  TMsgDlgType Icon = mtCustom;
  TMsgDlgButtons Buttons;
  bool ApplicationModal = false;
};

// While it lives, every message box is recorded and answered with Answer.
class TMessageBoxRecorder {
 public:
  explicit TMessageBoxRecorder(TMsgDlgBtn Answer = mbOK);
  ~TMessageBoxRecorder();
  const std::vector<TShownBox>& Boxes() const { return Boxes_; }

 private:
  std::vector<TShownBox> Boxes_;
  TMessageBoxObserver Previous_;
};

// While it lives, every common dialog that shows is handed to Answer (which must close a
// modal one); Shown counts them.
class TDialogDriver {
 public:
  explicit TDialogDriver(std::function<void(TDialogView& View)> Answer);
  ~TDialogDriver();
  int Shown() const { return Shown_; }

 private:
  int Shown_ = 0;
  TDialogObserver Previous_;
};

// Handles messages until Done answers true or about five seconds went by; answers Done().
bool PumpUntil(const std::function<bool()>& Done);

// Shows the form's window and makes it the active one, with everything painted.
void ShowAndActivate(TCustomForm& Form);
// Handles every waiting message.
void Pump();
