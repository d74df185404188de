#pragma once
// The game's main window. Its components come from the stored layout TMainForm.layout;
// the handlers named there are methods of this class. The handlers catch nothing: an
// exception ends a handler at the step that raised it and the application shows it.

#include "app/categories.h"
#include "data/navigator/nav_types.h"
#include "gui/forms/form.h"

class TLabel;
class TBitBtn;
class TButton;
class TPanel;
class TRadioGroup;
class TRzProgressBar;
class TwwDBRichEdit;
class TDBNavigator;
class TwwDataSource;
class TQuery;
class TTable;
class TStringField;

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
  void DBNavigator1BeforeAction(TObject* Sender, TNavigateBtn Button);
  void DBNavigator1Click(TObject* Sender, TNavigateBtn Button);
  void BitBtnHelpClick(TObject* Sender);
  void BitBtnAboutClick(TObject* Sender);

  TRzProgressBar* RzProgressBar1 = nullptr;
  TLabel* Label20 = nullptr;
  TLabel* Label22 = nullptr;
  TLabel* LabelScale1 = nullptr;
  TLabel* LabelScale2 = nullptr;
  TLabel* LabelScale3 = nullptr;
  TLabel* LabelScale4 = nullptr;
  TLabel* LabelScale5 = nullptr;
  TwwDBRichEdit* TopRtf = nullptr;
  TBitBtn* HintmeButton = nullptr;
  TwwDBRichEdit* HintRtf = nullptr;
  TBitBtn* ScoreMeButton = nullptr;
  TDBNavigator* DBNavigator1 = nullptr;
  TwwDBRichEdit* RiffRtf = nullptr;
  TPanel* Panel2 = nullptr;
  TButton* ButtonClassicTV1 = nullptr;
  TButton* ButtonOscars = nullptr;
  TButton* ButtonRights = nullptr;
  TBitBtn* BitBtnHelp = nullptr;
  TBitBtn* BitBtnAbout = nullptr;
  TRadioGroup* RadioGroup1 = nullptr;
  TwwDataSource* wwDataSource1 = nullptr;
  TQuery* Query1 = nullptr;
  TTable* Table1 = nullptr;
  TStringField* Query1AnswerTx = nullptr;

 protected:
  void Loaded() override;

 private:
  // The three category buttons differ only in the button and the category they start.
  void ChooseCategory(TButton* Button, const TCategory& Category);
  // The query stands on a row: it is open and not empty.
  bool HasCurrentRow() const;
};

// Registers the program's form classes (the main window and the About box).
void RegisterAppForms();
