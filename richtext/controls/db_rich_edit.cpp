// The data link reactions of the data-bound control.

#include "richtext/controls/db_rich_edit.h"

#include "core/format.h"
#include "data/controls/window_field_data_link.h"
#include "data/dataset.h"
#include "data/fields/blob_field.h"
#include "data/links/data_source.h"
#include "richtext/controls/rich_memory_stream.h"
#include "richtext/controls/richtext_strings.h"
#include "richtext/controls/ww_rich_edit_strings.h"
#include "richtext/edit/rich_edit_box.h"

TwwDBRichEdit::TwwDBRichEdit(TComponent* AOwner)
    : TwwCustomRichEdit(AOwner), Link_(std::make_unique<TWindowFieldDataLink>(this)) {
  // No control for the link: the field is found by name in the dataset.
  Link_->OnDataChange = [this](TObject*) { HandleDataChange(); };
  Link_->OnEditingChange = [this](TObject*) { HandleEditingChange(); };
  Link_->OnUpdateData = [this](TObject*) { HandleUpdateData(); };
}

TwwDBRichEdit::~TwwDBRichEdit() {
  // The link leaves its source before anything it calls back into goes.
  Link_->OnDataChange = nullptr;
  Link_->OnEditingChange = nullptr;
  Link_->OnUpdateData = nullptr;
  Link_.reset();
}

TDataSource* TwwDBRichEdit::DataSource() const {
  return Link_->DataSource();
}

void TwwDBRichEdit::SetDataSource(TDataSource* Value) {
  if (Value == Link_->DataSource()) return;
  Link_->SetDataSource(Value);
  if (Value != nullptr) Value->FreeNotification(this);
}

void TwwDBRichEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TwwCustomRichEdit::Notification(AComponent, Operation);
  if (Operation == opRemove && Link_ && AComponent == Link_->DataSource()) Link_->SetDataSource(nullptr);
}

std::string TwwDBRichEdit::DataField() const {
  return Link_->FieldName();
}

bool TwwDBRichEdit::DataFieldSet() const {
  return !Link_->FieldName().empty();
}

void TwwDBRichEdit::SetDataField(const std::string& Value) {
  if (!Value.empty() && Value != Link_->FieldName()) {
    SetEditReadOnly(true);
  } else if (Value.empty()) {
    SetEditReadOnly(EffectiveReadOnly());
  }
  // The link drops the old field (the control empties) and, on an active dataset, finds the
  // new one (the control shows its content of the current row).
  Link_->SetFieldName(Value);
}

TField* TwwDBRichEdit::GetBoundField() const {
  return Link_->Field();
}

bool TwwDBRichEdit::EffectiveReadOnly() const {
  TField* field = Link_->Field();
  if (field == nullptr && Link_->FieldName().empty()) return EditReadOnly();
  if (Link_->ReadOnly()) return true;
  if (field != nullptr && field->HostDataSet() != nullptr) return !field->HostDataSet()->CanModify();
  return false;
}

void TwwDBRichEdit::SetReadOnly(bool Value) {
  if (Link_->Field() == nullptr) SetEditReadOnly(Value);
  Link_->SetReadOnly(Value);
}

void TwwDBRichEdit::SetAutoDisplay(bool Value) {
  if (Link_->Field() == nullptr || Value == AutoDisplay_) return;
  AutoDisplay_ = Value;
  if (Value) LoadFieldContent();
}

void TwwDBRichEdit::ShowText(const std::string& Value) {
  TInternalUpdateScope quiet(*this);
  SetText(Value);
}

void TwwDBRichEdit::HandleDataChange() {
  TField* field = Link_->Field();
  if (field == nullptr) {
    ShowText(IsDesigning() ? Name() : "");
    ContentLoaded_ = false;
  } else if (auto* blob = dynamic_cast<TBlobField*>(field); blob == nullptr) {
    ContentLoaded_ = false;
    ShowText(FocusedFlag_ && Link_->CanChange() ? field->EditText() : field->ShownText());
    ContentLoaded_ = true;
  } else if (AutoDisplay_ || (Link_->FieldEditing() && ContentLoaded_)) {
    // Entering edit mode reports a row change; the blob is still the one shown.
    if (!SavedBlobText_.empty() && SavedBlobText_ == blob->AsText()) return;
    ContentLoaded_ = false;
    if (Visible()) LoadFieldContent();
  } else {
    ContentLoaded_ = false;
    ShowText(Format(LoadResString(SRichEditPlaceholder), field->ShownName()));
  }
  if (HandleAllocated()) Invalidate();
}

void TwwDBRichEdit::HandleEditingChange() {
  if (Link_->Field() == nullptr) return;
  SetEditReadOnly(!(Link_->FieldEditing() && ContentLoaded_));
}

void TwwDBRichEdit::HandleUpdateData() {
  WriteFieldContent();
}

void TwwDBRichEdit::WriteFieldContent() {
  TField* field = Link_->Field();
  if (field == nullptr || !Modified() || !ContentLoaded_) return;
  if (auto* blob = dynamic_cast<TBlobField*>(field)) {
    TwwRichMemoryStream stream;
    RichEditLines()->SaveContent(stream);
    stream.SetPosition(0);
    blob->LoadFromStream(stream);
  } else {
    field->SetAsText(Text());
  }
}

void TwwDBRichEdit::BeginFieldEdit() {
  TField* field = Link_->Field();
  if (field == nullptr || Link_->FieldEditing()) return;
  try {
    if (auto* blob = dynamic_cast<TBlobField*>(field)) SavedBlobText_ = blob->AsText();
    Link_->RequestEdit();
  } catch (...) {
    SavedBlobText_.clear();
    throw;
  }
  SavedBlobText_.clear();
}

void TwwDBRichEdit::Change() {
  if (Link_->Field() != nullptr && ContentLoaded_ && !InternalUpdate() && !Reparenting_) {
    BeginFieldEdit();
    Link_->MarkModified();
  }
  TwwCustomRichEdit::Change();
}

void TwwDBRichEdit::SetFocusedFlag(bool Value) {
  if (Value == FocusedFlag_) return;
  FocusedFlag_ = Value;
  TField* field = Link_->Field();
  if (field != nullptr && dynamic_cast<TBlobField*>(field) == nullptr) Link_->ResetDisplay();
}

void TwwDBRichEdit::DoEnter() {
  if (Link_->Field() != nullptr) SetFocusedFlag(true);
  TwwCustomRichEdit::DoEnter();
}

void TwwDBRichEdit::DoExit() {
  if (Link_->Field() != nullptr) {
    try {
      Link_->SaveRecord();
    } catch (...) {
      // The row cannot take the content: the control keeps the focus.
      if (CanFocus()) SetFocus();
      throw;
    }
    SetFocusedFlag(false);
  }
  TwwCustomRichEdit::DoExit();
}

void TwwDBRichEdit::SetParent(TWinControl* AParent) {
  Reparenting_ = true;
  try {
    TwwCustomRichEdit::SetParent(AParent);
  } catch (...) {
    Reparenting_ = false;
    throw;
  }
  Reparenting_ = false;
}

void TwwDBRichEdit::WidgetDestroying() {
  // A window that goes because the control moves away drops its content: the field loads again.
  if (Reparenting_ && Link_->Field() != nullptr) ContentLoaded_ = false;
  TwwCustomRichEdit::WidgetDestroying();
}
