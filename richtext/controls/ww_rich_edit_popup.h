#pragma once
// The built-in popup menu of the rich text controls: nineteen items in a fixed order (the
// captions come from the family's text table), and, while an embedded object is selected, an
// item with the object's verbs after them.

#include <functional>

#include "gui/menus/menus.h"

// The items in their order; the separators count.
enum TwwPopupItem {
  piEdit,
  piEditLine,
  piCut,
  piCopy,
  piPaste,
  piClipboardLine,
  piBold,
  piItalic,
  piUnderline,
  piStyleLine,
  piFont,
  piBullet,
  piParagraph,
  piTabs,
  piFormatLine,
  piFind,
  piReplace,
  piFindLine,
  piInsertObject,
  kPopupItemCount
};

class TwwRichEditPopupMenu : public TPopupMenu {
 public:
  explicit TwwRichEditPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner) {}

  TMenuItem* Item(TwwPopupItem Which) const { return Items()->Items(static_cast<int>(Which)); }
  // Called with the screen point before the menu shows and before OnPopup: the control selects
  // the object under the point and adds the object's verbs.
  std::function<void(int X, int Y)> OnFetch;

  void Popup(int X, int Y) override {
    if (OnFetch) OnFetch(X, Y);
    TPopupMenu::Popup(X, Y);
  }
};
