// The control's editor window: built, shown modally and its text handed back.

#include <memory>

#include "data/fields/blob_field.h"
#include "gui/forms/application.h"
#include "gui/forms/screen.h"
#include "gui/stdctrls/panel.h"
#include "richtext/controls/rich_memory_stream.h"
#include "richtext/controls/richtext_strings.h"
#include "richtext/controls/text_attributes.h"
#include "richtext/controls/ww_custom_rich_edit.h"
#include "richtext/controls/ww_rich_edit_strings.h"
#include "richtext/editor/rich_edit_form.h"
#include "richtext/editor/ruler_panel.h"

namespace {

// The editing control's popup: Cut, Copy, Paste, Font, Bullet, Paragraph. No Edit item, so F2
// does nothing inside the window.
constexpr uint64_t kEditorPopupOptions = 0x038E;

// An instance of Source's own class, owned by Owner, or the family's base class when the
// class cannot be made by name.
TwwCustomRichEdit* NewEditingControl(const TwwCustomRichEdit& Source, TComponent* Owner) {
  if (const auto& create = Source.ClassInfo().Create) {
    std::unique_ptr<TComponent> made(create(Owner));
    if (auto* edit = dynamic_cast<TwwCustomRichEdit*>(made.get())) {
      made.release();
      return edit;
    }
  }
  return new TwwCustomRichEdit(Owner);
}

// Puts the window where EditorPosition says, or centred in the desktop's work area.
void PlaceWindow(TwwRichEditForm& Form, const TwwFormPosition& Position) {
  if (Position.Width() > 0) Form.SetWidth(Position.Width());
  if (Position.Height() > 0) Form.SetHeight(Position.Height());
  Form.SetPosition(poDesigned);
  if (Position.Left() >= 1 && Position.Top() >= 1) {
    Form.SetLeft(Position.Left());
    Form.SetTop(Position.Top());
    return;
  }
  const double scale = Screen->PixelsPerInch() / 96.0;
  const TRect area = Screen->WorkAreaRect();
  const int width = static_cast<int>(Form.Width() * scale);
  const int height = static_cast<int>(Form.Height() * scale);
  Form.SetLeft(area.Left + (area.Width() - width) / 2);
  Form.SetTop(area.Top + (area.Height() - height) / 2);
}

}  // namespace

bool TwwCustomRichEdit::ExecuteEditor() {
  const TCursor savedCursor = Screen->Cursor();
  Screen->SetCursor(crHourGlass);
  std::unique_ptr<TwwRichEditForm> form;
  TModalResult result = mrCancel;
  TwwCustomRichEdit* editor = nullptr;
  try {
    form.reset(NewForm<TwwRichEditForm>(Application));

    // The ruler belongs to this control but sits on the window, under the format bar.
    auto* ruler = new TwwRulerPanel(this);
    ruler->SetParent(form.get());
    const int rulerHeight = Screen->PixelsPerInch() < 97 ? 25 : 27;
    ruler->SetBounds(0, form->FormatBar->Top() + form->FormatBar->Height() + 10, form->Width(), rulerHeight);
    form->SetRuler(ruler);

    editor = NewEditingControl(*this, form.get());
    editor->SetOleOptions(OleOptions());
    editor->SetWordWrap(WordWrap());
    editor->SetScrollBars(ssVertical);
    editor->SetParent(form.get());
    editor->SetBounds(0, rulerHeight + 62, 595, 330);
    editor->SetHideSelection(false);
    editor->SetTabOrder(3);
    editor->SetWantTabs(true);
    editor->SetPopupOptions(TwwRichEditPopupOptions::FromBits(kEditorPopupOptions));
    editor->SetEditorCaption(LoadResString(SRichEditCaption));
    editor->SetMeasurementUnits(muInches);
    editor->SetName("RichEdit1");
    form->SetEditor(editor);
    form->SetActiveControl(editor);

    form->SetCaption(EditorCaption());
    editor->Font()->Assign(*Font());
    // Name, style, colour, size and pitch in one change of the default format.
    editor->DefaultFormat()->Assign(*Font());

    form->SetSource(this);
    editor->SetWantReturns(true);
    editor->SetMeasurementUnits(MeasurementUnits());
    editor->OnInitDialog = OnInitDialog;
    editor->PrintMargins()->Assign(*PrintMargins());
    editor->SetEditWidth(EditWidth());
    editor->SetPaperSize(PaperSize());

    if (IsDesigning()) {
      editor->SetEditorOptions(TwwRichEditOptions::FromBits(0x1FFF));
      editor->SetReadOnly(false);
    } else {
      editor->SetEditorOptions(EditorOptions());
      editor->SetReadOnly(EffectiveReadOnly());
    }
    editor->SetAutoURLDetect(AutoURLDetect());
    editor->OnURLOpen = OnURLOpen;

    ruler->SetEditor(editor);
    if (EditWidth() == rewPrinterSize) ruler->SetWidth(ruler->PrinterWidth());
    ruler->SetDrawArea(Rect(6, 4, ruler->Width() - 6, ruler->Height() - 4));
    ruler->CreateMarkers();

    PlaceWindow(*form, *EditorPosition());
    FireCreateDialog(form.get());
    result = form->ShowModal();

    if (result == mrOk) {
      if (editor->Modified()) {
        BeginFieldEdit();
        if (TField* field = GetBoundField()) {
          if (auto* blob = dynamic_cast<TBlobField*>(field)) {
            TwwRichMemoryStream stream;
            editor->RichEditLines()->SaveContent(stream);
            stream.SetPosition(0);
            blob->LoadFromStream(stream);
          }
        } else {
          editor->CopyContentTo(this);
        }
        FireCloseDialog(form.get());
        SetModified(true);
      }
      PrintMargins()->Assign(*editor->PrintMargins());
      SetPaperSize(editor->PaperSize());
    } else {
      FireCloseDialog(form.get());
    }
  } catch (...) {
    Screen->SetCursor(savedCursor);
    if (editor != nullptr) editor->Lines()->Clear();
    throw;
  }
  Screen->SetCursor(savedCursor);
  editor->Lines()->Clear();
  return result == mrOk;
}
