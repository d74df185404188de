// Forms from stored layouts: creation with a failing OnCreate, layout round trips, modal
// showing, release after the current message.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "core/layout/layout_reader.h"
#include "core/resources.h"
#include "gui/forms/screen.h"
#include "gui/stdctrls/button.h"
#include "gui/stdctrls/edit.h"
#include "gui/stdctrls/group_box.h"
#include "gui/stdctrls/label.h"
#include "gui/stdctrls/timer.h"
#include "gui_test_support.h"
#include "test_forms.h"

namespace {

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterClasses<TTestForm>(); }
};

TEST_F(FormTest, LayoutBuildsTheComponentsWithTheirProperties) {
  std::unique_ptr<TTestForm> form(NewForm<TTestForm>(nullptr));
  EXPECT_EQ(form->Caption(), "Test window");
  EXPECT_EQ(form->ClientWidth(), 300);
  EXPECT_EQ(form->ClientHeight(), 200);
  EXPECT_EQ(form->Width(), 300 + TCustomForm::FrameExtent(bsDialog).cx);
  auto* ok = dynamic_cast<TButton*>(form->FindComponent("OkButton"));
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->Parent()->Name(), "Panel1");
  EXPECT_EQ(ok->Owner(), form.get());
  EXPECT_TRUE(ok->Default());
  auto* cancel = dynamic_cast<TBitBtn*>(form->FindComponent("CancelButton"));
  ASSERT_NE(cancel, nullptr);
  EXPECT_EQ(cancel->NumGlyphs(), 2);
  EXPECT_EQ(cancel->Glyph()->Width(), 32);
  auto* choice = dynamic_cast<TRadioGroup*>(form->FindComponent("Choice"));
  ASSERT_NE(choice, nullptr);
  EXPECT_EQ(choice->ItemIndex(), 1);
  EXPECT_EQ(choice->Items()->Count(), 3);
  auto* label = dynamic_cast<TLabel*>(form->FindComponent("Caption1"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->FocusControl(), form->FindComponent("NameEdit"));
  // Tab order as stored: the panel (0) before the edit (1) although created after it.
  EXPECT_EQ(dynamic_cast<TWinControl*>(form->FindComponent("Panel1"))->TabOrder(), 0);
  EXPECT_EQ(dynamic_cast<TWinControl*>(form->FindComponent("NameEdit"))->TabOrder(), 1);
  // Reading the layout is not a change the form hears of.
  EXPECT_EQ(form->Changes, 0);
}

TEST_F(FormTest, LayoutRoundTripsThroughTheWriter) {
  std::unique_ptr<TTestForm> first(NewForm<TTestForm>(nullptr));
  const std::string written = WriteLayout(*first);
  std::unique_ptr<TTestForm> second(new TTestForm(nullptr));
  TLayoutReader::ReadInto(*second, written, "written.layout");
  EXPECT_EQ(WriteLayout(*second), written);
  // Spot checks of what the writer kept.
  EXPECT_NE(written.find("ClientWidth: 300"), std::string::npos);
  EXPECT_NE(written.find("Items: [\"A\", \"B\", \"C\"]"), std::string::npos);
  EXPECT_EQ(written.find("Enabled: true"), std::string::npos) << "defaults stay out: " << written;
  EXPECT_EQ(written.find("AutoSize:"), std::string::npos) << written;
  EXPECT_EQ(dynamic_cast<TEdit*>(second->FindComponent("NameEdit"))->MaxLength(), 12);
  EXPECT_EQ(second->Icon()->Width(), 32);
}

TEST_F(FormTest, AnExceptionInOnCreateIsShownAndTheWindowStillComesUp) {
  TMessageBoxRecorder boxes;
  TTestForm::FailInCreate = true;
  std::unique_ptr<TTestForm> form(NewForm<TTestForm>(nullptr));
  TTestForm::FailInCreate = false;
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].Text, "Record not found.");
  EXPECT_EQ(boxes.Boxes()[0].Caption, Application->Title());
  ShowAndActivate(*form);
  EXPECT_TRUE(form->Widget()->isVisible());
  EXPECT_NE(form->FindComponent("OkButton"), nullptr);
}

TEST_F(FormTest, ShowModalEndsWithTheButtonsModalResultAndHidesTheWindow) {
  std::unique_ptr<TTestForm> form(NewForm<TTestForm>(nullptr));
  auto* ok = dynamic_cast<TButton*>(form->FindComponent("OkButton"));
  QTimer::singleShot(0, [&]() {
    EXPECT_TRUE(form->Modal());
    EXPECT_EQ(form->Widget()->windowModality(), Qt::ApplicationModal);
    static_cast<QPushButton*>(ok->Widget())->click();  // a real click of the Qt button
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(form->Widget()->isVisible());
  ASSERT_EQ(form->Clicks.size(), 1u);
  EXPECT_EQ(form->Clicks[0], ok);
}

TEST_F(FormTest, ClosingAModalFormAnswersCancelAndAVisibleFormCannotGoModal) {
  std::unique_ptr<TTestForm> form(NewForm<TTestForm>(nullptr));
  QTimer::singleShot(0, [&]() { form->Widget()->close(); });  // the window's close button
  EXPECT_EQ(form->ShowModal(), mrCancel);
  form->Show();
  EXPECT_THROW(form->ShowModal(), EInvalidOperation);
}

TEST_F(FormTest, OnCloseCanRefuseToCloseAModalForm) {
  std::unique_ptr<TTestForm> form(NewForm<TTestForm>(nullptr));
  int asked = 0;
  form->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = ++asked > 1; };
  QTimer::singleShot(0, [&]() {
    form->SetModalResult(mrOk);
    QTimer::singleShot(0, [&]() { form->SetModalResult(mrNo); });
  });
  EXPECT_EQ(form->ShowModal(), mrNo);
  EXPECT_EQ(asked, 2);
}

TEST_F(FormTest, ReleaseFreesTheFormAfterTheCurrentMessage) {
  TTestForm::Destroyed = 0;
  auto* form = NewForm<TTestForm>(Application);
  form->Show();
  bool stillThere = false;
  QTimer::singleShot(0, [&]() {
    form->Release();
    stillThere = TTestForm::Destroyed == 0;  // not freed inside the handler that asked
  });
  Pump();
  Pump();
  EXPECT_TRUE(stillThere);
  EXPECT_EQ(TTestForm::Destroyed, 1);
}

TEST_F(FormTest, ReleaseOfAFormFreedMeanwhileDoesNothing) {
  TTestForm::Destroyed = 0;
  auto* form = NewForm<TTestForm>(Application);
  form->Release();
  delete form;  // its owner (or anyone) frees it before the queued release runs
  Pump();
  EXPECT_EQ(TTestForm::Destroyed, 1);
}

TEST_F(FormTest, AMissingOrBrokenLayoutIsAClearError) {
  std::unique_ptr<TForm> plain(new TForm(nullptr));
  EXPECT_THROW(plain->ReadLayout(), EResNotFound);
  std::unique_ptr<TTestForm> form(new TTestForm(nullptr));
  try {
    TLayoutReader::ReadInto(*form, "layout 1\nTestForm (TTestForm)\n  Bogus (TNoSuchClass)\n", "bad.layout");
    FAIL() << "no error";
  } catch (const ELayoutError& e) {
    EXPECT_NE(std::string(e.Message()).find("bad.layout, line 3"), std::string::npos) << e.Message();
  }
}

TEST_F(FormTest, TimerFiresWhileEnabled) {
  std::unique_ptr<TTestForm> form(NewForm<TTestForm>(nullptr));
  auto* tick = dynamic_cast<TTimer*>(form->FindComponent("Tick"));
  ASSERT_NE(tick, nullptr);
  int fired = 0;
  tick->OnTimer = [&](TObject*) {
    if (++fired == 2) tick->SetEnabled(false);
  };
  tick->SetInterval(1);
  tick->SetEnabled(true);
  for (int i = 0; i < 200 && fired < 2; ++i)
    QTest::qWait(5);
  EXPECT_EQ(fired, 2);
}

TEST_F(FormTest, ScreenCursorIsRestoredAfterALongOperation) {
  EXPECT_EQ(Screen->Cursor(), crDefault);
  {
    TCursorScope wait(crHourGlass);
    EXPECT_EQ(Screen->Cursor(), crHourGlass);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    {
      TCursorScope sql(crSQLWait);
      EXPECT_EQ(Screen->Cursor(), crSQLWait);
    }
    EXPECT_EQ(Screen->Cursor(), crHourGlass);
  }
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FormTest, HelpGoesToTheActiveFormFirstThenTheApplicationThenTheViewer) {
  std::unique_ptr<TTestForm> form(NewForm<TTestForm>(nullptr));
  ShowAndActivate(*form);
  ASSERT_EQ(Screen->ActiveForm(), form.get());
  std::vector<std::string> calls;
  Application->SetHelpFile("Brevant.hlp");
  Application->SetHelpViewer([&](const std::string& File, uint16_t Command, int64_t, TCustomForm* Owner) {
    calls.push_back(File + " " + std::to_string(Command) + (Owner == form.get() ? " form" : " other"));
  });
  Application->HelpCommand(HELP_FINDER, 0);
  form->SetHelpFile("Own.hlp");
  Application->HelpCommand(HELP_FINDER, 0);
  form->OnHelp = [&](uint16_t, int64_t, bool& CallHelp) {
    calls.push_back("handler");
    CallHelp = false;
    return true;
  };
  EXPECT_TRUE(Application->HelpCommand(HELP_FINDER, 0));
  Application->SetHelpViewer(nullptr);
  EXPECT_EQ(calls, (std::vector<std::string>{"Brevant.hlp 11 form", "Own.hlp 11 form", "handler"}));
}

}  // namespace
