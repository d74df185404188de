#include "app/main_form.h"

#include <string>

#include "app/about_box.h"
#include "app/game_state.h"
#include "core/registration_hooks.h"
#include "core/rtti.h"
#include "data/engine/query.h"
#include "data/engine/session.h"
#include "data/engine/session_list.h"
#include "data/engine/table.h"
#include "data/fields/string_field.h"
#include "data/links/data_source.h"
#include "data/navigator/db_navigator.h"
#include "gui/forms/application.h"
#include "gui/forms/first_paint_probe.h"
#include "gui/stdctrls/button.h"
#include "gui/stdctrls/group_box.h"
#include "gui/stdctrls/label.h"
#include "gui/stdctrls/panel.h"
#include "richtext/controls/db_rich_edit.h"
#include "widgets/progress_bar.h"

BREVANT_DEFINE_CLASS(TMainForm, TForm,
                     .Method("FormCreate", &TMainForm::FormCreate)
                         .Method("Label20Click", &TMainForm::Label20Click)
                         .Method("Label22Click", &TMainForm::Label22Click)
                         .Method("HintmeButtonClick", &TMainForm::HintmeButtonClick)
                         .Method("ScoreMeButtonClick", &TMainForm::ScoreMeButtonClick)
                         .Method("ButtonClassicTV1Click", &TMainForm::ButtonClassicTV1Click)
                         .Method("ButtonOscarsClick", &TMainForm::ButtonOscarsClick)
                         .Method("ButtonRightsClick", &TMainForm::ButtonRightsClick)
                         .Method("DBNavigator1BeforeAction", &TMainForm::DBNavigator1BeforeAction)
                         .Method("DBNavigator1Click", &TMainForm::DBNavigator1Click)
                         .Method("BitBtnHelpClick", &TMainForm::BitBtnHelpClick)
                         .Method("BitBtnAboutClick", &TMainForm::BitBtnAboutClick))

void RegisterAppForms() {
  RegisterClasses<TMainForm, TAboutBox>();
}

// Tools that draw the game's layouts link the forms and run this hook instead of including them.
static const TRegistrationHook AppFormsHook(RegisterAppForms);

TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner) {}

void TMainForm::Loaded() {
  TForm::Loaded();
  Bind(RzProgressBar1, "RzProgressBar1");
  Bind(Label20, "Label20");
  Bind(Label22, "Label22");
  Bind(LabelScale1, "LabelScale1");
  Bind(LabelScale2, "LabelScale2");
  Bind(LabelScale3, "LabelScale3");
  Bind(LabelScale4, "LabelScale4");
  Bind(LabelScale5, "LabelScale5");
  Bind(TopRtf, "TopRtf");
  Bind(HintmeButton, "HintmeButton");
  Bind(HintRtf, "HintRtf");
  Bind(ScoreMeButton, "ScoreMeButton");
  Bind(DBNavigator1, "DBNavigator1");
  Bind(RiffRtf, "RiffRtf");
  Bind(Panel2, "Panel2");
  Bind(ButtonClassicTV1, "ButtonClassicTV1");
  Bind(ButtonOscars, "ButtonOscars");
  Bind(ButtonRights, "ButtonRights");
  Bind(BitBtnHelp, "BitBtnHelp");
  Bind(BitBtnAbout, "BitBtnAbout");
  Bind(RadioGroup1, "RadioGroup1");
  Bind(wwDataSource1, "wwDataSource1");
  Bind(Query1, "Query1");
  Bind(Table1, "Table1");
  Bind(Query1AnswerTx, "Query1AnswerTx");
}

namespace {

void ResetGameState() {
  Game.HintUsed = false;
  Game.Score = 0;
  Game.PointsPlain = 10;
  Game.PointsWithHint = 5;
}

}  // namespace

void TMainForm::FormCreate(TObject* /*Sender*/) {
  NoteStartupStage("layout-read");
  Session->StorePassword(QuizTablePassword);
  // The game state is set whether or not the table opens: a refused password at start must
  // not leave right answers worth nothing once a later open succeeds. The failure itself
  // still reaches the application, which shows it.
  try {
    Table1->SetActive(true);
  } catch (...) {
    ResetGameState();
    throw;
  }
  // The engine loaded, its configuration read and the table's key derived.
  NoteStartupStage("table-open");
  ResetGameState();
}

void TMainForm::ChooseCategory(TButton* Button, const TCategory& Category) {
  DBNavigator1->SetVisible(false);
  TopRtf->SetDataField("Question");
  TopRtf->SetAutoDisplay(true);
  Game.QuestionsAnswered = 0;
  Button->SetEnabled(false);
  Query1->SetActive(false);
  wwDataSource1->SetDataSet(Query1);
  Query1->SQL()->Clear();
  Query1->SQL()->Add(Category.Sql);
  Query1->SetActive(true);
  RzProgressBar1->SetNumSegments(100);
  RzProgressBar1->SetPartsComplete(0);
  RzProgressBar1->SetPercent(0);
  Label22->SetCaption("0");
  Game.Score = 0;
  TLabel* const scale[] = {LabelScale1, LabelScale2, LabelScale3, LabelScale4, LabelScale5};
  for (size_t i = 0; i < Category.Ranks.size(); ++i)
    scale[i]->SetCaption(Category.Ranks[i]);
  HintmeButton->SetVisible(true);
  ScoreMeButton->SetVisible(true);
  HintRtf->SetVisible(false);
  RiffRtf->SetVisible(false);
  RiffRtf->SetDataField("Riff");
  Game.HintUsed = false;
  RadioGroup1->SetItemIndex(-1);
}

void TMainForm::ButtonClassicTV1Click(TObject* /*Sender*/) {
  ChooseCategory(ButtonClassicTV1, ClassicTelevisionCategory);
}

void TMainForm::ButtonOscarsClick(TObject* /*Sender*/) {
  ChooseCategory(ButtonOscars, OscarsCategory);
}

void TMainForm::ButtonRightsClick(TObject* /*Sender*/) {
  ChooseCategory(ButtonRights, RightsCategory);
}

void TMainForm::HintmeButtonClick(TObject* /*Sender*/) {
  HintmeButton->SetVisible(false);
  HintRtf->SetVisible(true);
  Game.HintUsed = true;
}

bool TMainForm::HasCurrentRow() const {
  return Query1->Active() && !Query1->HasNoRows();
}

void TMainForm::ScoreMeButtonClick(TObject* /*Sender*/) {
  TopRtf->SetDataField("Answer");
  HintmeButton->SetVisible(false);
  ScoreMeButton->SetVisible(false);
  Game.QuestionsAnswered += 1;
  if (Game.QuestionsAnswered < GameLength) {
    DBNavigator1->SetVisible(true);
    DBNavigator1->SetEnabled(true);
  }
  const std::string letter = AnswerLetter(RadioGroup1->ItemIndex());
  const std::string stored = Query1AnswerTx->AsText();
  // Without a current row there is no stored letter to match: the empty selection and the
  // empty text of a missing row must not count as a right answer.
  const bool right = HasCurrentRow() && letter == stored;
  if (right) RiffRtf->SetDataField("Encourage");
  RiffRtf->SetVisible(true);
  if (right) Game.Score += Game.HintUsed ? Game.PointsWithHint : Game.PointsPlain;
  Label22->SetCaption(std::to_string(Game.Score));
  RzProgressBar1->SetPercent(static_cast<uint16_t>(Game.Score));
}

// The move would load the next row's answer into the top box, which the click then replaces
// with its question: the box waits instead, so that a long text is read and laid out once.
void TMainForm::DBNavigator1BeforeAction(TObject* /*Sender*/, TNavigateBtn /*Button*/) {
  TopRtf->SetAutoDisplay(false);
}

void TMainForm::DBNavigator1Click(TObject* /*Sender*/, TNavigateBtn /*Button*/) {
  RadioGroup1->SetItemIndex(-1);
  TopRtf->SetDataField("Question");
  TopRtf->SetAutoDisplay(true);
  DBNavigator1->SetEnabled(true);
  DBNavigator1->SetVisible(false);
  HintRtf->SetVisible(false);
  Game.HintUsed = false;
  RiffRtf->SetVisible(false);
  RiffRtf->SetDataField("Riff");
  HintmeButton->SetVisible(true);
  ScoreMeButton->SetVisible(true);
}

// The score's caption and figure invite a click that does nothing.
void TMainForm::Label20Click(TObject* /*Sender*/) {}
void TMainForm::Label22Click(TObject* /*Sender*/) {}

void TMainForm::BitBtnHelpClick(TObject* /*Sender*/) {
  Application->HelpCommand(HELP_FINDER, 0);
}

void TMainForm::BitBtnAboutClick(TObject* /*Sender*/) {
  TAboutBox* box = NewForm<TAboutBox>(Application);
  box->ShowModal();
  box->Release();
}
