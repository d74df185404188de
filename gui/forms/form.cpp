#include "gui/forms/form.h"

#include <QApplication>
#include <QEventLoop>
#include <QIcon>
#include <QPixmap>
#include <QWidget>

#include "core/core_strings.h"
#include "core/format.h"
#include "core/layout/layout_reader.h"
#include "gui/controls/keys.h"
#include "gui/forms/application.h"
#include "gui/forms/screen.h"
#include "gui/gui_strings.h"
#include "gui/menus/main_menu.h"
#include "gui/qt/host_widget.h"
#include "gui/qt/qt_convert.h"

BREVANT_DEFINE_CLASS(TCustomForm, TCustomControl, )

BREVANT_DEFINE_CLASS(TForm, TCustomForm,
                     .Property("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl)
                         .Property("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
                         .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize})
                         .Property("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
                         .Default(bsSizeable)
                         .With(PublishCaption<TForm>)
                         .Property("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight)
                         .Property("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth)
                         .With(PublishFontAndColor<TForm>)
                         .Property("HelpFile", &TCustomForm::HelpFile, &TCustomForm::SetHelpFile)
                         .Property("Icon", &TCustomForm::Icon)
                         .Property("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview)
                         .Default(false)
                         .Property("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu)
                         .Property("Position", &TCustomForm::Position, &TCustomForm::SetPosition)
                         .Default(poDesigned)
                         .Property("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState)
                         .Default(wsNormal)
                         .With(PublishKeyEvents<TForm>)
                         .Event("OnActivate", &TCustomForm::OnActivate)
                         .Event("OnClose", &TCustomForm::OnClose)
                         .Event("OnCloseQuery", &TCustomForm::OnCloseQuery)
                         .Event("OnCreate", &TCustomForm::OnCreate)
                         .Event("OnDeactivate", &TCustomForm::OnDeactivate)
                         .Event("OnDestroy", &TCustomForm::OnDestroy)
                         .Event("OnHelp", &TCustomForm::OnHelp)
                         .Event("OnHide", &TCustomForm::OnHide)
                         .Event("OnShow", &TCustomForm::OnShow))

TCustomForm::TCustomForm(TComponent* AOwner) : TCustomControl(AOwner), Icon_(std::make_unique<TPicture>()) {
  InitDefaults(clBtnFace, false);
  SetParentFont(false);
  SetVisible(false);
  SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
  SetBounds(0, 0, 320, 240);
  Icon_->OnChange = [this](TObject*) { ApplyIcon(); };
  if (Screen != nullptr) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  if (OnDestroy) GuardCall([this]() { OnDestroy(this); });
  ActiveControl_ = nullptr;
  if (Menu_ != nullptr) {
    Menu_->RemoveFreeNotification(this);
    Menu_->SetForm(nullptr);
    Menu_ = nullptr;
  }
  if (Application != nullptr) Application->FormDestroying(this);
  if (Screen != nullptr) Screen->RemoveForm(this);
  Icon_->OnChange = nullptr;
}

void TCustomForm::MissingComponent(const char* Name) const {
  throw EComponentError(Format("%s has no component %s of the expected class", ClassName(), Name));
}

void TCustomForm::ReadLayout() {
  TLayoutReader::ReadResourceInto(*this);
}

void TCustomForm::DoCreate() {
  if (OnCreate) GuardCall([this]() { OnCreate(this); });
  // A layout that says Visible shows the window now that it is complete.
  if (Visible()) VisibleChanged();
}

TSize TCustomForm::FrameExtent(TFormBorderStyle Style) {
  switch (Style) {
    case bsNone:
      return {0, 0};
    case bsSingle:
    case bsDialog:
      return {6, 25};
    case bsToolWindow:
      return {6, 21};
    case bsSizeToolWin:
      return {8, 23};
    case bsSizeable:
      break;
  }
  return {8, 27};
}

int TCustomForm::ClientWidth() const {
  return std::max(0, Width() - FrameExtent(BorderStyle_).cx);
}

int TCustomForm::ClientHeight() const {
  return std::max(0, Height() - FrameExtent(BorderStyle_).cy - MenuBarHeight());
}

int TCustomForm::MenuBarHeight() const {
  return Menu_ != nullptr ? kMenuBarHeight : 0;
}

void TCustomForm::SetMenu(TMainMenu* Value) {
  if (Value == Menu_) return;
  const int cw = ClientWidth(), ch = ClientHeight();
  if (Menu_ != nullptr) {
    Menu_->RemoveFreeNotification(this);
    Menu_->SetForm(nullptr);
  }
  if (Value != nullptr && Value->Form() != nullptr) Value->Form()->SetMenu(nullptr);
  Menu_ = Value;
  if (Value != nullptr) {
    Value->FreeNotification(this);
    Value->SetForm(this);
  }
  MenuBarChanged(cw, ch);
}

void TCustomForm::MenuBarChanged(int ClientW, int ClientH) {
  const TSize frame = FrameExtent(BorderStyle_);
  SetBounds(Left(), Top(), ClientW + frame.cx, ClientH + frame.cy + MenuBarHeight());
  ClientOffsetChanged();
}

bool TCustomForm::IsShortCut(uint16_t Key, TShiftState Shift) {
  return Menu_ != nullptr && Menu_->IsShortCut(Key, Shift);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (Value == BorderStyle_) return;
  // The client area keeps its size; the outer size follows the new frame.
  const int cw = ClientWidth(), ch = ClientHeight();
  BorderStyle_ = Value;
  const TSize frame = FrameExtent(Value);
  SetBounds(Left(), Top(), cw + frame.cx, ch + frame.cy + MenuBarHeight());
  ApplyWindowFlags();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (Value == BorderIcons_) return;
  BorderIcons_ = Value;
  ApplyWindowFlags();
}

TWindowState TCustomForm::WindowState() const {
  return WindowState_;
}

void TCustomForm::SetWindowState(TWindowState Value) {
  WindowState_ = Value;
  if (!HandleAllocated() || !Visible()) return;
  QWidget* w = Widget();
  switch (Value) {
    case wsNormal:
      w->showNormal();
      break;
    case wsMinimized:
      w->showMinimized();
      break;
    case wsMaximized:
      w->showMaximized();
      break;
  }
}

QWidget* TCustomForm::CreateWidget(QWidget* /*ParentWidget*/) {
  return new TQtHostWidget(this, nullptr);
}

void TCustomForm::InitWidget() {
  QWidget* w = Widget();
  w->setAttribute(Qt::WA_QuitOnClose, false);
  ApplyWindowFlags();
  TCustomControl::InitWidget();
  ApplyIcon();
  if (Menu_ != nullptr) Menu_->FormWidgetCreated();
}

void TCustomForm::ApplyWindowFlags() {
  if (!HandleAllocated()) return;
  QWidget* w = Widget();
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  const bool system = BorderIcons_.Contains(biSystemMenu);
  if (system) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  switch (BorderStyle_) {
    case bsNone:
      flags = Qt::Window | Qt::FramelessWindowHint;
      break;
    case bsDialog:
      flags = (flags & ~Qt::Window) | Qt::Dialog;
      break;
    case bsToolWindow:
    case bsSizeToolWin:
      flags = (flags & ~Qt::Window) | Qt::Tool;
      break;
    case bsSingle:
    case bsSizeable:
      if (system && BorderIcons_.Contains(biMinimize)) flags |= Qt::WindowMinimizeButtonHint;
      if (system && BorderIcons_.Contains(biMaximize)) flags |= Qt::WindowMaximizeButtonHint;
      break;
  }
  const bool visible = w->isVisible();
  w->setWindowFlags(flags);
  ApplyGeometry();
  if (visible) w->show();
}

void TCustomForm::ApplyGeometry() {
  if (!HandleAllocated()) return;
  QWidget* w = Widget();
  const bool fixed = BorderStyle_ != bsSizeable && BorderStyle_ != bsSizeToolWin;
  // The widget holds the menu bar and the client area below it.
  const int width = ClientWidth(), height = ClientHeight() + MenuBarHeight();
  if (fixed) {
    w->setFixedSize(width, height);
  } else {
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    w->resize(width, height);
  }
  if (Placed_ || Position_ == poDesigned) w->move(Left(), Top());
  if (Menu_ != nullptr) Menu_->FormWidgetResized();
}

void TCustomForm::ApplyText() {
  if (HandleAllocated()) Widget()->setWindowTitle(ToQString(Caption()));
}

void TCustomForm::ApplyIcon() {
  if (!HandleAllocated()) return;
  Widget()->setWindowIcon(Icon_->Empty() ? QIcon() : QIcon(QPixmap::fromImage(*Icon_->Image())));
}

void TCustomForm::WidgetGeometryChanged(int X, int Y, int WidgetW, int WidgetH) {
  const TSize frame = FrameExtent(BorderStyle_);
  const int w = WidgetW + frame.cx, h = WidgetH + frame.cy;
  if (Menu_ != nullptr) Menu_->FormWidgetResized();
  if (X == Left() && Y == Top() && w == Width() && h == Height()) return;
  const TRect old = BoundsRect();
  TControl::SetBounds(X, Y, w, h);
  if (old.Width() != w || old.Height() != h) AlignControls();
}

void TCustomForm::PlaceOnScreen() {
  TCustomForm* main = Application != nullptr ? Application->MainForm() : nullptr;
  int areaLeft = 0, areaTop = 0, areaWidth = Screen != nullptr ? Screen->Width() : 0;
  int areaHeight = Screen != nullptr ? Screen->Height() : 0;
  switch (Position_) {
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* center = Position_ == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(Owner()) : main;
      if (center != nullptr && center != this && center->Visible()) {
        areaLeft = center->Left();
        areaTop = center->Top();
        areaWidth = center->Width();
        areaHeight = center->Height();
      }
      [[fallthrough]];
    }
    case poScreenCenter:
    case poDesktopCenter:
      TControl::SetBounds(areaLeft + (areaWidth - Width()) / 2,
                          std::max(0, areaTop + (areaHeight - Height()) / 2), Width(), Height());
      break;
    default:
      break;
  }
  Placed_ = true;
  ApplyGeometry();
}

void TCustomForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TCustomForm::Hide() {
  SetVisible(false);
}

void TCustomForm::VisibleChanged() {
  if (IsLoading()) return;  // a layout that says Visible shows the window once it is read
  if (!Visible()) {
    HideWindow();
    return;
  }
  if (OnShow) OnShow(this);
  QWidget* w = Widget();
  if (!Placed_) PlaceOnScreen();
  switch (WindowState_) {
    case wsNormal:
      w->show();
      break;
    case wsMinimized:
      w->showMinimized();
      break;
    case wsMaximized:
      w->showMaximized();
      break;
  }
  FocusFirstControl();
}

void TCustomForm::HideWindow() {
  if (!HandleAllocated()) return;
  QWidget* w = Widget();
  if (!w->isVisible()) return;
  w->hide();
  if (OnHide) OnHide(this);
}

void TCustomForm::BringToFront() {
  if (!HandleAllocated() || !Visible()) return;
  Widget()->raise();
  Widget()->activateWindow();
}

bool TCustomForm::Active() const {
  return Screen != nullptr && Screen->ActiveForm() == this;
}

void TCustomForm::FocusFirstControl() {
  if (ActiveControl_ != nullptr && ActiveControl_->CanFocus()) {
    ActiveControl_->TakeFocus();
    return;
  }
  if (TWinControl* first = FindNextControl(nullptr, true, true)) SetActiveControl(first);
}

void TCustomForm::SetActiveControl(TWinControl* Value) {
  if (Value != nullptr && (Value == this || !ContainsControl(Value))) return;
  ActiveControl_ = Value;
  if (Value != nullptr && Visible() && HandleAllocated() && Value->CanFocus()) Value->TakeFocus();
}

void TCustomForm::FocusChangedTo(TWinControl* Control) {
  if (Control != this && (Control == nullptr || ContainsControl(Control))) ActiveControl_ = Control;
}

void TCustomForm::ControlHidden(TWinControl* Control) {
  if (ActiveControl_ != nullptr && (ActiveControl_ == Control || Control->ContainsControl(ActiveControl_))) {
    TWinControl* next = FindNextControl(ActiveControl_, true, true);
    ActiveControl_ = nullptr;
    if (next != nullptr && next != Control) SetActiveControl(next);
  }
}

void TCustomForm::ControlRemoving(TControl* Control) {
  auto* w = dynamic_cast<TWinControl*>(Control);
  if (ActiveControl_ != nullptr &&
      (ActiveControl_ == Control || (w != nullptr && w->ContainsControl(ActiveControl_))))
    ActiveControl_ = nullptr;
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == ActiveControl_) ActiveControl_ = nullptr;
  if (AComponent == Menu_) {
    // The menu is going away: forget it without calling into it.
    const int cw = ClientWidth(), ch = ClientHeight();
    Menu_ = nullptr;
    if (!IsDestroying()) MenuBarChanged(cw, ch);
  }
}

void TCustomForm::Activated(bool IsActive) {
  if (IsActive) {
    if (Screen != nullptr) Screen->SetActiveForm(this);
    if (OnActivate) OnActivate(this);
  } else if (OnDeactivate) {
    OnDeactivate(this);
  }
}

namespace {

TWinControl* FindButton(const TWinControl& Root, bool Default) {
  std::vector<TWinControl*> list;
  Root.GetTabOrderList(list);
  for (TWinControl* w : list) {
    if ((Default ? w->IsDefaultButton() : w->IsCancelButton()) && w->CanFocus()) return w;
  }
  return nullptr;
}

}  // namespace

TWinControl* TCustomForm::DefaultButton() const {
  return FindButton(*this, true);
}

TWinControl* TCustomForm::CancelButton() const {
  return FindButton(*this, false);
}

bool TCustomForm::DialogChar(char Key) {
  if (TCustomControl::DialogChar(Key)) return true;
  return Menu_ != nullptr && Menu_->OpenByLetter(Key);
}

bool TCustomForm::DialogKey(uint16_t Key, TShiftState Shift) {
  if (Shift.Contains(ssAlt) || Shift.Contains(ssCtrl)) return false;
  TWinControl* target = nullptr;
  if (Key == VK_RETURN) {
    target =
        ActiveControl_ != nullptr && ActiveControl_->ClickedByReturn() ? ActiveControl_ : DefaultButton();
  } else if (Key == VK_ESCAPE) {
    target = CancelButton();
  }
  if (target == nullptr || !target->CanFocus()) return false;
  target->Click();
  return true;
}

void TCustomForm::SetModalResult(TModalResult Value) {
  ModalResult_ = Value;
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (InModalLoop_) {
    SetModalResult(mrCancel);
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  if (Application != nullptr && Application->MainForm() == this) {
    Application->Terminate();
  } else if (action == caHide) {
    Hide();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Release();
  }
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || InModalLoop_ || !Enabled()) throw EInvalidOperation(LoadResString(SCannotShowModal));
  Widget()->setWindowModality(Qt::ApplicationModal);
  ModalResult_ = mrNone;
  InModalLoop_ = true;
  TCloseAction action = caHide;
  auto finish = [&]() {
    InModalLoop_ = false;
    Hide();
    if (HandleAllocated()) Widget()->setWindowModality(Qt::NonModal);
  };
  try {
    Show();
    for (;;) {
      while (ModalResult_ == mrNone) {
        if (Application != nullptr && Application->Terminated()) {
          ModalResult_ = mrCancel;
          break;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
      }
      action = caHide;
      if (!CloseQuery()) {
        action = caNone;
      } else if (OnClose) {
        OnClose(this, action);
      }
      if (action != caNone || (Application != nullptr && Application->Terminated())) break;
      ModalResult_ = mrNone;
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
  if (action == caFree) Release();
  return ModalResult_;
}

void TCustomForm::Release() {
  if (Application != nullptr) {
    Application->ReleaseForm(this);
  } else {
    delete this;
  }
}

void TCustomForm::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  TCustomControl::GetChildren(Proc, Root);
  if (Root != this) return;
  for (int i = 0; i < ComponentCount(); ++i) {
    TComponent* c = Components(i);
    if (!c->HasParent()) Proc(c);
  }
}

void TCustomForm::Paint() {
  Canvas()->FillRect(ClientRect());
}
