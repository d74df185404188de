#include "data/controls/db_edit.h"

#include "core/rtti.h"
#include "data/controls/window_field_data_link.h"
#include "data/dataset.h"
#include "data/db_error.h"
#include "data/fields/field.h"
#include "data/links/data_source.h"
#include "gui/controls/keys.h"

BREVANT_DEFINE_CLASS(TDBEdit, TEdit,
                     .Property("DataSource", &TDBEdit::DataSource, &TDBEdit::SetDataSource)
                         .Property("DataField", &TDBEdit::DataField, &TDBEdit::SetDataField))

TDBEdit::TDBEdit(TComponent* AOwner) : TEdit(AOwner), Link_(std::make_unique<TWindowFieldDataLink>(this)) {
  Link_->SetControl(this);
  Link_->OnDataChange = [this](TObject*) { HandleDataChange(); };
  Link_->OnEditingChange = [this](TObject*) { HandleEditingChange(); };
  Link_->OnUpdateData = [this](TObject*) { HandleUpdateData(); };
  Link_->OnActiveChange = [this](TObject*) { HandleEditingChange(); };
  SetReadOnly(true);
}

TDBEdit::~TDBEdit() {
  Link_->OnDataChange = nullptr;
  Link_->OnEditingChange = nullptr;
  Link_->OnUpdateData = nullptr;
  Link_->OnActiveChange = nullptr;
  Link_.reset();
}

TDataSource* TDBEdit::DataSource() const {
  return Link_->DataSource();
}

void TDBEdit::SetDataSource(TDataSource* Value) {
  if (Value == Link_->DataSource()) return;
  Link_->SetDataSource(Value);
  if (Value != nullptr) Value->FreeNotification(this);
}

std::string TDBEdit::DataField() const {
  return Link_->FieldName();
}

void TDBEdit::SetDataField(const std::string& Value) {
  Link_->SetFieldName(Value);
}

TField* TDBEdit::Field() const {
  return Link_->Field();
}

void TDBEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TEdit::Notification(AComponent, Operation);
  if (Operation == opRemove && Link_ && AComponent == Link_->DataSource()) Link_->SetDataSource(nullptr);
}

void TDBEdit::ShowText(const std::string& Value) {
  Showing_ = true;
  try {
    SetText(Value);
  } catch (...) {
    Showing_ = false;
    throw;
  }
  Showing_ = false;
}

void TDBEdit::HandleDataChange() {
  TField* field = Link_->Field();
  if (field == nullptr) {
    ShowText("");
  } else {
    ShowText(Focused_ && Link_->CanChange() ? field->EditText() : field->ShownText());
  }
  HandleEditingChange();
}

void TDBEdit::HandleEditingChange() {
  // Typing is refused where the row cannot change; it starts the edit where it can.
  SetReadOnly(Link_->Field() == nullptr || !Link_->CanChange());
}

void TDBEdit::HandleUpdateData() {
  TField* field = Link_->Field();
  if (field == nullptr) return;
  const std::string& text = Text();
  if (field->Size() > 0 && field->HoldsBlob() == false && static_cast<int>(text.size()) > field->Size()) {
    RaiseDataError(field->ShownName() + " holds at most " + std::to_string(field->Size()) +
                       " characters; the text typed has " + std::to_string(text.size()),
                   nullptr);
  }
  field->SetEditText(text);
}

bool TDBEdit::BeginEdit() {
  if (Link_->FieldEditing()) return true;
  const std::string typed = Text();
  if (!Link_->RequestEdit()) return false;
  // Entering edit mode shows the row again; what is being typed stays.
  if (Text() != typed) ShowText(typed);
  return true;
}

void TDBEdit::Change() {
  if (!Showing_ && Link_->Field() != nullptr) {
    if (BeginEdit()) {
      Link_->MarkModified();
    } else {
      HandleDataChange();  // the row cannot change: the box shows the field again
    }
  }
  TEdit::Change();
}

void TDBEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
  TEdit::KeyDown(Key, Shift);
  if (Key == VK_ESCAPE && Link_->Field() != nullptr) {
    Link_->ResetDisplay();
  } else if (Key == VK_DELETE && Link_->Field() != nullptr && !BeginEdit()) {
    Key = 0;
  }
}

void TDBEdit::KeyPress(char& Key) {
  TEdit::KeyPress(Key);
  // The edit begins before the character lands, so the row's reload cannot swallow it.
  const auto c = static_cast<unsigned char>(Key);
  if (Link_->Field() != nullptr && (c >= 32 || c == 8 || c == 22 || c == 24) && !BeginEdit()) Key = 0;
}

void TDBEdit::DoEnter() {
  Focused_ = true;
  if (Link_->Field() != nullptr && !Link_->HasChanges()) Link_->ResetDisplay();
  TEdit::DoEnter();
}

void TDBEdit::DoExit() {
  if (Link_->Field() != nullptr) {
    try {
      Link_->SaveRecord();
    } catch (...) {
      // The row cannot take the text: the box keeps it and the focus.
      if (CanFocus()) SetFocus();
      throw;
    }
  }
  Focused_ = false;
  if (Link_->Field() != nullptr && !Link_->HasChanges()) Link_->ResetDisplay();
  TEdit::DoExit();
}
