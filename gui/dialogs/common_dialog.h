#pragma once
// TCommonDialog: the base of the standard dialogs as components (find and replace, font,
// open and save, print, page setup). Execute shows the dialog: a modal one answers whether
// the player confirmed it; find and replace stay open beside their window, which keeps
// working, and report through their events.
//
// Every dialog is made of Qt widgets in a window of the program (never one of the desktop's
// own, which nothing could reach). A dialog observer, when one is installed, is called once
// each dialog is on the screen with a view of its window, through which it can read and
// work the dialog's controls as the player would: automation and tests drive the real
// dialogs this way. View() answers the same kind of view for a dialog that is open now.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/component.h"
#include "core/exceptions.h"

class TCommonDialog;
class TDialogWindow;

// The window of an open dialog as automation sees it. Controls are named by the dialog
// (each dialog's header lists its names); an unknown name raises EInvalidArgument, and
// working a control the player could not (hidden, disabled) raises EInvalidOperation.
class TDialogView {
 public:
  virtual ~TDialogView() = default;
  virtual TCommonDialog& Dialog() const = 0;
  virtual std::string Caption() const = 0;
  // Whether every other window is disabled while the dialog shows.
  virtual bool Modal() const = 0;
  virtual std::vector<std::string> ControlNames() const = 0;
  virtual bool Visible(const std::string& Control) const = 0;
  virtual bool Enabled(const std::string& Control) const = 0;
  // The text of a field, the chosen entry of a list, or the caption of a button or label.
  virtual std::string Text(const std::string& Control) const = 0;
  // Types Value into a field (replacing its text) or chooses the entry Value of a list.
  virtual void SetText(const std::string& Control, const std::string& Value) = 0;
  // The entries of a list.
  virtual std::vector<std::string> Items(const std::string& Control) const = 0;
  virtual bool Checked(const std::string& Control) const = 0;
  // Clicks a check box or a radio button when its state differs from Value.
  virtual void SetChecked(const std::string& Control, bool Value) = 0;
  // Clicks a button.
  virtual void Press(const std::string& Button) = 0;
  // Closes the window as its title bar's close button does.
  virtual void CloseWindow() = 0;
};

using TDialogObserver = std::function<void(TDialogView& View)>;
// Installs the observer (none: dialogs wait for the player); answers the previous one.
TDialogObserver SetDialogObserver(TDialogObserver Observer);

class TCommonDialog : public TComponent {
 public:
  BREVANT_CLASS(TCommonDialog)
  explicit TCommonDialog(TComponent* AOwner);
  ~TCommonDialog() override;

  virtual bool Execute() = 0;
  // Whether the dialog's window is open now.
  bool Showing() const { return Window_ != nullptr; }
  // A view of the open window, or none when the dialog is not showing.
  std::unique_ptr<TDialogView> View();

  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

  // Framework side: the window that is open now (set while it shows).
  void WindowOpened(TDialogWindow* Window);
  void WindowClosed(TDialogWindow* Window);

 protected:
  virtual void DoShow();
  virtual void DoClose();

 private:
  friend class TDialogWindow;
  TDialogWindow* Window_ = nullptr;
};
