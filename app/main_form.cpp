#include "app/main_form.h"

#include "core/rtti.h"
#include "gui/forms/application.h"
#include "gui/stdctrls/button.h"
#include "gui/stdctrls/group_box.h"
#include "gui/stdctrls/label.h"
#include "gui/stdctrls/panel.h"

BREVANT_DEFINE_CLASS(TMainForm, TForm,
                     .Method("FormCreate", &TMainForm::FormCreate)
                         .Method("Label20Click", &TMainForm::Label20Click)
                         .Method("Label22Click", &TMainForm::Label22Click)
                         .Method("HintmeButtonClick", &TMainForm::HintmeButtonClick)
                         .Method("ScoreMeButtonClick", &TMainForm::ScoreMeButtonClick)
                         .Method("ButtonClassicTV1Click", &TMainForm::ButtonClassicTV1Click)
                         .Method("ButtonOscarsClick", &TMainForm::ButtonOscarsClick)
                         .Method("ButtonRightsClick", &TMainForm::ButtonRightsClick)
                         .Method("BitBtnHelpClick", &TMainForm::BitBtnHelpClick)
                         .Method("BitBtnAboutClick", &TMainForm::BitBtnAboutClick))

void RegisterAppForms() {
  RegisterClasses<TMainForm>();
}

TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner) {}

void TMainForm::Loaded() {
  TForm::Loaded();
  Bind(Label20, "Label20");
  Bind(Label22, "Label22");
  Bind(LabelScale1, "LabelScale1");
  Bind(LabelScale2, "LabelScale2");
  Bind(LabelScale3, "LabelScale3");
  Bind(LabelScale4, "LabelScale4");
  Bind(LabelScale5, "LabelScale5");
  Bind(HintmeButton, "HintmeButton");
  Bind(ScoreMeButton, "ScoreMeButton");
  Bind(Panel2, "Panel2");
  Bind(ButtonClassicTV1, "ButtonClassicTV1");
  Bind(ButtonOscars, "ButtonOscars");
  Bind(ButtonRights, "ButtonRights");
  Bind(BitBtnHelp, "BitBtnHelp");
  Bind(BitBtnAbout, "BitBtnAbout");
  Bind(RadioGroup1, "RadioGroup1");
}

// The game's handlers; the quiz play fills them in.
void TMainForm::FormCreate(TObject* /*Sender*/) {}
void TMainForm::Label20Click(TObject* /*Sender*/) {}
void TMainForm::Label22Click(TObject* /*Sender*/) {}
void TMainForm::HintmeButtonClick(TObject* /*Sender*/) {}
void TMainForm::ScoreMeButtonClick(TObject* /*Sender*/) {}
void TMainForm::ButtonClassicTV1Click(TObject* /*Sender*/) {}
void TMainForm::ButtonOscarsClick(TObject* /*Sender*/) {}
void TMainForm::ButtonRightsClick(TObject* /*Sender*/) {}
void TMainForm::BitBtnHelpClick(TObject* /*Sender*/) {
  Application->HelpCommand(HELP_FINDER, 0);
}
void TMainForm::BitBtnAboutClick(TObject* /*Sender*/) {}
