#pragma once
// TFindDialog and TReplaceDialog: the modeless find and replace dialogs. Execute shows the
// dialog (or brings it forward) and returns at once; the window that opened it keeps
// working. Each button press first takes the dialog's text and options into FindText,
// ReplaceText and Options (frFindNext, frReplace or frReplaceAll telling which button it
// was), then fires OnFind (Find Next) or OnReplace (Replace, Replace All). OnClose fires
// once whenever the dialog closes: Cancel, Escape, its close button or CloseDialog.
//
// Controls for automation: "FindText", "MatchCase", "WholeWord", "Up", "Down", "FindNext",
// "Cancel"; the replace dialog adds "ReplaceText", "Replace", "ReplaceAll".

#include <memory>
#include <string>

#include "core/types.h"
#include "gui/dialogs/common_dialog.h"

enum TFindOption {
  frDown,
  frFindNext,
  frHideMatchCase,
  frHideWholeWord,
  frHideUpDown,
  frMatchCase,
  frDisableMatchCase,
  frDisableUpDown,
  frDisableWholeWord,
  frReplace,
  frReplaceAll,
  frWholeWord
};
BREVANT_ENUM_NAMES(TFindOption, "frDown", "frFindNext", "frHideMatchCase", "frHideWholeWord", "frHideUpDown",
                   "frMatchCase", "frDisableMatchCase", "frDisableUpDown", "frDisableWholeWord", "frReplace",
                   "frReplaceAll", "frWholeWord");
using TFindOptions = TSet<TFindOption>;

class TFindDialog : public TCommonDialog {
 public:
  BREVANT_CLASS(TFindDialog)
  explicit TFindDialog(TComponent* AOwner);
  ~TFindDialog() override;

  const std::string& FindText() const { return FindText_; }
  void SetFindText(const std::string& Value);
  TFindOptions Options() const { return Options_; }
  void SetOptions(TFindOptions Value);

  // Shows the dialog, or brings it forward when it is open; answers true.
  bool Execute() override;
  // Closes the dialog if it is open (OnClose fires).
  void CloseDialog();

  TNotifyEvent OnFind;

 protected:
  // The caption of the window and whether it offers the replace controls.
  virtual std::string WindowCaption() const;
  virtual bool Replacing() const { return false; }
  virtual void DoFind();
  virtual void DoReplace() {}
  // Options and texts from the window into the properties, and the reverse.
  virtual void TakeFromWindow();
  virtual void PushToWindow();

  TDialogWindow* OpenWindow() const { return Window_.get(); }

 private:
  void BuildWindow();
  void Pressed(TFindOption Action);
  void WindowFinished();
  void UpdateButtons();

  std::string FindText_;
  TFindOptions Options_{frDown};
  std::unique_ptr<TDialogWindow> Window_;
};

class TReplaceDialog : public TFindDialog {
 public:
  BREVANT_CLASS(TReplaceDialog)
  explicit TReplaceDialog(TComponent* AOwner) : TFindDialog(AOwner) {}

  const std::string& ReplaceText() const { return ReplaceText_; }
  void SetReplaceText(const std::string& Value);

  TNotifyEvent OnReplace;

 protected:
  std::string WindowCaption() const override;
  bool Replacing() const override { return true; }
  void DoReplace() override;
  void TakeFromWindow() override;
  void PushToWindow() override;

 private:
  std::string ReplaceText_;
};
