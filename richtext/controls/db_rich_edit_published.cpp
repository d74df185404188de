// What stored layouts see of the data-bound control.

#include "core/rtti.h"
#include "data/links/data_source.h"
#include "gui/stdctrls/speed_button.h"
#include "richtext/controls/db_rich_edit.h"
#include "richtext/controls/register.h"
#include "richtext/controls/richtext_strings.h"
#include "richtext/dialogs/paragraph_dialog.h"
#include "richtext/dialogs/tab_dialog.h"
#include "richtext/editor/rich_edit_form.h"
#include "richtext/editor/ruler_panel.h"

BREVANT_DEFINE_CLASS(
    TwwDBRichEdit, TwwCustomRichEdit,
    .Property("AutoDisplay", &TwwDBRichEdit::AutoDisplay, &TwwDBRichEdit::SetAutoDisplay)
        .Default(true)
        .Property("AutoURLDetect", &TwwCustomRichEdit::AutoURLDetect, &TwwCustomRichEdit::SetAutoURLDetect)
        .Default(false)
        .Property("BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle)
        .Default(bsSingle)
        .Property("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D)
        .Default(true)
        .Property("DataField", &TwwDBRichEdit::DataField, &TwwDBRichEdit::SetDataField)
        .Property("DataSource", &TwwDBRichEdit::DataSource, &TwwDBRichEdit::SetDataSource)
        .Property("EditorCaption", &TwwCustomRichEdit::EditorCaption, &TwwCustomRichEdit::SetEditorCaption)
        .StoredIf([](const TwwDBRichEdit& c) { return c.EditorCaption() != LoadResString(SRichEditCaption); })
        .Property("EditorOptions", &TwwCustomRichEdit::EditorOptions, &TwwCustomRichEdit::SetEditorOptions)
        .Default(kDefaultEditorOptions)
        .Property("EditorPosition", &TwwCustomRichEdit::EditorPosition)
        .Property("EditWidth", &TwwCustomRichEdit::EditWidth, &TwwCustomRichEdit::SetEditWidth)
        .Default(rewWindowSize)
        .With(PublishFontAndColor<TwwDBRichEdit>)
        .Property("HideScrollBars", &TCustomRichEdit::HideScrollBars, &TCustomRichEdit::SetHideScrollBars)
        .Default(true)
        .Property("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection)
        .Default(true)
        .Property("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines)
        .NotStored()
        .Property("MeasurementUnits", &TwwCustomRichEdit::MeasurementUnits,
                  &TwwCustomRichEdit::SetMeasurementUnits)
        .Default(muInches)
        .Property("OleOptions", &TwwCustomRichEdit::OleOptions, &TwwCustomRichEdit::SetOleOptions)
        .Default(TwwRichEditOleOptions{reoAdjustPopupMenu})
        .Property("PlainText", &TCustomRichEdit::PlainText, &TCustomRichEdit::SetPlainText)
        .Default(false)
        .Property("PopupOptions", &TwwCustomRichEdit::PopupOptions, &TwwCustomRichEdit::SetPopupOptions)
        .Default(kDefaultPopupOptions)
        .Property("PrintJobName", &TwwCustomRichEdit::PrintJobName, &TwwCustomRichEdit::SetPrintJobName)
        .StoredIf([](const TwwDBRichEdit& c) { return c.PrintJobNameStored(); })
        .Property("PrintMargins", &TwwCustomRichEdit::PrintMargins)
        .Property("ReadOnly", &TwwDBRichEdit::ReadOnly, &TwwDBRichEdit::SetReadOnly)
        .Default(false)
        .Property("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars)
        .Default(ssNone)
        .With(PublishTabbing<TwwDBRichEdit>)
        .Property("UserSpeedButton1", &TwwCustomRichEdit::UserSpeedButton1,
                  &TwwCustomRichEdit::SetUserSpeedButton1)
        .Property("UserSpeedButton2", &TwwCustomRichEdit::UserSpeedButton2,
                  &TwwCustomRichEdit::SetUserSpeedButton2)
        .Property("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns)
        .Default(true)
        .Property("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs)
        .Default(false)
        .Property("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap)
        .Default(true)
        .Event("OnChange", &TCustomEdit::OnChange)
        .Event("OnCloseDialog", &TwwCustomRichEdit::OnCloseDialog)
        .Event("OnCreateDialog", &TwwCustomRichEdit::OnCreateDialog)
        .Event("OnInitDialog", &TwwCustomRichEdit::OnInitDialog)
        .Event("OnProtectChange", &TCustomRichEdit::OnProtectChange)
        .Event("OnResizeRequest", &TCustomRichEdit::OnResizeRequest)
        .Event("OnSaveClipboard", &TCustomRichEdit::OnSaveClipboard)
        .Event("OnSelectionChange", &TCustomRichEdit::OnSelectionChange)
        .Event("OnURLOpen", &TwwCustomRichEdit::OnURLOpen)
        .With(PublishKeyEvents<TwwDBRichEdit>))

void RegisterRichTextClasses() {
  RegisterClasses<TwwDBRichEdit, TwwRichEditForm, TwwRulerPanel, TwwRichParagraphDialog, TwwRichTabDialog>();
}
