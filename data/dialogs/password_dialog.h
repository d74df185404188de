#pragma once
// TPasswordDialog: asks for table passwords for a session ("Enter password"). Add stores the
// typed password and asks for more; Remove and Remove all take passwords away; OK stores the
// typed password (if any) and closes, after which the table is tried again.

#include "gui/forms/form.h"

class TButton;
class TEdit;
class TGroupBox;
class TSession;

class TPasswordDialog : public TForm {
 public:
  BREVANT_CLASS(TPasswordDialog)
  explicit TPasswordDialog(TComponent* AOwner);

  TSession* Session() const { return Session_; }
  void SetSession(TSession* Value) { Session_ = Value; }
  // A password was added through this dialog.
  bool Added() const { return Added_; }

  TGroupBox* GroupBox1 = nullptr;
  TEdit* Edit = nullptr;
  TButton* AddButton = nullptr;
  TButton* RemoveButton = nullptr;
  TButton* RemoveAllButton = nullptr;
  TButton* OKButton = nullptr;
  TButton* CancelButton = nullptr;

  void EditChange(TObject* Sender);
  void AddButtonClick(TObject* Sender);
  void RemoveButtonClick(TObject* Sender);
  void RemoveAllButtonClick(TObject* Sender);
  void OKButtonClick(TObject* Sender);

 protected:
  void Loaded() override;

 private:
  TSession* Session_ = nullptr;
  bool Added_ = false;
};

// Shows a password dialog for Session (owned by the application while it is shown) and
// answers whether it closed with OK.
bool ShowPasswordDialog(TSession* Session);
