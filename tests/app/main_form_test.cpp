// The main window read from its stored layout, offscreen, with the real engine and table:
// what the layout stores, that every caption fits, and the handlers' effects on the
// datasets that the screen cannot show.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QCoreApplication>
#include <QFontMetrics>
#include <QWidget>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/about_box.h"
#include "app/categories.h"
#include "app/game_state.h"
#include "app/main_form.h"
#include "data/dialogs/data_dialogs.h"
#include "data/engine/query.h"
#include "data/engine/register.h"
#include "data/engine/session_list.h"
#include "data/engine/table.h"
#include "data/fields/fields_list.h"
#include "data/fields/string_field.h"
#include "data/links/data_source.h"
#include "data/navigator/db_navigator.h"
#include "data/navigator/register.h"
#include "gui/dialogs/message_box.h"
#include "gui/forms/application.h"
#include "gui/gui_module.h"
#include "gui/stdctrls/button.h"
#include "gui/stdctrls/group_box.h"
#include "gui/stdctrls/label.h"
#include "gui/stdctrls/panel.h"
#include "richtext/controls/db_rich_edit.h"
#include "richtext/controls/register.h"
#include "widgets/progress_bar.h"
#include "widgets/registration.h"

namespace {

class MainFormTest : public testing::Test {
 protected:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "main_form_test";
    static char* argv[] = {name, nullptr};
    Data_ = std::make_unique<TDataEngineModule>();
    Gui_ = std::make_unique<TGuiModule>(argc, argv);
    RegisterDataEngineClasses();
    RegisterDataDialogs();
    RegisterDataNavigatorClasses();
    RegisterRichTextClasses();
    RegisterWidgetClasses();
    RegisterAppForms();
    Application->SetTitle("Brevant 2");
    SetMessageBoxObserver([this](TMessageBoxView& Box) {
      Shown_.push_back(Box.Text());
      Box.Press(mbOK);
    });
  }
  void TearDown() override {
    SetMessageBoxObserver(nullptr);
    Gui_.reset();
    Data_.reset();
    ::unsetenv("DBENGINE_CONFIG");
  }
  TMainForm* MakeForm() { return Application->CreateForm<TMainForm>(); }

  std::unique_ptr<TDataEngineModule> Data_;
  std::unique_ptr<TGuiModule> Gui_;
  std::vector<std::string> Shown_;
};

std::vector<std::string> Names(TComponent* Owner) {
  std::vector<std::string> out;
  for (int i = 0; i < Owner->ComponentCount(); ++i)
    out.push_back(Owner->Components(i)->Name());
  return out;
}

TEST_F(MainFormTest, TheLayoutStoresEveryComponentInItsOrderWithItsBindings) {
  TMainForm* form = MakeForm();
  ASSERT_TRUE(Shown_.empty()) << Shown_.front();
  EXPECT_EQ(form->Caption(), "Brevant Pack Number 2");
  const std::vector<std::string> components = Names(form);
  const std::vector<std::string> visualOrder = {
      "RzProgressBar1", "Label20",     "Label22",     "LabelScale1",      "LabelScale2",  "LabelScale3",
      "LabelScale4",    "LabelScale5", "TopRtf",      "HintmeButton",     "HintRtf",      "ScoreMeButton",
      "DBNavigator1",   "RiffRtf",     "Panel2",      "ButtonClassicTV1", "ButtonOscars", "ButtonRights",
      "BitBtnHelp",     "BitBtnAbout", "RadioGroup1", "wwDataSource1",    "Query1"};
  ASSERT_GE(components.size(), visualOrder.size());
  EXPECT_EQ(std::vector<std::string>(components.begin(), components.begin() + visualOrder.size()),
            visualOrder);
  const std::vector<std::string> fields = {"Order",    "QuizName",  "Question", "Answer",    "Hint",
                                           "AnswerTx", "Encourage", "Riff",     "UserAnswer"};
  for (TDBDataSet* dataset : std::vector<TDBDataSet*>{form->Query1, form->Table1}) {
    ASSERT_EQ(dataset->FieldObjects()->Count(), 9);
    for (int i = 0; i < 9; ++i) {
      EXPECT_EQ(dataset->FieldObjects()->Fields(i)->FieldName(), fields[i]);
      EXPECT_EQ(dataset->FieldObjects()->Fields(i)->Name(), dataset->Name() + fields[i]);
    }
  }
  EXPECT_TRUE(form->Table1->Active()) << "the creation handler opened the table";
  EXPECT_FALSE(form->Query1->Active());
  EXPECT_EQ(form->wwDataSource1->DataSet(), nullptr);

  // Tab order of the window's own controls and of the panel's buttons.
  auto order = [](const TWinControl* Control) { return Control->TabOrder(); };
  EXPECT_LT(order(form->TopRtf), order(form->HintmeButton));
  EXPECT_LT(order(form->HintmeButton), order(form->HintRtf));
  EXPECT_LT(order(form->HintRtf), order(form->ScoreMeButton));
  EXPECT_LT(order(form->ScoreMeButton), order(form->DBNavigator1));
  EXPECT_LT(order(form->DBNavigator1), order(form->RiffRtf));
  EXPECT_LT(order(form->RiffRtf), order(form->Panel2));
  EXPECT_LT(order(form->Panel2), order(form->RadioGroup1));
  EXPECT_LT(order(form->ButtonRights), order(form->BitBtnAbout));
  EXPECT_LT(order(form->BitBtnAbout), order(form->BitBtnHelp));
  EXPECT_FALSE(form->TopRtf->TabStop());

  EXPECT_FALSE(form->HintRtf->Visible());
  EXPECT_FALSE(form->RiffRtf->Visible());
  EXPECT_FALSE(form->DBNavigator1->Visible());
  EXPECT_EQ(form->DBNavigator1->VisibleButtons(), TButtonSet{nbNext});
  EXPECT_EQ(form->DBNavigator1->Buttons(nbNext)->Hint(), "Next record");
  EXPECT_EQ(form->TopRtf->DataField(), "Question");
  EXPECT_EQ(form->HintRtf->DataField(), "Hint");
  EXPECT_EQ(form->RiffRtf->DataField(), "Riff");
  EXPECT_EQ(form->RzProgressBar1->TotalParts(), 1700u);
  EXPECT_EQ(form->RadioGroup1->ItemIndex(), -1);
  form->Close();
}

TEST_F(MainFormTest, EveryButtonCaptionFitsItsButton) {
  TMainForm* form = MakeForm();
  for (TButton* button :
       std::vector<TButton*>{form->HintmeButton, form->ScoreMeButton, form->ButtonClassicTV1,
                             form->ButtonOscars, form->ButtonRights, form->BitBtnHelp, form->BitBtnAbout}) {
    std::string caption = button->Caption();
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    // The font the button draws with: a long caption is narrowed to fit.
    const QFontMetrics metrics(button->Widget()->font());
    const auto* bitBtn = dynamic_cast<TBitBtn*>(button);
    const int glyph = bitBtn != nullptr ? bitBtn->Glyph()->Width() / bitBtn->NumGlyphs() + 4 : 0;
    EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(caption)) + glyph + 8, button->Width())
        << button->Name();
  }
  form->Close();
}

TEST_F(MainFormTest, EachCategoryReplacesTheStatementWholeAndStartsAFreshGame) {
  EXPECT_EQ(std::string(ClassicTelevisionCategory.Sql).size(), 66u);
  EXPECT_EQ(std::string(OscarsCategory.Sql).size(), 49u);
  EXPECT_EQ(std::string(RightsCategory.Sql).size(), 61u);
  TMainForm* form = MakeForm();
  form->ButtonOscarsClick(form->ButtonOscars);
  form->HintmeButtonClick(form->HintmeButton);
  form->RadioGroup1->SetItemIndex(0);
  form->ScoreMeButtonClick(form->ScoreMeButton);
  EXPECT_EQ(Game.QuestionsAnswered, 1);
  form->ButtonRightsClick(form->ButtonRights);
  ASSERT_EQ(form->Query1->SQL()->Count(), 1);
  EXPECT_EQ(form->Query1->SQL()->Get(0), RightsCategory.Sql);
  EXPECT_EQ(form->wwDataSource1->DataSet(), form->Query1);
  EXPECT_FALSE(form->ButtonOscars->Enabled());
  EXPECT_FALSE(form->ButtonRights->Enabled());
  EXPECT_TRUE(form->ButtonClassicTV1->Enabled());
  EXPECT_EQ(Game.QuestionsAnswered, 0);
  EXPECT_EQ(Game.Score, 0);
  EXPECT_FALSE(Game.HintUsed);
  EXPECT_EQ(form->RiffRtf->DataField(), "Riff");
  EXPECT_EQ(form->RadioGroup1->ItemIndex(), -1);
  EXPECT_EQ(form->Label22->Caption(), "0");
  EXPECT_EQ(form->LabelScale5->Caption(), "Banana buggy driver");
  EXPECT_EQ(form->RzProgressBar1->NumSegments(), 100);
  EXPECT_EQ(form->Query1AnswerTx->AsText().size(), 1u) << "stands on the category's first row";
  form->Close();
}

TEST_F(MainFormTest, AStartWhoseTableFailsToOpenStillLeavesFullPointsForLater) {
  // An alias that names no folder with the table: the open fails at start.
  const std::string config = testing::TempDir() + "/main-form-no-table.cfg";
  FILE* file = std::fopen(config.c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fputs("[DATABASES\\vozaza\\DB INFO]\nTYPE=STANDARD\nPATH=/nonexistent/brevant\n", file);
  std::fclose(file);
  ::setenv("DBENGINE_CONFIG", config.c_str(), 1);
  Game = TGameState{};
  TMainForm* form = MakeForm();
  ASSERT_EQ(Shown_.size(), 1u) << "the failure was shown";
  EXPECT_FALSE(form->Table1->Active());
  EXPECT_EQ(Game.PointsPlain, 10);
  EXPECT_EQ(Game.PointsWithHint, 5);
  form->Close();
}

TEST_F(MainFormTest, AnAboutBoxIsFreshEachTimeAndFreedAfterItCloses) {
  TMainForm* form = MakeForm();
  const int before = Application->ComponentCount();
  for (int i = 0; i < 2; ++i) {
    TAboutBox* box = NewForm<TAboutBox>(Application);
    EXPECT_EQ(box->Caption(), "About Brevant");
    EXPECT_EQ(box->ClientWidth(), 356);
    EXPECT_EQ(box->ClientHeight(), 293);
    box->Release();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Application->ComponentCount(), before);
  }
  form->Close();
}

TEST_F(MainFormTest, NextShowsTheNextQuestionWithoutLoadingItsAnswerOnTheWay) {
  TMainForm* form = MakeForm();
  form->ButtonOscarsClick(form->ButtonOscars);
  form->RadioGroup1->SetItemIndex(0);
  form->ScoreMeButtonClick(form->ScoreMeButton);
  ASSERT_EQ(form->TopRtf->DataField(), "Answer");
  std::vector<std::string> shown;
  form->TopRtf->OnChange = [&](TObject*) { shown.push_back(form->TopRtf->Text()); };
  form->DBNavigator1->ClickButton(nbNext);
  form->TopRtf->OnChange = nullptr;
  const std::string question = form->TopRtf->Text();
  EXPECT_EQ(form->TopRtf->DataField(), "Question");
  EXPECT_TRUE(form->TopRtf->AutoDisplay());
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back(), question);
  // The second row's answer, as the box shows it when asked for it.
  form->TopRtf->SetDataField("Answer");
  const std::string answer = form->TopRtf->Text();
  ASSERT_NE(answer, question);
  EXPECT_EQ(std::count(shown.begin(), shown.end(), answer), 0) << "the answer was loaded and thrown away";
  form->Close();
}

}  // namespace
