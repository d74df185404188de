#pragma once
// The game's main window. Its components come from the stored layout TMainForm.layout;
// the handlers named there are methods of this class.

#include "gui/forms/form.h"

class TLabel;
class TBitBtn;
class TButton;
class TPanel;
class TRadioGroup;

class TMainForm : public TForm {
 public:
  BREVANT_CLASS(TMainForm)
  explicit TMainForm(TComponent* AOwner);

  void FormCreate(TObject* Sender);
  void Label20Click(TObject* Sender);
  void Label22Click(TObject* Sender);
  void HintmeButtonClick(TObject* Sender);
  void ScoreMeButtonClick(TObject* Sender);
  void ButtonClassicTV1Click(TObject* Sender);
  void ButtonOscarsClick(TObject* Sender);
  void ButtonRightsClick(TObject* Sender);
  void BitBtnHelpClick(TObject* Sender);
  void BitBtnAboutClick(TObject* Sender);

  TLabel* Label20 = nullptr;
  TLabel* Label22 = nullptr;
  TLabel* LabelScale1 = nullptr;
  TLabel* LabelScale2 = nullptr;
  TLabel* LabelScale3 = nullptr;
  TLabel* LabelScale4 = nullptr;
  TLabel* LabelScale5 = nullptr;
  TBitBtn* HintmeButton = nullptr;
  TBitBtn* ScoreMeButton = nullptr;
  TPanel* Panel2 = nullptr;
  TButton* ButtonClassicTV1 = nullptr;
  TButton* ButtonOscars = nullptr;
  TButton* ButtonRights = nullptr;
  TBitBtn* BitBtnHelp = nullptr;
  TBitBtn* BitBtnAbout = nullptr;
  TRadioGroup* RadioGroup1 = nullptr;

 protected:
  void Loaded() override;
};

// Registers the program's form classes (for tools that render their layouts).
void RegisterAppForms();
