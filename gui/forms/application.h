#pragma once
// TApplication: the program's application object (the global `Application`). It owns the
// main form and the forms created through it, runs the message loop, and is the exception
// guard: every call from Qt into our code runs inside Guard, which catches what escapes,
// shows it in the error message box and lets the loop go on.

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "core/component.h"
#include "core/exceptions.h"
#include "gui/dialogs/message_box.h"
#include "gui/forms/form.h"
#include "platform/help/help_commands.h"

using TExceptionEvent = std::function<void(TObject* Sender, const Exception& E)>;
// The platform's help viewer: file, command, data and the window it belongs to (the main
// form, or the active one while there is no main form).
using THelpViewer =
    std::function<void(const std::string& HelpFile, uint16_t Command, int64_t Data, TCustomForm* Owner)>;

class TApplication : public TComponent {
 public:
  BREVANT_CLASS(TApplication)
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  void Initialize();
  const std::string& Title() const { return Title_; }
  void SetTitle(const std::string& Value);
  const std::string& HelpFile() const { return HelpFile_; }
  void SetHelpFile(const std::string& Value) { HelpFile_ = Value; }
  bool ShowHint() const { return ShowHint_; }
  void SetShowHint(bool Value) { ShowHint_ = Value; }
  // The long hint of what the pointer is on (a control, or a menu item while a menu is
  // open): the part of its hint after the bar. A change runs OnHint, for a status line.
  const std::string& Hint() const { return Hint_; }
  void SetHint(const std::string& Value);

  TCustomForm* MainForm() const { return MainForm_; }
  // Makes a form of class T owned by the application from its stored layout; the first
  // form made this way becomes the main form and gets its window at once.
  template <class T>
  T* CreateForm() {
    T* form = NewForm<T>(this);
    FormCreated(form);
    return form;
  }
  // The same, also storing the form in Reference (once its layout is read and OnCreate ran).
  template <class T>
  void CreateForm(T*& Reference) {
    Reference = CreateForm<T>();
  }

  // How Run shows the main form: wsNormal keeps the form's own WindowState; a caller (a
  // desktop launcher, a test) may ask for maximised or minimised.
  TWindowState StartupShowMode() const { return StartupShowMode_; }
  void SetStartupShowMode(TWindowState Value) { StartupShowMode_ = Value; }
  // Shows the main form and handles messages until Terminate.
  void Run();
  void Terminate();
  bool Terminated() const { return Terminated_; }
  // Handles every message waiting now.
  void ProcessMessages();
  // Waits for one message and handles it (and whatever else is waiting).
  void HandleMessage();
  // Runs Fn after the current message has been handled, inside the guard.
  void QueueCall(std::function<void()> Fn);
  // Frees the form after the current message (unless someone frees it before).
  void ReleaseForm(TCustomForm* Form);

  // Runs Fn; whatever it throws is handled here and goes no further.
  void Guard(const std::function<void()>& Fn) noexcept;
  // Like Guard, but the message box comes after the current message (used while painting).
  void GuardDeferred(const std::function<void()>& Fn) noexcept;
  // Shows (or passes to OnException) an exception that no handler caught; EAbort is silent.
  void HandleException(std::exception_ptr E) noexcept;
  // The error message box: application title as caption, the stop icon, an OK button.
  void ShowException(const Exception& E);
  TModalResult MessageBox(const std::string& Text, const std::string& Caption, TMsgDlgType Type,
                          TMsgDlgButtons Buttons);

  // Offers the help command to the active form's OnHelp, then the application's, then
  // calls the help viewer with the active form's help file or the application's.
  bool HelpCommand(uint16_t Command, int64_t Data);
  void SetHelpViewer(THelpViewer Viewer) { HelpViewer_ = std::move(Viewer); }

  TExceptionEvent OnException;
  THelpEvent OnHelp;
  TNotifyEvent OnHint;

  // Framework side.
  // The pointer is over Control (none: over no window of ours): Hint follows its hint,
  // or its nearest parent's.
  void HintMouseMessage(TControl* Control);
  void FormCreated(TCustomForm* Form);
  void FormDestroying(TCustomForm* Form);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  std::string Title_;
  std::string HelpFile_;
  bool ShowHint_ = true;
  std::string Hint_;
  TCustomForm* MainForm_ = nullptr;
  TWindowState StartupShowMode_ = wsNormal;
  bool Terminated_ = false;
  bool Running_ = false;
  std::vector<TCustomForm*> Releasing_;
  THelpViewer HelpViewer_;
};

// The application object of the program, made by TGuiModule.
extern TApplication* Application;

// The error message text: the message with a full stop added when its last character
// sorts after "." (so "Record not found" ends with one; "Done!" and "Ok." stay as they are).
std::string ErrorMessageText(const std::string& Message);

// Runs Fn inside the application's guard (or, without an application, writes the error to
// standard error).
void GuardCall(const std::function<void()>& Fn) noexcept;
