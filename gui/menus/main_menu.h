#pragma once
// TMainMenu: a form's menu bar (the form's Menu property). Its top-level items are the
// bar's menus, their sub-items the entries; a top-level item without sub-items is a
// command on the bar itself. The bar lies above the form's client area, which keeps its
// size: a form with a menu is taller by MenuBarHeight.
//
// Opening a menu (a click, or Alt with its & letter when no control of the form takes the
// letter) clicks its item first, so OnClick can enable, check or hide entries. Shortcuts
// stored on items are dispatched by the form while the menus are closed, after the form's
// key preview and before the focused control: see TMenu::IsShortCut. A chosen entry is
// clicked after the menus have closed.

#include <memory>

#include "gui/menus/menus.h"

class TCustomForm;

// The height of a form's menu bar, in pixels.
inline constexpr int kMenuBarHeight = 20;

class TMainMenu : public TMenu {
 public:
  BREVANT_CLASS(TMainMenu)
  explicit TMainMenu(TComponent* AOwner);
  ~TMainMenu() override;

  // The form whose bar this menu is (set through the form's Menu property).
  TCustomForm* Form() const { return Form_; }

  // Opens the top-level menu whose caption has the & letter Key (a command on the bar is
  // clicked). False when no visible, enabled top-level item has that letter.
  bool OpenByLetter(char Key);
  // Opens the menu of a top-level item, as a click on the bar would.
  void Open(TMenuItem* Item);

  void ItemChanged(TMenuItem* Item, bool Structure) override;

  // Framework side, from the form.
  void SetForm(TCustomForm* Form);
  // The form's widget was made (or made anew): the bar goes on top of it.
  void FormWidgetCreated();
  // The form's widget changed its width.
  void FormWidgetResized();

 private:
  struct TBar;
  void DestroyBar();
  void SyncBar();

  TCustomForm* Form_ = nullptr;
  std::unique_ptr<TBar> Bar_;
};
