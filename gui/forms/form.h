#pragma once
// TCustomForm and TForm: top-level windows. A form class of the program is made with
// NewForm<T>(Owner) (or Application->CreateForm<T>()), which constructs it, reads its
// stored layout "<ClassName>.layout" compiled into the program and runs OnCreate inside
// the exception guard, so an error there is shown and the window still comes up. A form
// constructed directly (new TForm(Owner)) starts empty, for windows built in code.
//
// Width and Height are the outer size of the window; the client area (the Qt widget) is
// smaller by a notional frame that depends on BorderStyle (see FrameExtent). Layouts
// store ClientWidth and ClientHeight.

#include <string>

#include "gui/controls/graphic_control.h"
#include "gui/graphics/picture.h"

enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
BREVANT_ENUM_NAMES(TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                   "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter");

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
BREVANT_ENUM_NAMES(TWindowState, "wsNormal", "wsMinimized", "wsMaximized");

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
BREVANT_ENUM_NAMES(TBorderIcon, "biSystemMenu", "biMinimize", "biMaximize", "biHelp");
using TBorderIcons = TSet<TBorderIcon>;

enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
// Answers whether the command was handled; CallHelp false stops the help viewer call.
using THelpEvent = std::function<bool(uint16_t Command, int64_t Data, bool& CallHelp)>;

class TMainMenu;

class TCustomForm : public TCustomControl {
 public:
  BREVANT_CLASS(TCustomForm)
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  TFormBorderStyle BorderStyle() const { return BorderStyle_; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return BorderIcons_; }
  void SetBorderIcons(TBorderIcons Value);
  TPosition Position() const { return Position_; }
  void SetPosition(TPosition Value) { Position_ = Value; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState Value);
  TPicture* Icon() const { return Icon_.get(); }
  void SetIcon(TPicture* Value) { Icon_->Assign(*Value); }
  bool KeyPreview() const { return KeyPreview_; }
  void SetKeyPreview(bool Value) { KeyPreview_ = Value; }
  const std::string& HelpFile() const { return HelpFile_; }
  void SetHelpFile(const std::string& Value) { HelpFile_ = Value; }
  // The menu bar, above the client area; the client area keeps its size when it comes or goes.
  TMainMenu* Menu() const { return Menu_; }
  void SetMenu(TMainMenu* Value);
  int MenuBarHeight() const;
  TPoint ClientOffset() const override { return {0, MenuBarHeight()}; }

  // The control that has (or gets, when the form is shown) the keyboard focus.
  TWinControl* ActiveControl() const { return ActiveControl_; }
  void SetActiveControl(TWinControl* Value);
  // The button that Return clicks and the one that Escape clicks (set by TButton).
  TWinControl* DefaultButton() const;
  TWinControl* CancelButton() const;

  TModalResult ModalResult() const { return ModalResult_; }
  void SetModalResult(TModalResult Value);
  bool Modal() const { return InModalLoop_; }

  int ClientWidth() const override;
  int ClientHeight() const override;
  // Width and height of the notional frame around the client area for a border style.
  static TSize FrameExtent(TFormBorderStyle Style);
  bool StoresSize() const override { return false; }

  void Show();
  void Hide();
  // Asks OnCloseQuery, then OnClose: hides the window (or frees it with caFree); closing
  // the main form ends the program; closing a modal form ends ShowModal with mrCancel.
  void Close();
  bool CloseQuery();
  // Shows the form with every other window disabled until ModalResult becomes non-zero or
  // the form is closed; answers the result. Raises EInvalidOperation for a visible form.
  TModalResult ShowModal();
  // Frees the form once the current message has been handled.
  void Release();
  // Shows the window and brings it to the front.
  void BringToFront();
  bool Active() const;

  // The Alt+letter shortcut Key offered to the form's controls, then to the menu bar.
  bool DialogChar(char Key) override;
  // A key offered to the menu bar's shortcuts (after the key preview, before the control).
  bool IsShortCut(uint16_t Key, TShiftState Shift);
  // Return and Escape: the default or cancel button is clicked. True when one took it.
  bool DialogKey(uint16_t Key, TShiftState Shift);

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  THelpEvent OnHelp;

  // Framework side: runs OnCreate (guarded), then shows the window if the layout made it visible.
  void DoCreate();
  void Activated(bool Active);
  void FocusChangedTo(TWinControl* Control);
  void ControlHidden(TWinControl* Control);
  // The window manager changed the window's geometry (client size, frame position).
  // WidgetW and WidgetH are the widget's size: the client area with the menu bar.
  void WidgetGeometryChanged(int X, int Y, int WidgetW, int WidgetH);
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;
  // Reads the layout resource of this form's class.
  void ReadLayout();
  // Binds a member pointer to the component of that name read from the layout; raises
  // EComponentError when it is missing or of another class.
  template <class T>
  void Bind(T*& Field, const char* Name) {
    Field = dynamic_cast<T*>(FindComponent(Name));
    if (Field == nullptr) MissingComponent(Name);
  }

 protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void InitWidget() override;
  void ApplyGeometry() override;
  void ApplyText() override;
  void VisibleChanged() override;
  void ControlRemoving(TControl* Control) override;
  void Paint() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void ApplyWindowFlags();
  void MenuBarChanged(int ClientW, int ClientH);
  void ApplyIcon();
  void PlaceOnScreen();
  void FocusFirstControl();
  void HideWindow();
  [[noreturn]] void MissingComponent(const char* Name) const;

  TFormBorderStyle BorderStyle_ = bsSizeable;
  TBorderIcons BorderIcons_{biSystemMenu, biMinimize, biMaximize};
  TPosition Position_ = poDesigned;
  TWindowState WindowState_ = wsNormal;
  std::unique_ptr<TPicture> Icon_;
  bool KeyPreview_ = false;
  std::string HelpFile_;
  TMainMenu* Menu_ = nullptr;
  TWinControl* ActiveControl_ = nullptr;
  TModalResult ModalResult_ = mrNone;
  bool InModalLoop_ = false;
  bool Placed_ = false;
  bool Created_ = false;
};

class TForm : public TCustomForm {
 public:
  BREVANT_CLASS(TForm)
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// Makes a form of class T owned by AOwner from its stored layout, running OnCreate guarded.
template <class T>
T* NewForm(TComponent* AOwner) {
  static_assert(std::is_base_of_v<TCustomForm, T>);
  T* form = new T(AOwner);
  try {
    form->ReadLayout();
  } catch (...) {
    delete form;
    throw;
  }
  form->DoCreate();
  return form;
}
