#include "quiz_edit_form.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "core/registration_hooks.h"
#include "core/rtti.h"
#include "data/controls/db_edit.h"
#include "data/controls/register.h"
#include "data/dataset.h"
#include "data/engine/table.h"
#include "data/fields/blob_field.h"
#include "data/fields/field.h"
#include "data/links/data_source.h"
#include "data/navigator/db_navigator.h"
#include "data/navigator/register.h"
#include "gui/dialogs/message_box.h"
#include "gui/menus/main_menu.h"
#include "gui/menus/menus.h"
#include "gui/stdctrls/button.h"
#include "gui/stdctrls/label.h"
#include "gui/stdctrls/status_bar.h"
#include "richtext/controls/db_rich_edit.h"
#include "richtext/controls/register.h"

namespace fs = std::filesystem;

BREVANT_DEFINE_CLASS(TQuizEditForm, TForm,
                     .Method("PostClick", &TQuizEditForm::PostClick)
                         .Method("CancelClick", &TQuizEditForm::CancelClick)
                         .Method("ExitClick", &TQuizEditForm::ExitClick)
                         .Method("NewClick", &TQuizEditForm::NewClick)
                         .Method("DeleteClick", &TQuizEditForm::DeleteClick)
                         .Method("MoveUpClick", &TQuizEditForm::MoveUpClick)
                         .Method("MoveDownClick", &TQuizEditForm::MoveDownClick)
                         .Method("EditTextClick", &TQuizEditForm::EditTextClick)
                         .Method("FormCloseQuery", &TQuizEditForm::FormCloseQuery))

void RegisterQuizEditForms() {
  RegisterDataNavigatorClasses();
  RegisterDataControlClasses();
  RegisterRichTextClasses();
  RegisterClasses<TQuizEditForm>();
}

// The layout renderer draws this window through the same hook as the game's.
static const TRegistrationHook QuizEditFormsHook(RegisterQuizEditForms);

namespace {

// Every field a question carries besides its "Order", which names its place.
constexpr const char* kMovedFields[] = {"QuizName", "Question",  "Answer", "Hint",
                                        "AnswerTx", "Encourage", "Riff",   "UserAnswer"};

using TRowValues = std::vector<std::optional<std::string>>;

TRowValues ReadRow(TTable* Table) {
  TRowValues values;
  for (const char* name : kMovedFields) {
    TField* field = Table->FieldNamed(name);
    values.push_back(field->ValueIsNull() ? std::nullopt : std::optional<std::string>(field->AsText()));
  }
  return values;
}

// Writes the values into the current row; a refused write leaves the row as it was.
void WriteRow(TTable* Table, const TRowValues& Values) {
  Table->BeginEdit();
  try {
    for (size_t i = 0; i < Values.size(); ++i) {
      TField* field = Table->FieldNamed(kMovedFields[i]);
      auto* blob = dynamic_cast<TBlobField*>(field);
      if (!Values[i] && blob != nullptr) {
        blob->Clear();
      } else {
        field->SetAsText(Values[i].value_or(""));
      }
    }
    Table->PostRow();
  } catch (...) {
    Table->CancelEdit();
    throw;
  }
}

bool Editing(const TTable* Table) {
  return Table->Active() && (Table->Mode() == dmEdit || Table->Mode() == dmInsert);
}

}  // namespace

TQuizEditForm::TQuizEditForm(TComponent* AOwner) : TForm(AOwner) {}

void TQuizEditForm::Loaded() {
  TForm::Loaded();
  Bind(MainMenu1, "MainMenu1");
  Bind(PostItem, "PostItem");
  Bind(CancelItem, "CancelItem");
  Bind(NewItem, "NewItem");
  Bind(DeleteItem, "DeleteItem");
  Bind(MoveUpItem, "MoveUpItem");
  Bind(MoveDownItem, "MoveDownItem");
  Bind(EditTextItem, "EditTextItem");
  Bind(DBNavigator1, "DBNavigator1");
  Bind(MoveUpButton, "MoveUpButton");
  Bind(MoveDownButton, "MoveDownButton");
  Bind(OrderEdit, "OrderEdit");
  Bind(QuizNameEdit, "QuizNameEdit");
  Bind(AnswerTxEdit, "AnswerTxEdit");
  Bind(QuestionRtf, "QuestionRtf");
  Bind(AnswerRtf, "AnswerRtf");
  Bind(HintRtf, "HintRtf");
  Bind(EncourageRtf, "EncourageRtf");
  Bind(RiffRtf, "RiffRtf");
  Bind(StatusBar1, "StatusBar1");
  Bind(DataSource1, "DataSource1");
  Bind(Table1, "Table1");
  DataSource1->OnDataChange = [this](TObject*, TField*) { UpdateStatus(); };
  DataSource1->OnStateChange = [this](TObject*) { UpdateStatus(); };
  // A new question starts in the category of the one it was added from.
  Table1->BeforeInsert = [this](TDataSet*) {
    NewCategory_ = Table1->HasNoRows() ? std::string() : Table1->FieldNamed("QuizName")->AsText();
  };
  Table1->OnNewRecord = [this](TDataSet*) {
    if (!NewCategory_.empty()) Table1->FieldNamed("QuizName")->SetAsText(NewCategory_);
  };
}

void TQuizEditForm::OpenTable(const std::string& Location) {
  Table1->SetActive(false);
  const size_t colon = Location.find(':');
  if (colon != std::string::npos && colon > 0 && !fs::exists(Location)) {
    Table1->SetDatabaseName(Location.substr(0, colon));
    Table1->SetTableName(Location.substr(colon + 1));
  } else {
    const fs::path path = fs::absolute(Location);
    Table1->SetDatabaseName(path.parent_path().string());
    Table1->SetTableName(path.filename().string());
  }
  TableTitle_ = Table1->TableName();
  Table1->SetActive(true);
  SetCaption("Quiz Editor - " + TableTitle_ + (TableReadOnly() ? " (read-only)" : ""));
  UpdateStatus();
}

bool TQuizEditForm::TableReadOnly() const {
  return Table1->Active() && !Table1->CanModify();
}

std::string TQuizEditForm::AnswerLetterWarning() const {
  if (!Table1->Active() || Table1->HasNoRows()) return {};
  const std::string letter = Table1->FieldNamed("AnswerTx")->AsText();
  if (letter.size() == 1 && letter[0] >= 'A' && letter[0] <= 'D') return {};
  if (letter.empty() && Table1->Mode() == dmInsert) return {};
  return "Warning: the right letter is \"" + letter +
         "\"; the game counts only A, B, C or D as right, so no answer to this question can score.";
}

void TQuizEditForm::SetStatus(const std::string& Text) {
  Status_ = Text;
  StatusBar1->SetSimpleText(Text);
}

void TQuizEditForm::UpdateStatus() {
  UpdateCommands();
  if (!Table1->Active()) {
    SetStatus("No table is open.");
    return;
  }
  std::string text;
  if (TableReadOnly())
    text = "The table file cannot be written, so it is open read-only: changes are refused. ";
  if (Table1->HasNoRows()) {
    text += "The table holds no questions.";
  } else if (Table1->Mode() == dmInsert) {
    text += "New question (not saved yet).";
  } else {
    const int number = Table1->RowNumber(), count = Table1->RowCount();
    text += number > 0 && count > 0 ? "Question " + std::to_string(number) + " of " + std::to_string(count)
                                    : "Question";
    if (Table1->Mode() == dmEdit) text += " (changed, not saved yet)";
    text += ".";
  }
  const std::string warning = AnswerLetterWarning();
  if (!warning.empty()) text += " " + warning;
  SetStatus(text);
}

void TQuizEditForm::UpdateCommands() {
  const bool writable = Table1->Active() && Table1->CanModify();
  const bool onRow = Table1->Active() && !Table1->HasNoRows();
  PostItem->SetEnabled(Editing(Table1));
  CancelItem->SetEnabled(Editing(Table1));
  NewItem->SetEnabled(writable);
  DeleteItem->SetEnabled(writable && onRow);
  MoveUpItem->SetEnabled(writable && onRow);
  MoveDownItem->SetEnabled(writable && onRow);
  MoveUpButton->SetEnabled(writable && onRow);
  MoveDownButton->SetEnabled(writable && onRow);
  EditTextItem->SetEnabled(onRow);
}

bool TQuizEditForm::MoveQuestion(int Direction) {
  if (!Table1->Active() || Table1->HasNoRows()) return false;
  Table1->EnsureBrowse();
  const TBookmarkBytes start = Table1->TakeBookmark();
  const std::string category = Table1->FieldNamed("QuizName")->AsText();
  const TRowValues moved = ReadRow(Table1);
  // The nearest question of the same category in that direction.
  bool found = false;
  while (Direction < 0 ? Table1->GoPrior() != 0 : Table1->GoNext() != 0) {
    if (Table1->FieldNamed("QuizName")->AsText() == category) {
      found = true;
      break;
    }
  }
  if (!found) {
    Table1->GoToBookmark(start);
    SetStatus(Direction < 0 ? "This is already the first question of its category."
                            : "This is already the last question of its category.");
    return false;
  }
  const TBookmarkBytes target = Table1->TakeBookmark();
  const TRowValues other = ReadRow(Table1);
  WriteRow(Table1, moved);
  Table1->GoToBookmark(start);
  try {
    WriteRow(Table1, other);
  } catch (...) {
    // The question must not stay in both places: the first row gets its own values back.
    try {
      Table1->GoToBookmark(target);
      WriteRow(Table1, other);
    } catch (...) {
      // The first failure is the one to report.
    }
    throw;
  }
  Table1->GoToBookmark(target);
  return true;
}

void TQuizEditForm::PostClick(TObject* /*Sender*/) {
  if (Editing(Table1)) Table1->PostRow();
}

void TQuizEditForm::CancelClick(TObject* /*Sender*/) {
  if (Editing(Table1)) Table1->CancelEdit();
}

void TQuizEditForm::ExitClick(TObject* /*Sender*/) {
  Close();
}

void TQuizEditForm::NewClick(TObject* /*Sender*/) {
  Table1->InsertRow();
  if (OrderEdit->CanFocus()) OrderEdit->SetFocus();
}

void TQuizEditForm::DeleteClick(TObject* /*Sender*/) {
  if (!Table1->Active() || Table1->HasNoRows()) return;
  if (MessageDlg("Delete this question?", mtConfirmation, {mbYes, mbNo}) == mrYes) Table1->DeleteRow();
}

void TQuizEditForm::MoveUpClick(TObject* /*Sender*/) {
  MoveQuestion(-1);
}

void TQuizEditForm::MoveDownClick(TObject* /*Sender*/) {
  MoveQuestion(1);
}

void TQuizEditForm::EditTextClick(TObject* /*Sender*/) {
  TwwDBRichEdit* target = QuestionRtf;
  for (TwwDBRichEdit* box : {AnswerRtf, HintRtf, EncourageRtf, RiffRtf}) {
    if (box->Focused()) target = box;
  }
  target->ExecuteEditor();
}

void TQuizEditForm::FormCloseQuery(TObject* /*Sender*/, bool& CanClose) {
  if (!Editing(Table1)) return;
  switch (
      MessageDlg("This question has changes that are not saved. Save them?", mtConfirmation, mbYesNoCancel)) {
    case mrYes:
      CanClose = false;  // stays open when the row cannot be saved
      Table1->PostRow();
      CanClose = true;
      break;
    case mrNo:
      Table1->CancelEdit();
      break;
    default:
      CanClose = false;
      break;
  }
}
