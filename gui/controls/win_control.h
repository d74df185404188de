#pragma once
// TWinControl: a control with a Qt widget of its own. It holds child controls (windowed
// ones as child widgets, graphic ones painted by this control's widget), decides the Tab
// order among its windowed children, takes the keyboard focus and sends the key events.
//
// The widget is created on first need by the overridable CreateWidget, so a subclass puts
// its own Qt widget in (wrapped in TQtBridge<...> from gui/qt/bridge.h so the framework
// sees its events); InitWidget then pushes every property into it. A parent frees its
// child controls when it is freed, before its widget goes; each child leaves its owner
// then, so nothing is freed twice.

#include <functional>
#include <memory>
#include <vector>

#include "gui/controls/control.h"

class QWidget;
class TCanvas;

class TWinControl : public TControl {
 public:
  BREVANT_CLASS(TWinControl)
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // Child controls in creation order (later ones lie above earlier ones).
  int ControlCount() const { return static_cast<int>(Controls_.size()); }
  TControl* Controls(int Index) const { return Controls_.at(static_cast<size_t>(Index)); }
  bool ContainsControl(const TControl* Control) const;
  // The topmost child control without a window of its own at P (client coordinates) that
  // is visible (and enabled unless AllowDisabled) and does not answer the hit test with
  // htTransparent or htNowhere.
  TControl* GraphicControlAtPos(TPoint P, bool AllowDisabled) const;

  // The Qt widget, created (with every parent's) on first use.
  QWidget* Widget();
  bool HandleAllocated() const { return Widget_ != nullptr; }
  void HandleNeeded() { Widget(); }
  // Destroys the widget (and the children's) and creates it anew from the properties.
  void RecreateWidget();

  int TabOrder() const;
  void SetTabOrder(int Value);
  bool TabStop() const { return TabStop_; }
  void SetTabStop(bool Value);
  bool DefaultTabStop() const { return DefaultTabStop_; }
  // Visible and enabled, and so is every parent.
  virtual bool CanFocus() const;
  bool Focused() const;
  // Raises EInvalidOperation when the control cannot take the focus.
  virtual void SetFocus();
  // Every windowed control inside this one in Tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& List) const;
  // The windowed control after (or before) Current in Tab order among those inside this one
  // that can take the focus (and are Tab stops when CheckTabStop), wrapping around.
  TWinControl* FindNextControl(TWinControl* Current, bool GoForward, bool CheckTabStop) const;
  void SelectNext(TWinControl* Current, bool GoForward, bool CheckTabStop);

  bool Ctl3D() const { return Ctl3D_; }
  void SetCtl3D(bool Value);

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

  void Invalidate() override;
  void Repaint() override;
  void Update() override;
  // Marks part of this control's client area for the next paint.
  void InvalidateRect(const TRect& R);
  // Paints part of this control's client area now. Graphic children marked opaque are not
  // painted over first.
  void RepaintRect(const TRect& R);
  // Where the client area lies in the control's own widget (a form's menu bar lies above
  // it); child widgets, painting and mouse positions are shifted by it.
  virtual TPoint ClientOffset() const { return {0, 0}; }

  void SetParent(TWinControl* AParent) override;
  bool DialogChar(char Key) override;
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

  // Framework side: what the Qt event router calls.
  void DispatchKeyDown(uint16_t& Key, TShiftState Shift) { KeyDown(Key, Shift); }
  void DispatchKeyUp(uint16_t& Key, TShiftState Shift) { KeyUp(Key, Shift); }
  void DispatchKeyPress(char& Key) { KeyPress(Key); }
  void DispatchEnter() { DoEnter(); }
  void DispatchExit() { DoExit(); }
  bool DispatchWantsKey(uint16_t Key, TShiftState Shift) const { return WantsKey(Key, Shift); }
  void DispatchPaint(TCanvas& Canvas) { PaintWindow(Canvas); }
  TCanvas& WindowCanvas();
  // Whether the widget paints itself (a native Qt control) rather than through PaintWindow.
  virtual bool PaintsNatively() const { return false; }
  // Gives this control the keyboard focus in Qt (a control whose focus lives in an inner
  // widget overrides this).
  virtual void TakeFocus();
  // Dialog behaviour of buttons: the default button (Return), the cancel button (Escape),
  // and whether Return clicks the control while it has the focus.
  virtual bool IsDefaultButton() const { return false; }
  virtual bool IsCancelButton() const { return false; }
  virtual bool ClickedByReturn() const { return false; }
  // The Qt widget went away without us (it should not happen; the control forgets it).
  void WidgetLost() { Widget_ = nullptr; }
  // Mouse state the router keeps per window: the graphic child that holds the mouse and
  // the one under it.
  TControl* CaptureControl = nullptr;
  TControl* HoverControl = nullptr;
  bool ClickPending = false;

 protected:
  // Makes the widget; the default is a plain widget painted by PaintWindow.
  virtual QWidget* CreateWidget(QWidget* ParentWidget);
  // Pushes every property into a new widget; overriders call the inherited one first.
  virtual void InitWidget();
  // Called before the widget is destroyed (not from the destructor): save widget state.
  virtual void WidgetDestroying() {}
  // Paints this control's own area (graphic children come after): fills it with Color.
  virtual void PaintWindow(TCanvas& Canvas);
  virtual void KeyDown(uint16_t& Key, TShiftState Shift);
  virtual void KeyUp(uint16_t& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  virtual void DoEnter();
  virtual void DoExit();
  // Keys the control handles itself although the form would (Return, Escape, arrows).
  virtual bool WantsKey(uint16_t /*Key*/, TShiftState /*Shift*/) const { return false; }
  // Places children with an Align other than alNone.
  virtual void AlignControls();
  virtual void ApplyText();
  // A control inside this one (at any depth) is leaving its parent or being freed.
  virtual void ControlRemoving(TControl* /*Control*/) {}
  // Whether a click gives the widget the keyboard focus.
  virtual bool FocusOnClick() const { return false; }

  void FontChanged() override;
  void ColorChanged() override;
  void EnabledChanged() override;
  void VisibleChanged() override;
  void TextChanged() override;
  void BoundsChanged(const TRect& Old) override;
  void Loaded() override;

  // Geometry of the widget inside its parent widget (forms override: client area).
  virtual void ApplyGeometry();
  // After a change of ClientOffset: the child widgets move with the client area.
  void ClientOffsetChanged();
  void DestroyWidget();

  void InitTabStop(bool Value) {
    TabStop_ = Value;
    DefaultTabStop_ = Value;
  }

 private:
  friend class TControl;
  void InsertControl(TControl* Control);
  void RemoveControl(TControl* Control);
  void ApplyFocusPolicy();
  void ApplyVisibility();

  std::vector<TControl*> Controls_;
  std::vector<TWinControl*> TabList_;
  QWidget* Widget_ = nullptr;
  std::unique_ptr<TCanvas> WindowCanvas_;
  int DesiredTabOrder_ = -1;
  bool TabStop_ = false;
  bool DefaultTabStop_ = false;
  bool Ctl3D_ = true;
  bool Aligning_ = false;
};

template <class C>
void PublishTabbing(TClassBuilder<C>& B) {
  B.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
      .StoredIf([](const C& c) { return c.Parent() != nullptr; })
      .Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
      .StoredIf([](const C& c) { return c.TabStop() != c.DefaultTabStop(); });
}
template <class C>
void PublishKeyEvents(TClassBuilder<C>& B) {
  B.Event("OnEnter", &TWinControl::OnEnter)
      .Event("OnExit", &TWinControl::OnExit)
      .Event("OnKeyDown", &TWinControl::OnKeyDown)
      .Event("OnKeyPress", &TWinControl::OnKeyPress)
      .Event("OnKeyUp", &TWinControl::OnKeyUp);
}
