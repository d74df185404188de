#include "data/dialogs/password_dialog.h"

#include <memory>

#include "core/rtti.h"
#include "data/engine/session.h"
#include "gui/forms/application.h"
#include "gui/stdctrls/button.h"
#include "gui/stdctrls/edit.h"
#include "gui/stdctrls/group_box.h"

BREVANT_DEFINE_CLASS(TPasswordDialog, TForm,
                     .Method("EditChange", &TPasswordDialog::EditChange)
                         .Method("AddButtonClick", &TPasswordDialog::AddButtonClick)
                         .Method("RemoveButtonClick", &TPasswordDialog::RemoveButtonClick)
                         .Method("RemoveAllButtonClick", &TPasswordDialog::RemoveAllButtonClick)
                         .Method("OKButtonClick", &TPasswordDialog::OKButtonClick))

TPasswordDialog::TPasswordDialog(TComponent* AOwner) : TForm(AOwner) {}

void TPasswordDialog::Loaded() {
  TForm::Loaded();
  Bind(GroupBox1, "GroupBox1");
  Bind(Edit, "Edit");
  Bind(AddButton, "AddButton");
  Bind(RemoveButton, "RemoveButton");
  Bind(RemoveAllButton, "RemoveAllButton");
  Bind(OKButton, "OKButton");
  Bind(CancelButton, "CancelButton");
}

void TPasswordDialog::EditChange(TObject* /*Sender*/) {
  const bool typed = !Edit->Text().empty();
  AddButton->SetEnabled(typed);
  RemoveButton->SetEnabled(typed);
  OKButton->SetEnabled(typed || Added_);
}

void TPasswordDialog::AddButtonClick(TObject* /*Sender*/) {
  Session_->StorePassword(Edit->Text());
  Added_ = true;
  Edit->Clear();
  Edit->SetFocus();
}

void TPasswordDialog::RemoveButtonClick(TObject* /*Sender*/) {
  Session_->DropPassword(Edit->Text());
  Edit->Clear();
  Edit->SetFocus();
}

void TPasswordDialog::RemoveAllButtonClick(TObject* /*Sender*/) {
  Session_->DropAllPasswords();
  Edit->SetFocus();
}

void TPasswordDialog::OKButtonClick(TObject* /*Sender*/) {
  Session_->StorePassword(Edit->Text());
  SetModalResult(mrOk);
}

bool ShowPasswordDialog(TSession* Session) {
  std::unique_ptr<TPasswordDialog> dialog(NewForm<TPasswordDialog>(Application));
  dialog->SetSession(Session);
  return dialog->ShowModal() == mrOk;
}
