#pragma once
// A form class with a stored layout of its own (layouts/TTestForm.layout).

#include <string>
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

// A window with a menu bar, a tool bar and a status bar (layouts/TMenuTestForm.layout);
// it logs the clicks and the keys its preview sees.
class TMenuTestForm : public TForm {
 public:
  BREVANT_CLASS(TMenuTestForm)
  explicit TMenuTestForm(TComponent* AOwner) : TForm(AOwner) {}

  void ItemClick(TObject* Sender);
  void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
  void FormKeyUp(TObject* Sender, uint16_t& Key, TShiftState Shift);

  std::vector<std::string> Log;
  // A key the preview swallows.
  uint16_t Swallow = 0;
};
