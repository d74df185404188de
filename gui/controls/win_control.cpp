#include "gui/controls/win_control.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <climits>

#include "core/exceptions.h"
#include "gui/forms/form.h"
#include "gui/graphics/canvas.h"
#include "gui/gui_strings.h"
#include "gui/qt/host_widget.h"
#include "gui/qt/qt_convert.h"

BREVANT_DEFINE_CLASS(TWinControl, TControl, )

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  Destroying();
  // A parent frees its child controls; each leaves its owner as it goes.
  while (!Controls_.empty())
    delete Controls_.back();
  if (Widget_ != nullptr) {
    QWidget* w = Widget_;
    Widget_ = nullptr;
    if (auto* link = dynamic_cast<TQtControlLink*>(w)) link->Unlink();
    QObject::disconnect(w, nullptr, nullptr, nullptr);
    delete w;
  }
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  for (const TControl* c = Control; c != nullptr; c = c->Parent()) {
    if (c->Parent() == this) return true;
  }
  return false;
}

TControl* TWinControl::GraphicControlAtPos(TPoint P, bool AllowDisabled) const {
  for (auto it = Controls_.rbegin(); it != Controls_.rend(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c) != nullptr) continue;
    if (!c->Visible() || (!AllowDisabled && !c->Enabled())) continue;
    if (!c->BoundsRect().Contains(P)) continue;
    const int hit = c->HitTest(P.X - c->Left(), P.Y - c->Top());
    if (hit == htTransparent || hit == htNowhere) continue;
    return c;
  }
  return nullptr;
}

void TWinControl::InsertControl(TControl* Control) {
  Controls_.push_back(Control);
  if (auto* w = dynamic_cast<TWinControl*>(Control)) TabList_.push_back(w);
  Control->Parent_ = this;
  Control->ParentFontChanged();
  Control->ParentColorChanged();
  if (dynamic_cast<TWinControl*>(Control) == nullptr) Control->Invalidate();
  if (Control->Align() != alNone && !IsLoading()) AlignControls();
}

void TWinControl::RemoveControl(TControl* Control) {
  for (TWinControl* p = this; p != nullptr; p = p->Parent())
    p->ControlRemoving(Control);
  if (CaptureControl == Control) CaptureControl = nullptr;
  if (HoverControl == Control) HoverControl = nullptr;
  if (dynamic_cast<TWinControl*>(Control) == nullptr && Control->Visible())
    InvalidateRect(Control->BoundsRect());
  Controls_.erase(std::remove(Controls_.begin(), Controls_.end(), Control), Controls_.end());
  TabList_.erase(std::remove(TabList_.begin(), TabList_.end(), Control), TabList_.end());
  Control->Parent_ = nullptr;
}

void TWinControl::SetParent(TWinControl* AParent) {
  if (AParent == Parent()) return;
  TControl::SetParent(AParent);
  if (Widget_ != nullptr) {
    if (AParent != nullptr && AParent->HandleAllocated()) {
      Widget_->setParent(AParent->Widget_);
      ApplyGeometry();
      ApplyVisibility();
    } else {
      DestroyWidget();
    }
  } else if (AParent != nullptr && AParent->HandleAllocated()) {
    HandleNeeded();
  }
}

QWidget* TWinControl::Widget() {
  if (Widget_ != nullptr) return Widget_;
  QWidget* parentWidget = Parent() != nullptr ? Parent()->Widget() : nullptr;
  if (Widget_ != nullptr) return Widget_;  // the parent's creation made ours too
  Widget_ = CreateWidget(parentWidget);
  InitWidget();
  for (TControl* c : std::vector<TControl*>(Controls_)) {
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->HandleNeeded();
  }
  return Widget_;
}

QWidget* TWinControl::CreateWidget(QWidget* ParentWidget) {
  return new TQtHostWidget(this, ParentWidget);
}

void TWinControl::InitWidget() {
  Widget_->setMouseTracking(true);
  Widget_->setFont(ToQFont(*Font()));
  Widget_->setEnabled(Enabled());
  ApplyGeometry();
  ApplyFocusPolicy();
  ApplyText();
  ApplyVisibility();
}

void TWinControl::ApplyGeometry() {
  if (Widget_ == nullptr) return;
  const TPoint offset = Parent() != nullptr ? Parent()->ClientOffset() : TPoint{0, 0};
  Widget_->setGeometry(Left() + offset.X, Top() + offset.Y, Width(), Height());
}

void TWinControl::ClientOffsetChanged() {
  for (TControl* c : Controls_) {
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->ApplyGeometry();
  }
  Invalidate();
}

void TWinControl::ApplyVisibility() {
  if (Widget_ != nullptr && !Widget_->isWindow()) Widget_->setVisible(Visible());
}

void TWinControl::ApplyFocusPolicy() {
  if (Widget_ == nullptr) return;
  Widget_->setFocusPolicy(TabStop_ ? Qt::StrongFocus : FocusOnClick() ? Qt::ClickFocus : Qt::NoFocus);
}

void TWinControl::ApplyText() {}

void TWinControl::DestroyWidget() {
  if (Widget_ == nullptr) return;
  WidgetDestroying();
  for (TControl* c : Controls_) {
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyWidget();
  }
  QWidget* w = Widget_;
  Widget_ = nullptr;
  CaptureControl = nullptr;
  HoverControl = nullptr;
  if (auto* link = dynamic_cast<TQtControlLink*>(w)) link->Unlink();
  QObject::disconnect(w, nullptr, nullptr, nullptr);
  delete w;
}

void TWinControl::RecreateWidget() {
  if (Widget_ == nullptr) return;
  DestroyWidget();
  HandleNeeded();
}

TCanvas& TWinControl::WindowCanvas() {
  if (!WindowCanvas_) WindowCanvas_ = std::make_unique<TCanvas>();
  return *WindowCanvas_;
}

int TWinControl::TabOrder() const {
  if (Parent() == nullptr) return -1;
  if (DesiredTabOrder_ >= 0) return DesiredTabOrder_;
  const auto& list = Parent()->TabList_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (IsLoading()) {
    // Placed once the whole layout is read, when every sibling's order is known.
    DesiredTabOrder_ = Value;
    return;
  }
  if (Parent() == nullptr) return;
  auto& list = Parent()->TabList_;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  const int index = std::clamp(Value, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + index, this);
}

void TWinControl::SetTabStop(bool Value) {
  if (Value == TabStop_) return;
  TabStop_ = Value;
  ApplyFocusPolicy();
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c != nullptr; c = c->Parent()) {
    if (!c->Visible() || !c->Enabled()) return false;
  }
  return true;
}

bool TWinControl::Focused() const {
  const TCustomForm* form = ParentForm();
  return form != nullptr && form->ActiveControl() == this;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation(LoadResString(SCannotFocus));
  if (TCustomForm* form = ParentForm(); form != nullptr && form != this) {
    form->SetActiveControl(this);
    return;
  }
  TakeFocus();
}

void TWinControl::TakeFocus() {
  Widget()->setFocus(Qt::OtherFocusReason);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
  for (TWinControl* w : TabList_) {
    List.push_back(w);
    w->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* Current, bool GoForward, bool CheckTabStop) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int count = static_cast<int>(list.size());
  auto found = std::find(list.begin(), list.end(), Current);
  int start = found == list.end() ? (GoForward ? count - 1 : 0) : static_cast<int>(found - list.begin());
  int i = start;
  do {
    if (GoForward) {
      if (++i == count) i = 0;
    } else {
      if (i == 0) i = count;
      --i;
    }
    TWinControl* c = list[static_cast<size_t>(i)];
    if (c->CanFocus() && (!CheckTabStop || c->TabStop())) return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* Current, bool GoForward, bool CheckTabStop) {
  if (TWinControl* next = FindNextControl(Current, GoForward, CheckTabStop)) next->SetFocus();
}

void TWinControl::SetCtl3D(bool Value) {
  if (Value == Ctl3D_) return;
  Ctl3D_ = Value;
  Invalidate();
}

void TWinControl::Invalidate() {
  if (Widget_ != nullptr) Widget_->update();
}

void TWinControl::Repaint() {
  if (Widget_ != nullptr) Widget_->repaint();
}

void TWinControl::Update() {
  if (Widget_ != nullptr) QCoreApplication::sendPostedEvents(Widget_->window(), QEvent::UpdateRequest);
}

void TWinControl::InvalidateRect(const TRect& R) {
  const TPoint o = ClientOffset();
  if (Widget_ != nullptr && !R.IsEmpty()) Widget_->update(ToQRect(R.Offset(o.X, o.Y)));
}

void TWinControl::RepaintRect(const TRect& R) {
  const TPoint o = ClientOffset();
  if (Widget_ != nullptr && !R.IsEmpty()) Widget_->repaint(ToQRect(R.Offset(o.X, o.Y)));
}

bool TWinControl::DialogChar(char Key) {
  // Controls without a window of their own first, then the windowed ones, each in
  // creation order; a windowed container passes the key on to its own controls.
  const std::vector<TControl*> controls = Controls_;
  for (TControl* c : controls) {
    if (dynamic_cast<TWinControl*>(c) == nullptr && c->DialogChar(Key)) return true;
  }
  for (TControl* c : controls) {
    if (dynamic_cast<TWinControl*>(c) != nullptr && c->DialogChar(Key)) return true;
  }
  return false;
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  for (TControl* c : Controls_) {
    if (c->Owner() == Root) Proc(c);
  }
}

void TWinControl::PaintWindow(TCanvas& Canvas) {
  Canvas.Brush()->SetColor(Color());
  Canvas.Brush()->SetStyle(bsSolid);
  Canvas.FillRect(ClientRect());
}

void TWinControl::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(uint16_t& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::AlignControls() {
  if (Aligning_) return;
  Aligning_ = true;
  TRect r = ClientRect();
  auto place = [&](TAlign Which) {
    for (TControl* c : Controls_) {
      if (c->Align() != Which || !c->Visible()) continue;
      switch (Which) {
        case alTop:
          c->SetBounds(r.Left, r.Top, r.Width(), c->Height());
          r.Top += c->Height();
          break;
        case alBottom:
          c->SetBounds(r.Left, r.Bottom - c->Height(), r.Width(), c->Height());
          r.Bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(r.Left, r.Top, c->Width(), r.Height());
          r.Left += c->Width();
          break;
        case alRight:
          c->SetBounds(r.Right - c->Width(), r.Top, c->Width(), r.Height());
          r.Right -= c->Width();
          break;
        case alClient:
          c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
          break;
        case alNone:
          break;
      }
    }
  };
  try {
    for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient})
      place(a);
  } catch (...) {
    Aligning_ = false;
    throw;
  }
  Aligning_ = false;
}

void TWinControl::FontChanged() {
  if (Widget_ != nullptr) Widget_->setFont(ToQFont(*Font()));
  Invalidate();
  for (TControl* c : std::vector<TControl*>(Controls_))
    c->ParentFontChanged();
}

void TWinControl::ColorChanged() {
  Invalidate();
  for (TControl* c : Controls_)
    c->ParentColorChanged();
}

void TWinControl::EnabledChanged() {
  if (Widget_ != nullptr) Widget_->setEnabled(Enabled());
  Invalidate();
}

void TWinControl::VisibleChanged() {
  ApplyVisibility();
  if (Parent() != nullptr && !Visible()) {
    if (TCustomForm* form = ParentForm(); form != nullptr && form != this) form->ControlHidden(this);
  }
}

void TWinControl::TextChanged() {
  ApplyText();
  Invalidate();
}

void TWinControl::BoundsChanged(const TRect& Old) {
  ApplyGeometry();
  if (Old.Width() != Width() || Old.Height() != Height()) AlignControls();
}

void TWinControl::Loaded() {
  TControl::Loaded();
  std::stable_sort(TabList_.begin(), TabList_.end(), [](const TWinControl* a, const TWinControl* b) {
    const int ka = a->DesiredTabOrder_ >= 0 ? a->DesiredTabOrder_ : INT_MAX;
    const int kb = b->DesiredTabOrder_ >= 0 ? b->DesiredTabOrder_ : INT_MAX;
    return ka < kb;
  });
  for (TWinControl* w : TabList_)
    w->DesiredTabOrder_ = -1;
  AlignControls();
}
