#pragma once
// A form class with a stored layout of its own (layouts/TTestForm.layout).

#include <vector>

#include "gui/forms/form.h"

class TTestForm : public TForm {
 public:
  BREVANT_CLASS(TTestForm)
  explicit TTestForm(TComponent* AOwner) : TForm(AOwner) {}
  ~TTestForm() override;

  void FormCreate(TObject* Sender);
  void ButtonClick(TObject* Sender);
  void NameChange(TObject* Sender);

  std::vector<TObject*> Clicks;
  int Changes = 0;
  static bool FailInCreate;
  static int Destroyed;
};
