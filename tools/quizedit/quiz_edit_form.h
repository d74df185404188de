#pragma once
// The quiz editor's window: one question (one row of a quiz table) at a time in data-bound
// controls, the record navigator, and the commands to save, add, delete and reorder
// questions. Its components come from the stored layout TQuizEditForm.layout.

#include <string>

#include "gui/forms/form.h"

class TButton;
class TDBEdit;
class TDBNavigator;
class TDataSource;
class TField;
class TMainMenu;
class TMenuItem;
class TStatusBar;
class TTable;
class TwwDBRichEdit;

class TQuizEditForm : public TForm {
 public:
  BREVANT_CLASS(TQuizEditForm)
  explicit TQuizEditForm(TComponent* AOwner);

  // Opens a table: the path of a table file, or "ALIAS:TABLE" (the game's is
  // "vozaza:vezedezavuza.db"). A file that cannot be written opens read-only.
  void OpenTable(const std::string& Location);
  bool TableReadOnly() const;
  const std::string& StatusText() const { return Status_; }
  // Why the current row's right letter can never match (the game counts only A to D), or
  // empty when it can.
  std::string AnswerLetterWarning() const;
  // Swaps the current question with the nearest one of its category before (-1) or after (+1)
  // it; the Order values stay where they are, so the game asks the question one place
  // earlier or later. The cursor follows the question. False when there is none to swap with.
  bool MoveQuestion(int Direction);

  void PostClick(TObject* Sender);
  void CancelClick(TObject* Sender);
  void ExitClick(TObject* Sender);
  void NewClick(TObject* Sender);
  void DeleteClick(TObject* Sender);
  void MoveUpClick(TObject* Sender);
  void MoveDownClick(TObject* Sender);
  void EditTextClick(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);

  TMainMenu* MainMenu1 = nullptr;
  TMenuItem* PostItem = nullptr;
  TMenuItem* CancelItem = nullptr;
  TMenuItem* NewItem = nullptr;
  TMenuItem* DeleteItem = nullptr;
  TMenuItem* MoveUpItem = nullptr;
  TMenuItem* MoveDownItem = nullptr;
  TMenuItem* EditTextItem = nullptr;
  TDBNavigator* DBNavigator1 = nullptr;
  TButton* MoveUpButton = nullptr;
  TButton* MoveDownButton = nullptr;
  TDBEdit* OrderEdit = nullptr;
  TDBEdit* QuizNameEdit = nullptr;
  TDBEdit* AnswerTxEdit = nullptr;
  TwwDBRichEdit* QuestionRtf = nullptr;
  TwwDBRichEdit* AnswerRtf = nullptr;
  TwwDBRichEdit* HintRtf = nullptr;
  TwwDBRichEdit* EncourageRtf = nullptr;
  TwwDBRichEdit* RiffRtf = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TDataSource* DataSource1 = nullptr;
  TTable* Table1 = nullptr;

 protected:
  void Loaded() override;

 private:
  void UpdateStatus();
  void UpdateCommands();
  void SetStatus(const std::string& Text);

  std::string TableTitle_;
  std::string Status_;
  std::string NewCategory_;  // the category a new question starts in
};

// Registers the editor's window and every class its layout names.
void RegisterQuizEditForms();
