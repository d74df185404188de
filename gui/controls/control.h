#pragma once
// TControl: the base of everything the player sees. A control has bounds relative to its
// parent, visibility, enabled state, a caption (& marks the Alt shortcut letter), a hint
// shown as a tool tip, a font and a colour (both may follow the parent's), a cursor and
// the mouse events. Controls without a window of their own (TGraphicControl) paint
// through their parent; windowed ones (TWinControl) host a Qt widget.

#include <memory>
#include <string>

#include "core/color.h"
#include "core/component.h"
#include "core/rtti.h"
#include "gui/controls/control_types.h"
#include "gui/graphics/geometry.h"
#include "gui/graphics/graphics_objects.h"

class TWinControl;
class TCustomForm;
class TPopupMenu;

class TControl : public TComponent {
 public:
  BREVANT_CLASS(TControl)
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* Parent() const { return Parent_; }
  virtual void SetParent(TWinControl* AParent);

  int Left() const { return Left_; }
  int Top() const { return Top_; }
  int Width() const { return Width_; }
  int Height() const { return Height_; }
  void SetLeft(int Value) { SetBounds(Value, Top_, Width_, Height_); }
  void SetTop(int Value) { SetBounds(Left_, Value, Width_, Height_); }
  void SetWidth(int Value) { SetBounds(Left_, Top_, Value, Height_); }
  void SetHeight(int Value) { SetBounds(Left_, Top_, Width_, Value); }
  // Every change of position or size passes through here; overriders call the inherited one.
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(Left_, Top_, Width_, Height_); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
  virtual int ClientWidth() const { return Width_; }
  virtual int ClientHeight() const { return Height_; }
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  TRect ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }
  // Client coordinates of this control to and from screen coordinates.
  TPoint ClientToScreen(TPoint P) const;
  TPoint ScreenToClient(TPoint P) const;

  bool Visible() const { return Visible_; }
  void SetVisible(bool Value);
  void Show();
  void Hide() { SetVisible(false); }
  // Visible, and every parent up to the form visible too.
  bool Showing() const;
  bool Enabled() const { return Enabled_; }
  void SetEnabled(bool Value);

  const std::string& Caption() const { return Text_; }
  void SetCaption(const std::string& Value) { SetText(Value); }
  const std::string& Text() const { return Text_; }
  void SetText(const std::string& Value);

  const std::string& Hint() const { return Hint_; }
  void SetHint(const std::string& Value) { Hint_ = Value; }
  // With ParentShowHint the parent's setting counts.
  bool ShowHint() const;
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return ParentShowHint_; }
  void SetParentShowHint(bool Value) { ParentShowHint_ = Value; }

  TFont* Font() const { return Font_.get(); }
  void SetFont(TFont* Value) { Font_->Assign(*Value); }
  bool ParentFont() const { return ParentFont_; }
  void SetParentFont(bool Value);
  // With ParentColor the parent's colour counts.
  TColor Color() const;
  void SetColor(TColor Value);
  bool ParentColor() const { return ParentColor_; }
  void SetParentColor(bool Value);

  TAlign Align() const { return Align_; }
  void SetAlign(TAlign Value);
  TCursor Cursor() const { return Cursor_; }
  void SetCursor(TCursor Value);
  // The menu a right click shows (the nearest parent's when this control has none).
  TPopupMenu* PopupMenu() const { return PopupMenu_; }
  void SetPopupMenu(TPopupMenu* Value);
  // The menu a right click on this control shows: PopupMenu, unless a control brings a
  // built-in menu of its own for when none is assigned.
  virtual TPopupMenu* GetPopupMenu() const { return PopupMenu_; }
  TControlStyle ControlStyle() const { return ControlStyle_; }
  void SetControlStyle(TControlStyle Value) { ControlStyle_ = Value; }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

  virtual void Click();
  virtual void DblClick();

  // Painting: Invalidate marks the control for the next paint; Repaint paints it now;
  // Update paints whatever is marked now.
  virtual void Invalidate();
  virtual void Repaint();
  virtual void Update();
  void BringToFront();
  void SendToBack();

  // Hit-test query: what the point (client coordinates) of this control is. The base
  // answers htClient inside the client rectangle and htNowhere outside.
  virtual int HitTest(int X, int Y);

  // Offers an Alt+letter shortcut; true when this control (or one inside it) took it.
  virtual bool DialogChar(char Key);

  // The form this control is on, or none.
  TCustomForm* ParentForm() const;

  // Stored layouts: a control nests under its parent.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  // Framework side: the mouse and enter/leave events as the parent window delivers them.
  void DispatchMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    MouseDown(Button, Shift, X, Y);
  }
  void DispatchMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) { MouseUp(Button, Shift, X, Y); }
  void DispatchMouseMove(TShiftState Shift, int X, int Y) { MouseMove(Shift, X, Y); }
  void DispatchMouseEnter() { MouseEnter(); }
  void DispatchMouseLeave() { MouseLeave(); }
  // Whether the layout writer stores Width and Height (forms store their client size).
  virtual bool StoresSize() const { return true; }
  // The default colour of this class, for the stored rule of Color.
  TColor DefaultColor() const { return DefaultColor_; }
  bool DefaultParentColor() const { return DefaultParentColor_; }

 protected:
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}

  // Notifications a subclass overrides; the base versions repaint.
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void EnabledChanged();
  virtual void VisibleChanged();
  virtual void TextChanged();
  // After a change of bounds; Old is where the control was. The base repaints both areas.
  virtual void BoundsChanged(const TRect& Old);
  // The parent's font or colour changed (or the control got a new parent).
  virtual void ParentFontChanged();
  virtual void ParentColorChanged();

  // Sets the class defaults that the stored rules compare with.
  void InitDefaults(TColor Color, bool ParentColor);

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  bool IsAccel(char Key) const;

 private:
  friend class TWinControl;
  void FontChangedHandler();

  TWinControl* Parent_ = nullptr;
  int Left_ = 0;
  int Top_ = 0;
  int Width_ = 0;
  int Height_ = 0;
  bool Visible_ = true;
  bool Enabled_ = true;
  std::string Text_;
  std::string Hint_;
  bool ShowHint_ = false;
  bool ParentShowHint_ = true;
  std::unique_ptr<TFont> Font_;
  bool ParentFont_ = true;
  bool UpdatingFont_ = false;
  TColor Color_ = clBtnFace;
  bool ParentColor_ = true;
  TColor DefaultColor_ = clBtnFace;
  bool DefaultParentColor_ = true;
  TAlign Align_ = alNone;
  TCursor Cursor_ = crDefault;
  TPopupMenu* PopupMenu_ = nullptr;
  TControlStyle ControlStyle_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
};

// Whether Key is the Alt shortcut letter of Caption (the letter after a single &).
bool IsAccelerator(char Key, const std::string& Caption);
// Caption without its & markers ("&&" stays one "&").
std::string StripAccelerators(const std::string& Caption);
// The part of a hint before a "|" (the tool tip) and the part after it (the long hint, for
// a status line), each without the blanks around the bar; a hint without a bar is both.
std::string GetShortHint(const std::string& Hint);
std::string GetLongHint(const std::string& Hint);
// The hint of Control, or of the nearest parent that has one.
std::string GetHint(const TControl* Control);

// Property groups that several classes publish.
template <class C>
void PublishCaption(TClassBuilder<C>& B) {
  B.Property("Caption", &TControl::Caption, &TControl::SetCaption);
}
template <class C>
void PublishText(TClassBuilder<C>& B) {
  B.Property("Text", &TControl::Text, &TControl::SetText);
}
template <class C>
void PublishFontAndColor(TClassBuilder<C>& B) {
  B.Property("Color", &TControl::Color, &TControl::SetColor)
      .StoredIf([](const C& c) { return !c.ParentColor() && c.Color() != c.DefaultColor(); })
      .Property("Font", &TControl::Font)
      .StoredIf([](const C& c) { return !c.ParentFont(); })
      .Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
      .StoredIf([](const C& c) { return c.ParentColor() != c.DefaultParentColor(); })
      .Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
      .Default(true);
}
