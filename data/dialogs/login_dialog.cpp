#include "data/dialogs/login_dialog.h"

#include <memory>

#include "core/rtti.h"
#include "gui/forms/application.h"
#include "gui/stdctrls/button.h"
#include "gui/stdctrls/edit.h"
#include "gui/stdctrls/image.h"
#include "gui/stdctrls/label.h"
#include "gui/stdctrls/panel.h"

BREVANT_DEFINE_CLASS(TLoginDialog, TForm, .Method("FormShow", &TLoginDialog::FormShow))

TLoginDialog::TLoginDialog(TComponent* AOwner) : TForm(AOwner) {}

void TLoginDialog::Loaded() {
  TForm::Loaded();
  Bind(Panel, "Panel");
  Bind(DatabaseName, "DatabaseName");
  Bind(Bevel, "Bevel");
  Bind(Panel2, "Panel2");
  Bind(UserName, "UserName");
  Bind(Password, "Password");
  Bind(OKButton, "OKButton");
  Bind(CancelButton, "CancelButton");
}

void TLoginDialog::FormShow(TObject* /*Sender*/) {
  const int edge = Panel->ClientWidth();
  if (DatabaseName->Left() + DatabaseName->Width() >= edge) {
    DatabaseName->SetAutoSize(false);
    DatabaseName->SetWidth(edge - DatabaseName->Left() - 5);
  }
}

bool ShowLoginDialog(const std::string& DatabaseName, std::string& UserName, std::string& Password,
                     bool UserNameFixed) {
  std::unique_ptr<TLoginDialog> dialog(NewForm<TLoginDialog>(Application));
  dialog->DatabaseName->SetCaption(DatabaseName);
  dialog->UserName->SetText(UserName);
  if (UserNameFixed) {
    dialog->UserName->SetEnabled(false);
  } else if (UserName.empty()) {
    dialog->SetActiveControl(dialog->UserName);
  }
  if (dialog->ShowModal() != mrOk) return false;
  UserName = dialog->UserName->Text();
  Password = dialog->Password->Text();
  return true;
}
