#pragma once
// TLoginDialog: asks for the user name and password of a database ("Database Login").

#include <string>

#include "gui/forms/form.h"

class TBevel;
class TButton;
class TEdit;
class TLabel;
class TPanel;

class TLoginDialog : public TForm {
 public:
  BREVANT_CLASS(TLoginDialog)
  explicit TLoginDialog(TComponent* AOwner);

  TPanel* Panel = nullptr;
  TLabel* DatabaseName = nullptr;
  TBevel* Bevel = nullptr;
  TPanel* Panel2 = nullptr;
  TEdit* UserName = nullptr;
  TEdit* Password = nullptr;
  TButton* OKButton = nullptr;
  TButton* CancelButton = nullptr;

  // A database name too long for the panel is cut short of its edge.
  void FormShow(TObject* Sender);

 protected:
  void Loaded() override;
};

// Shows a login dialog for the database; UserName goes in (fixed: not editable) and comes out
// with Password when the user chose OK.
bool ShowLoginDialog(const std::string& DatabaseName, std::string& UserName, std::string& Password,
                     bool UserNameFixed);
