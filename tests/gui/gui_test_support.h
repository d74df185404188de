#pragma once
// Shared set-up of the framework tests: one Qt application and the framework's globals for
// the whole run (Qt's offscreen platform), and a recorder that watches the real message
// boxes and answers them.

#include <QApplication>
#include <QWidget>
#include <string>
#include <vector>

#include "gui/dialogs/message_box.h"
#include "gui/forms/application.h"

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

// Shows the form's window and makes it the active one, with everything painted.
void ShowAndActivate(TCustomForm& Form);
// Handles every waiting message.
void Pump();
