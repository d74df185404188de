#include "richtext/controls/ww_custom_rich_edit.h"

#include "core/exceptions.h"
#include "core/rtti.h"
#include "gui/dialogs/find_dialog.h"
#include "gui/dialogs/font_dialog.h"
#include "gui/forms/application.h"
#include "gui/forms/screen.h"
#include "gui/stdctrls/speed_button.h"
#include "richtext/controls/rich_edit_strings.h"
#include "richtext/controls/rich_memory_stream.h"
#include "richtext/controls/richtext_strings.h"
#include "richtext/controls/ww_rich_edit_popup.h"
#include "richtext/controls/ww_rich_edit_strings.h"
#include "richtext/edit/rich_edit_box.h"

BREVANT_DEFINE_CLASS(TwwCustomRichEdit, TCustomRichEdit, )

TwwCustomRichEdit::TwwCustomRichEdit(TComponent* AOwner)
    : TCustomRichEdit(AOwner),
      Lines_(std::make_unique<TwwRichEditStrings>(this)),
      EditorCaption_(LoadResString(SRichEditCaption)),
      EditorPosition_(std::make_unique<TwwFormPosition>()),
      PrintMargins_(std::make_unique<TwwPrintMargins>()),
      FontDialog_(std::make_unique<TFontDialog>(nullptr)) {
  BuildPopupMenu();
  BuildFindDialogs();
  FontDialog_->SetDevice(fdBoth);
  FontDialog_->SetMinFontSize(0);
  FontDialog_->SetMaxFontSize(0);
}

TwwCustomRichEdit::~TwwCustomRichEdit() {
  // A dialog still open reports nothing to a control that is going.
  for (TFindDialog* dialog : {FindDialog_.get(), static_cast<TFindDialog*>(ReplaceDialog_.get())}) {
    dialog->OnFind = nullptr;
    dialog->OnClose = nullptr;
  }
  ReplaceDialog_->OnReplace = nullptr;
  BuiltInMenu_->OnFetch = nullptr;
  BuiltInMenu_->OnPopup = nullptr;
}

TStrings* TwwCustomRichEdit::Lines() const {
  return Lines_.get();
}

// --- Settings ----------------------------------------------------------------------------------

void TwwCustomRichEdit::SetRichEditVersion(int Value) {
  if (Value < 1 || Value > 2)
    throw EInvalidArgument("RichEditVersion must be 1 or 2, not " + std::to_string(Value));
  if (Value == RichEditVersion_) return;
  RichEditVersion_ = Value;
  RecreateWidget();
}

void TwwCustomRichEdit::SetOleOptions(TwwRichEditOleOptions Value) {
  if (Value == OleOptions_) return;
  OleOptions_ = Value;
  RecreateWidget();
}

void TwwCustomRichEdit::SetAutoURLDetect(bool Value) {
  if (Value == AutoURLDetect_) return;
  AutoURLDetect_ = Value;
  if (TRichEditBox* box = EditBoxIfAllocated()) {
    box->SetAutoUrlDetect(Value);
    TRichEventMask mask = box->EventMask();
    if (Value) {
      mask.Include(evLink);
    } else {
      mask.Exclude(evLink);
    }
    box->SetEventMask(mask);
  }
}

void TwwCustomRichEdit::SetEditWidth(TwwRichEditWidth Value) {
  if (Value == EditWidth_) return;
  EditWidth_ = Value;
  HasLastFormatRect_ = false;
  ApplyFormatRect();
}

std::string TwwCustomRichEdit::PrintJobName() const {
  if (!PrintJobName_.empty() || Application == nullptr) return PrintJobName_;
  return Application->Title();
}

bool TwwCustomRichEdit::PrintJobNameStored() const {
  return !PrintJobName_.empty() && (Application == nullptr || PrintJobName_ != Application->Title());
}

void TwwCustomRichEdit::SetUserSpeedButton1(TSpeedButton* Value) {
  if (Value == UserSpeedButton1_) return;
  UserSpeedButton1_ = Value;
  if (Value != nullptr) {
    Value->FreeNotification(this);
    // The editor window shows it on its tool bar.
    Value->SetVisible(false);
  }
}

void TwwCustomRichEdit::SetUserSpeedButton2(TSpeedButton* Value) {
  if (Value == UserSpeedButton2_) return;
  UserSpeedButton2_ = Value;
  if (Value != nullptr) {
    Value->FreeNotification(this);
    Value->SetVisible(false);
  }
}

void TwwCustomRichEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomRichEdit::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == UserSpeedButton1_) UserSpeedButton1_ = nullptr;
  if (AComponent == UserSpeedButton2_) UserSpeedButton2_ = nullptr;
}

void TwwCustomRichEdit::SetPaperSize(int Value) {
  if (Value == PaperSize_) return;
  PaperSize_ = Value;
  if (ParentForm() != nullptr && EditWidth_ == rewPrinterSize) ApplyFormatRect();
}

// --- Window life -------------------------------------------------------------------------------

void TwwCustomRichEdit::InitWidget() {
  HasLastFormatRect_ = false;
  FirstPaintDone_ = false;
  {
    // Content the window gets back is no change of the user's.
    TInternalUpdateScope quiet(*this);
    TCustomRichEdit::InitWidget();
  }
  TRichEditBox* box = EditBox();
  if (SavedContentValid_) {
    TInternalUpdateScope quiet(*this);
    SavedContent_->SetPosition(0);
    RichLines()->StreamIn(*SavedContent_, false, false, false);
    box->SetModified(false);
  }
  if (AutoURLDetect_) {
    box->SetAutoUrlDetect(true);
    TRichEventMask mask = box->EventMask();
    mask.Include(evLink);
    box->SetEventMask(mask);
  }
}

void TwwCustomRichEdit::WidgetDestroying() {
  SavedContentValid_ = false;
  if (!IsBeingReparented() && !IsDestroying()) {
    if (!SavedContent_) SavedContent_ = std::make_unique<TwwRichMemoryStream>();
    SavedContent_->SetSize(0);
    // RTF whatever PlainText says: a re-created window shows the same formatted text.
    const TRichStreamError error =
        EditBox()->StreamOut(rfRtf, false, [this](const char* Data, int64_t Count) {
          SavedContent_->WriteBuffer(Data, Count);
          return true;
        });
    SavedContent_->SetPosition(0);
    SavedContentValid_ = error == reNone;
  }
  {
    TInternalUpdateScope quiet(*this);
    EditBox()->SetText("");
  }
  TCustomRichEdit::WidgetDestroying();
}

void TwwCustomRichEdit::Loaded() {
  TCustomRichEdit::Loaded();
  // A translated text table is in place by now.
  SetPopupCaptions();
  // A hidden control has its window ready, so that showing it only needs a paint.
  if (!Visible()) HandleNeeded();
}

// --- Slots -------------------------------------------------------------------------------------

bool TwwCustomRichEdit::EffectiveReadOnly() const {
  return EditReadOnly();
}

void TwwCustomRichEdit::FireURLOpen(const std::string& URL, bool& UseDefault) {
  if (OnURLOpen) OnURLOpen(this, URL, UseDefault);
}

int TwwCustomRichEdit::SearchText(const std::string& Text, int Start, int Length,
                                  const TRichFindOptions& Options) {
  TRichFindOptions down = Options;
  down.Down = true;
  return FindText(Text, Start, Length, down);
}

void TwwCustomRichEdit::StreamInPartial(TStream& Stream, bool FirstParagraphOnly, bool AtSelection) {
  const int64_t position = Stream.Position();
  int error = RichLines()->StreamIn(Stream, PlainText(), AtSelection, FirstParagraphOnly);
  if (error != reNone && !PlainText() && !AtSelection) {
    Stream.SetPosition(position);
    error = RichLines()->StreamIn(Stream, true, false, false);
  }
  if (error != reNone) throw EOutOfResources(LoadResString(SRichEditLoadFail));
}

void TwwCustomRichEdit::FireInitDialog(TForm* Form) {
  if (OnInitDialog) OnInitDialog(this, Form);
}

void TwwCustomRichEdit::FireCloseDialog(TForm* Form) {
  if (OnCloseDialog) OnCloseDialog(this, Form);
}

void TwwCustomRichEdit::FireCreateDialog(TForm* Form) {
  if (OnCreateDialog) OnCreateDialog(this, Form);
}

void TwwCustomRichEdit::CopyContentTo(TwwCustomRichEdit* Target) {
  TCursorScope wait(crHourGlass);
  TwwRichMemoryStream stream;
  RichEditLines()->SaveContent(stream);
  stream.SetPosition(0);
  Target->RichEditLines()->LoadContent(stream);
}

bool TwwCustomRichEdit::PasteAllowed() {
  TRichEditBox* box = EditBox();
  bool allowed = box->CanPaste();
  for (TClipboardKind kind : box->ClipboardKinds()) {
    if (kind == ckMetafile) return true;
    // A picture alone cannot be pasted as text; another format of the same data may.
    if (kind == ckBitmap) allowed = false;
  }
  return allowed;
}

bool TwwCustomRichEdit::SelectionPresent() {
  return EditBox()->SelLength() > 0;
}
