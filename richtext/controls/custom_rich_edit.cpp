#include "richtext/controls/custom_rich_edit.h"

#include "core/rtti.h"
#include "core/streams.h"
#include "richtext/controls/rich_edit_strings.h"
#include "richtext/edit/rich_edit_box.h"

BREVANT_DEFINE_CLASS(TCustomRichEdit, TCustomMemo, )

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner)
    : TCustomMemo(AOwner),
      RichLines_(std::make_unique<TRichEditStrings>(this)),
      SelAttributes_(std::make_unique<TTextAttributes>(this, atSelected)),
      DefAttributes_(std::make_unique<TTextAttributes>(this, atDefaultText)),
      Paragraph_(std::make_unique<TParaAttributes>(this)) {}

TCustomRichEdit::~TCustomRichEdit() {
  // The window outlives this part of the control: nothing may call back into it.
  if (TRichEditBox* box = EditBoxIfAllocated()) {
    box->OnChange = nullptr;
    box->OnSelectionChange = nullptr;
    box->OnRequestResize = nullptr;
    box->OnProtected = nullptr;
    box->OnLink = nullptr;
    box->OnPaint = nullptr;
  }
}

TStrings* TCustomRichEdit::Lines() const {
  return RichLines_.get();
}

TRichEditBox* TCustomRichEdit::EditBox() {
  return static_cast<TRichEditBox*>(Widget());
}

TRichEditBox* TCustomRichEdit::EditBoxIfAllocated() const {
  return HandleAllocated() ? static_cast<TRichEditBox*>(const_cast<TCustomRichEdit*>(this)->Widget())
                           : nullptr;
}

QWidget* TCustomRichEdit::CreateWidget(QWidget* ParentWidget) {
  return new TRichEditBox(this, ParentWidget);
}

void TCustomRichEdit::InitWidget() {
  TRichEditBox* box = EditBox();
  box->OnChange = [this]() { Change(); };
  box->OnSelectionChange = [this]() { SelectionChange(); };
  box->OnRequestResize = [this](const TRect& Rect) { FireResizeRequest(Rect); };
  box->OnProtected = [this](int Start, int End) { return ProtectChange(Start, End); };
  box->OnLink = [this](const TRichLinkNotice& Notice) { LinkNotice(Notice); };
  box->OnPaint = [this]() { return PaintNotice(); };
  box->SetEventMask({evChange, evSelectionChange, evRequestResize, evProtected});
  TCustomMemo::InitWidget();
  box->SetBackgroundColor(Color());
  DefAttributes_->Assign(*Font());
  ApplySettings();
  if (SavedCopy_) {
    // The content the last window had.
    std::unique_ptr<TMemoryStream> saved = std::move(SavedCopy_);
    saved->SetPosition(0);
    char plain = 0;
    saved->ReadBuffer(&plain, 1);
    const bool wasPlain = PlainText_;
    PlainText_ = plain != 0;
    try {
      RichLines_->LoadContent(*saved);
    } catch (...) {
      PlainText_ = wasPlain;
      throw;
    }
    PlainText_ = wasPlain;
  }
}

void TCustomRichEdit::WidgetDestroying() {
  TCustomMemo::WidgetDestroying();
  if (IsDestroying()) return;
  // Plain text only while designing: a layout then keeps the source as written.
  auto saved = std::make_unique<TMemoryStream>();
  const char plain = IsDesigning() ? 1 : 0;
  saved->WriteBuffer(&plain, 1);
  const bool wasPlain = PlainText_;
  PlainText_ = plain != 0;
  try {
    RichLines_->SaveContent(*saved);
  } catch (...) {
    PlainText_ = wasPlain;
    throw;
  }
  PlainText_ = wasPlain;
  SavedCopy_ = std::move(saved);
}

void TCustomRichEdit::ApplySettings() {
  TRichEditBox* box = EditBoxIfAllocated();
  if (box == nullptr) return;
  box->SetReadOnly(EditReadOnly());
  box->SetHideSelection(HideSelection());
  box->SetScrollBars(ScrollBars(), HideScrollBars_);
  box->SetWordWrap(WordWrap());
  box->SetTabChangesFocus(!WantTabs());
  box->SetBorder(BorderStyle() != bsNone);
}

void TCustomRichEdit::EditSettingsChanged() {
  ApplySettings();
}

void TCustomRichEdit::SetHideScrollBars(bool Value) {
  if (Value == HideScrollBars_) return;
  HideScrollBars_ = Value;
  ApplySettings();
}

void TCustomRichEdit::FontChanged() {
  TCustomMemo::FontChanged();
  if (!HandleAllocated()) return;
  // The default format follows the font, member by member.
  TTextAttributes& def = *DefAttributes_;
  const TFont& font = *Font();
  if (def.Name() != font.Name()) def.SetName(font.Name());
  if (def.Size() != font.Size()) def.SetSize(font.Size());
  if (def.Style() != font.Style()) def.SetStyle(font.Style());
  if (def.Color() != font.Color()) def.SetColor(font.Color());
  if (def.Charset() != font.Charset()) def.SetCharset(font.Charset());
  if (def.Pitch() != font.Pitch()) def.SetPitch(font.Pitch());
}

void TCustomRichEdit::ColorChanged() {
  TCustomMemo::ColorChanged();
  if (TRichEditBox* box = EditBoxIfAllocated()) box->SetBackgroundColor(Color());
}

void TCustomRichEdit::SelectionChange() {
  if (OnSelectionChange) OnSelectionChange(this);
}

bool TCustomRichEdit::ProtectChange(int StartPos, int EndPos) {
  bool allow = false;
  if (OnProtectChange) OnProtectChange(this, StartPos, EndPos, allow);
  return allow;
}

void TCustomRichEdit::FireResizeRequest(const TRect& Rect) {
  if (OnResizeRequest) OnResizeRequest(this, Rect);
}

void TCustomRichEdit::PrintContent(const std::string& /*Caption*/) {}

std::string TCustomRichEdit::Text() const {
  return const_cast<TCustomRichEdit*>(this)->EditBox()->Text();
}

void TCustomRichEdit::SetText(const std::string& Value) {
  EditBox()->SetText(Value);
}

int TCustomRichEdit::SelStart() const {
  return const_cast<TCustomRichEdit*>(this)->EditBox()->SelStart();
}

void TCustomRichEdit::SetSelStart(int Value) {
  EditBox()->SetSelection(Value, Value);
}

int TCustomRichEdit::SelLength() const {
  return const_cast<TCustomRichEdit*>(this)->EditBox()->SelLength();
}

void TCustomRichEdit::SetSelLength(int Value) {
  TRichEditBox* box = EditBox();
  const int start = box->SelStart();
  box->SetSelection(start, Value < 0 ? -1 : start + Value);
}

std::string TCustomRichEdit::SelText() const {
  return const_cast<TCustomRichEdit*>(this)->EditBox()->SelectedText();
}

void TCustomRichEdit::SetSelText(const std::string& Value) {
  EditBox()->ReplaceSelection(Value);
}

bool TCustomRichEdit::Modified() const {
  return HandleAllocated() && const_cast<TCustomRichEdit*>(this)->EditBox()->Modified();
}

void TCustomRichEdit::SetModified(bool Value) {
  EditBox()->SetModified(Value);
}

void TCustomRichEdit::CutToClipboard() {
  EditBox()->Cut();
}

void TCustomRichEdit::CopyToClipboard() {
  EditBox()->Copy();
}

void TCustomRichEdit::PasteFromClipboard() {
  EditBox()->Paste();
}

void TCustomRichEdit::Undo() {
  EditBox()->Undo();
}

bool TCustomRichEdit::CanUndo() const {
  return HandleAllocated() && const_cast<TCustomRichEdit*>(this)->EditBox()->CanUndo();
}

int TCustomRichEdit::GetTextLen() {
  return EditBox()->TextLength();
}

int TCustomRichEdit::FindText(const std::string& SearchStr, int StartPos, int Length,
                              const TRichFindOptions& Options) {
  return EditBox()->FindText(SearchStr, StartPos, Length < 0 ? -1 : StartPos + Length, Options);
}
