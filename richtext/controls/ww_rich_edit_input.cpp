// Keys and the right mouse button.

#include "gui/controls/keys.h"
#include "gui/forms/screen.h"
#include "richtext/controls/ww_custom_rich_edit.h"
#include "richtext/edit/rich_edit_box.h"

void TwwCustomRichEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomRichEdit::KeyDown(Key, Shift);
  if (Key == 0) return;
  if (Key == VK_F2 && PopupOptions().Contains(rpoPopupEdit)) {
    Key = 0;
    ExecuteEditor();
    return;
  }
  const bool ctrlOnly = Shift.Contains(ssCtrl) && !Shift.Contains(ssShift) && !Shift.Contains(ssAlt);
  const bool shiftOnly = Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
  const bool paste = (Key == VK_INSERT && shiftOnly) || (Key == 'V' && ctrlOnly);
  if (paste && !PasteAllowed()) Key = 0;
}

void TwwCustomRichEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button != mbRight || InRightButton_) {
    TCustomRichEdit::MouseUp(Button, Shift, X, Y);
    return;
  }
  InRightButton_ = true;
  try {
    // As a left click would: an embedded picture under the mouse becomes the selection;
    // anywhere else the selection stays as it was.
    TRichEditBox* box = EditBox();
    const int start = box->SelStart();
    const int length = box->SelLength();
    const int object = box->ObjectAt(X, Y);
    if (object >= 0) {
      box->SetSelection(object, object + 1);
    } else {
      box->SetSelection(start, start + length);
    }
    TCustomRichEdit::MouseUp(mbLeft, Shift, X, Y);
  } catch (...) {
    InRightButton_ = false;
    LinkArmed_ = false;
    throw;
  }
  InRightButton_ = false;
  LinkArmed_ = false;
}
