// Keys, the double-click and painting of the data-bound control.

#include "data/fields/field.h"
#include "data/links/field_data_link.h"
#include "gui/controls/keys.h"
#include "gui/forms/screen.h"
#include "richtext/controls/db_rich_edit.h"
#include "richtext/edit/rich_edit_box.h"

void TwwDBRichEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
  TwwCustomRichEdit::KeyDown(Key, Shift);
  if (Key == 0 || Link_->Field() == nullptr || !ContentLoaded_) return;
  const bool ctrl = Shift.Contains(ssCtrl);
  const bool shift = Shift.Contains(ssShift);
  if (Key == VK_DELETE || Key == VK_BACK || (Key == VK_INSERT && shift) ||
      (ctrl && (Key == 'V' || Key == 'X')))
    BeginFieldEdit();
}

void TwwDBRichEdit::KeyPress(char& Key) {
  TwwCustomRichEdit::KeyPress(Key);
  TField* field = Link_->Field();
  if (Key == 0 || field == nullptr) return;
  if (!ContentLoaded_) {
    if (Key == '\r') LoadFieldContent();
    Key = 0;
    return;
  }
  const auto c = static_cast<unsigned char>(Key);
  if (c >= 32 && !field->IsValidChar(c)) {
    TRichEditBox::Beep();
    Key = 0;
    return;
  }
  switch (c) {
    case 8:   // Backspace
    case 9:   // Tab
    case 10:  // LF
    case 13:  // Enter
    case 22:  // Ctrl+V
    case 24:  // Ctrl+X
      BeginFieldEdit();
      break;
    case 27:  // Esc
      Link_->ResetDisplay();
      break;
    default:
      if (c >= 32) BeginFieldEdit();
      break;
  }
}

void TwwDBRichEdit::DblClick() {
  if (Link_->Field() != nullptr && !ContentLoaded_) {
    LoadFieldContent();
    return;
  }
  TwwCustomRichEdit::DblClick();
}

void TwwDBRichEdit::PaintLoadContent() {
  if (Link_->Field() == nullptr || ContentLoaded_) return;
  TCursorScope wait(crHourGlass);
  LoadFieldContent();
}

void TwwDBRichEdit::CutToClipboard() {
  if (Link_->Field() != nullptr) BeginFieldEdit();
  TwwCustomRichEdit::CutToClipboard();
}

void TwwDBRichEdit::PasteFromClipboard() {
  if (Link_->Field() != nullptr) BeginFieldEdit();
  TwwCustomRichEdit::PasteFromClipboard();
}
