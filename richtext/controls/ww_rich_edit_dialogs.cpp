// The paragraph and tab dialogs of the control.

#include <memory>

#include "gui/forms/application.h"
#include "richtext/controls/ww_custom_rich_edit.h"
#include "richtext/dialogs/paragraph_dialog.h"
#include "richtext/dialogs/tab_dialog.h"

bool TwwCustomRichEdit::ExecuteParagraphDialog() {
  std::unique_ptr<TwwRichParagraphDialog> dialog(NewForm<TwwRichParagraphDialog>(Application));
  dialog->SetRichEdit(this);
  dialog->ApplyTexts(EditorOptions_.Contains(reoShowHints));
  dialog->ReadParagraph();
  if (dialog->ShowModal() != mrOk) return false;
  dialog->WriteParagraph();
  return true;
}

bool TwwCustomRichEdit::ExecuteTabDialog() {
  std::unique_ptr<TwwRichTabDialog> dialog(NewForm<TwwRichTabDialog>(Application));
  dialog->SetRichEdit(this);
  dialog->ApplyTexts(EditorOptions_.Contains(reoShowHints));
  dialog->ReadTabs();
  if (dialog->ShowModal() != mrOk) return false;
  dialog->WriteTabs();
  return true;
}
