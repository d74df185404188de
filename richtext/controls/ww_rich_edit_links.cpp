// Links: a press and release on a detected URL opens it, unless OnURLOpen says otherwise.

#include "gui/forms/screen.h"
#include "platform/desktop/desktop_open.h"
#include "richtext/controls/ww_custom_rich_edit.h"
#include "richtext/edit/rich_edit_box.h"

void TwwCustomRichEdit::LinkNotice(const TRichLinkNotice& Notice) {
  if (Notice.Action == laMouseDown) {
    LinkArmed_ = true;
    return;
  }
  if (Notice.Action != laMouseUp || !LinkArmed_) return;
  LinkArmed_ = false;
  const std::string url = EditBox()->TextRange(Notice.Start, Notice.End);
  bool useDefault = true;
  FireURLOpen(url, useDefault);
  if (!useDefault) return;
  // Only web, mail and file-transfer links are handed on; the refusal of others is logged there.
  TCursorScope wait(crHourGlass);
  OpenLinkWithDesktop(url);
}
