#pragma once
// TScreen (the global `Screen`): the desktop as the program sees it: its size, its
// resolution, its fonts, the forms, the active form and the mouse cursor shown over every
// window.

#include <memory>
#include <vector>

#include "core/component.h"
#include "core/strings.h"
#include "gui/controls/control_types.h"
#include "gui/graphics/geometry.h"

class TCustomForm;
class TWinControl;

class TScreen : public TComponent {
 public:
  BREVANT_CLASS(TScreen)
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  // The cursor shown over every window of the program; crDefault lets each control show
  // its own. Long operations save it, set crHourGlass or crSQLWait and restore it.
  TCursor Cursor() const { return Cursor_; }
  void SetCursor(TCursor Value);

  int Width() const;
  int Height() const;
  // The part of the desktop that windows may take (the screen less panels and docks).
  TRect WorkAreaRect() const;
  int PixelsPerInch() const;
  // The font faces of the screen, sorted. A face not among them is drawn with the face
  // that stands in for it (ResolveFontFamily).
  TStrings* Fonts();

  TCustomForm* ActiveForm() const;
  TWinControl* ActiveControl() const;
  int FormCount() const { return static_cast<int>(Forms_.size()); }
  TCustomForm* Forms(int Index) const { return Forms_.at(static_cast<size_t>(Index)); }

  // Framework side.
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  void SetActiveForm(TCustomForm* Form);

 private:
  TCursor Cursor_ = crDefault;
  std::vector<TCustomForm*> Forms_;
  TCustomForm* ActiveForm_ = nullptr;
  std::unique_ptr<TStringList> Fonts_;
};

extern TScreen* Screen;

// Sets the screen cursor for the life of the object and puts the previous one back.
class TCursorScope {
 public:
  explicit TCursorScope(TCursor Cursor);
  ~TCursorScope();
  TCursorScope(const TCursorScope&) = delete;
  TCursorScope& operator=(const TCursorScope&) = delete;

 private:
  TCursor Saved_;
};
