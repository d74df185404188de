// The password and login dialogs, real windows on Qt's offscreen platform, driven the way a
// player would: typing into their edits and clicking their buttons while they are shown
// modally; and the screen cursors the sessions set through the window framework.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "data/dialogs/data_dialogs.h"
#include "data/dialogs/login_dialog.h"
#include "data/dialogs/password_dialog.h"
#include "data/engine/database.h"
#include "data/engine/engine_error.h"
#include "data/engine/engine_hooks.h"
#include "data/engine/query.h"
#include "data/engine/session.h"
#include "data/engine/sql_wait_cursor.h"
#include "data/engine/table.h"
#include "data/fields/field.h"
#include "engine_test_support.h"
#include "gui/dialogs/message_box.h"
#include "gui/forms/application.h"
#include "gui/forms/screen.h"
#include "gui/stdctrls/button.h"
#include "gui/stdctrls/edit.h"
#include "gui/stdctrls/group_box.h"
#include "gui/stdctrls/label.h"
#include "gui/stdctrls/panel.h"
#include "gui_support.h"

namespace {

using ::testing::ElementsAre;

const auto* const kEnvironment = AddGuiTestEnvironment("Brevant Tests", TStrayBoxAnswer::Ok);

void Type(TEdit* Edit, const char* Text) {
  QTest::keyClicks(Edit->Widget(), Text);
}

void Click(TButton* Button) {
  static_cast<QPushButton*>(Button->Widget())->click();
}

void PressReturn(TWinControl* Control) {
  QTest::keyClick(Control->Widget(), Qt::Key_Return);
}

// Acts on each dialog of class T that is shown modally, one step per dialog, in order.
template <class T>
class TDialogScript {
 public:
  using TStep = std::function<void(T*)>;
  explicit TDialogScript(std::vector<TStep> Steps) : Steps_(std::move(Steps)) {
    QObject::connect(&Timer_, &QTimer::timeout, [this]() { Tick(); });
    Timer_.start(10);
  }
  int Shown() const { return Shown_; }

 private:
  void Tick() {
    for (int i = 0; i < Screen->FormCount(); ++i) {
      auto* dialog = dynamic_cast<T*>(Screen->Forms(i));
      if (dialog == nullptr || !dialog->Modal() || dialog->Tag() != 0) continue;
      dialog->SetTag(1);
      const size_t step = static_cast<size_t>(Shown_++);
      if (step < Steps_.size()) {
        Steps_[step](dialog);
      } else {
        ADD_FAILURE() << "a dialog more than the script knows";
        dialog->SetModalResult(mrCancel);
      }
    }
  }

  std::vector<TStep> Steps_;
  int Shown_ = 0;
  QTimer Timer_;
};

class DialogsTest : public TEngineFixture {
 protected:
  void SetUp() override {
    TEngineFixture::SetUp();
    RegisterDataDialogs();
  }
  void TearDown() override {
    Screen->SetCursor(crDefault);
    TEngineFixture::TearDown();
  }

  // Whether Table1 of a fresh form opens, with any request for a password refused.
  bool TableOpens() {
    Session->OnPassword = [](TObject*, bool& Continue) { Continue = false; };
    auto form = TQuizForm::Make();
    bool opened = true;
    try {
      form->Table1()->SetActive(true);
    } catch (const EDBEngineError&) {
      opened = false;
    }
    Session->OnPassword = nullptr;
    return opened;
  }
};

TEST_F(DialogsTest, AWrongPasswordBringsTheDialogBackUntilCancel) {
  auto form = TQuizForm::Make();
  TDialogScript<TPasswordDialog> script({[](TPasswordDialog* D) {
                                           Type(D->Edit, "wrong");
                                           Click(D->OKButton);
                                         },
                                         [](TPasswordDialog* D) { Click(D->CancelButton); }});
  try {
    form->Table1()->SetActive(true);
    FAIL() << "opened";
  } catch (const EDBEngineError& e) {
    EXPECT_EQ(e.ErrorCode(), ENG_ERR_PASSWORD);
  }
  EXPECT_EQ(script.Shown(), 2);
  EXPECT_FALSE(form->Table1()->Active());
}

TEST_F(DialogsTest, TheRightPasswordOpensTheTableAndServesTheQueryToo) {
  auto form = TQuizForm::Make();
  TDialogScript<TPasswordDialog> script({[](TPasswordDialog* D) {
    Type(D->Edit, "pelmut");
    PressReturn(D->Edit);
  }});
  form->Table1()->SetActive(true);
  EXPECT_TRUE(form->Table1()->Active());
  form->Query1()->SQL()->Add(kEt1Sql);
  form->Query1()->SetActive(true);
  EXPECT_EQ(form->Query1()->FieldNamed("Order")->AsText(), "ET01");
  EXPECT_EQ(script.Shown(), 1);
}

TEST_F(DialogsTest, ThePasswordDialogAddsRemovesAndEnablesItsButtons) {
  Session->SetActive(true);
  std::unique_ptr<TPasswordDialog> dialog(NewForm<TPasswordDialog>(Application));
  dialog->SetSession(Session);
  EXPECT_EQ(dialog->Caption(), "Enter password");
  EXPECT_EQ(dialog->ClientWidth(), 273);
  EXPECT_EQ(dialog->ClientHeight(), 132);
  EXPECT_EQ(dialog->BorderStyle(), bsDialog);
  EXPECT_EQ(dialog->Position(), poScreenCenter);
  EXPECT_EQ(dialog->ActiveControl(), dialog->Edit);
  EXPECT_EQ(dialog->Edit->PasswordChar(), '*');
  EXPECT_EQ(dialog->GroupBox1->Caption(), "Password");
  EXPECT_FALSE(dialog->AddButton->Enabled());
  EXPECT_FALSE(dialog->RemoveButton->Enabled());
  EXPECT_TRUE(dialog->RemoveAllButton->Enabled());
  EXPECT_FALSE(dialog->OKButton->Enabled());
  EXPECT_TRUE(dialog->OKButton->Default());
  EXPECT_TRUE(dialog->CancelButton->Cancel());

  QTimer::singleShot(0, [&]() {
    PressReturn(dialog->Edit);  // nothing: OK is disabled
    EXPECT_TRUE(dialog->Modal());
    Type(dialog->Edit, "pelmut");
    EXPECT_TRUE(dialog->AddButton->Enabled());
    EXPECT_TRUE(dialog->RemoveButton->Enabled());
    EXPECT_TRUE(dialog->OKButton->Enabled());
    Click(dialog->AddButton);
    EXPECT_EQ(dialog->Edit->Text(), "");
    EXPECT_TRUE(dialog->Added());
    EXPECT_FALSE(dialog->AddButton->Enabled());
    EXPECT_TRUE(dialog->OKButton->Enabled()) << "a password was added";
    EXPECT_TRUE(dialog->Edit->Focused());
    PressReturn(dialog->Edit);  // OK, adding nothing more
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_TRUE(TableOpens());

  dialog.reset();
  dialog.reset(NewForm<TPasswordDialog>(Application));
  dialog->SetSession(Session);
  QTimer::singleShot(0, [&]() {
    Type(dialog->Edit, "pelmut");
    Click(dialog->RemoveButton);
    EXPECT_EQ(dialog->Edit->Text(), "");
    EXPECT_FALSE(dialog->OKButton->Enabled());
    Click(dialog->CancelButton);
  });
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_FALSE(TableOpens());

  Session->StorePassword("pelmut");
  dialog.reset();
  dialog.reset(NewForm<TPasswordDialog>(Application));
  dialog->SetSession(Session);
  QTimer::singleShot(0, [&]() {
    Type(dialog->Edit, "p");
    QTest::keyClick(dialog->Edit->Widget(), Qt::Key_Backspace);
    EXPECT_FALSE(dialog->OKButton->Enabled());
    Click(dialog->RemoveAllButton);
    Click(dialog->CancelButton);
  });
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_FALSE(TableOpens());
}

TEST_F(DialogsTest, TheLoginDialogFixesTheUserOrAsksForIt) {
  std::string user = "bob";
  std::string password;
  TDialogScript<TLoginDialog> script({[](TLoginDialog* D) {
                                        EXPECT_EQ(D->Caption(), "Database Login");
                                        EXPECT_EQ(D->ClientWidth(), 273);
                                        EXPECT_EQ(D->ClientHeight(), 147);
                                        EXPECT_EQ(D->DatabaseName->Caption(), "secure");
                                        EXPECT_FALSE(D->UserName->Enabled());
                                        EXPECT_EQ(D->ActiveControl(), D->Password);
                                        EXPECT_EQ(D->Password->MaxLength(), 31);
                                        Type(D->Password, "s3cret");
                                        Click(D->OKButton);
                                      },
                                      [](TLoginDialog* D) {
                                        EXPECT_TRUE(D->UserName->Enabled());
                                        EXPECT_EQ(D->ActiveControl(), D->UserName);
                                        Type(D->UserName, "carol");
                                        Click(D->CancelButton);
                                      }});
  EXPECT_TRUE(ShowLoginDialog("secure", user, password, true));
  EXPECT_EQ(user, "bob");
  EXPECT_EQ(password, "s3cret");
  std::string nobody;
  EXPECT_FALSE(ShowLoginDialog("secure", nobody, password, false));
  EXPECT_EQ(nobody, "");
  EXPECT_EQ(script.Shown(), 2);
}

TEST_F(DialogsTest, ALongDatabaseNameEndsShortOfThePanelsEdge) {
  std::unique_ptr<TLoginDialog> dialog(NewForm<TLoginDialog>(Application));
  dialog->DatabaseName->SetCaption(std::string(120, 'W'));
  ASSERT_GE(dialog->DatabaseName->Left() + dialog->DatabaseName->Width(), dialog->Panel->ClientWidth());
  dialog->FormShow(dialog.get());
  EXPECT_EQ(dialog->DatabaseName->Left() + dialog->DatabaseName->Width(), dialog->Panel->ClientWidth() - 5);
  dialog->DatabaseName->SetCaption("short");
  const int width = dialog->DatabaseName->Width();
  dialog->FormShow(dialog.get());
  EXPECT_EQ(dialog->DatabaseName->Width(), width);
}

TEST_F(DialogsTest, ADatabaseThatWantsALoginShowsTheLoginDialog) {
  WriteTextFile(ConfigPath, "[DATABASES\\secure\\DB INFO]\nTYPE=STANDARD\nPATH=data\nUSER NAME=bob\n");
  TDialogScript<TLoginDialog> script({[](TLoginDialog* D) {
    EXPECT_EQ(D->UserName->Text(), "bob");
    Type(D->Password, "pelmut");
    Click(D->OKButton);
  }});
  TDatabase database(nullptr);
  database.SetDatabaseName("secure");
  database.Open();
  EXPECT_TRUE(database.Connected());
  EXPECT_EQ(script.Shown(), 1);
  // The password given at login opens the table without a password of the session.
  TTable table(nullptr);
  table.SetDatabaseName("secure");
  table.SetTableName("vezedezavuza");
  table.SetActive(true);
  EXPECT_TRUE(table.Active());
}

TEST_F(DialogsTest, TheEnginesStartShowsTheHourglassAndServerCallsTheSQLWaitCursor) {
  TDataEngineHooks hooks = DataEngineHooks();
  std::vector<TEngineCursor> set;
  hooks.SetCursor = [&, real = hooks.SetCursor](TEngineCursor Cursor) {
    set.push_back(Cursor);
    real(Cursor);
  };
  SetDataEngineHooks(hooks);
  Session->StorePassword("pelmut");
  EXPECT_THAT(set, ElementsAre(ecHourGlass, ecDefault));
  EXPECT_EQ(Screen->Cursor(), crDefault);

  auto form = TQuizForm::Make();
  form->Table1()->SetActive(true);
  EXPECT_EQ(Screen->Cursor(), crSQLWait) << "opening the table file called the server";
  QElapsedTimer waited;
  waited.start();
  while (Screen->Cursor() == crSQLWait && waited.elapsed() < 5000)
    QTest::qWait(10);
  EXPECT_EQ(Screen->Cursor(), crDefault) << "the timer put the cursor back";
  EXPECT_FALSE(SQLWaitActive());
  RegisterDataDialogs();
}

TEST_F(DialogsTest, ACursorOfTheProgramsOwnIsLeftAlone) {
  Screen->SetCursor(crHandPoint);
  Session->SetActive(true);
  EXPECT_EQ(Screen->Cursor(), crHandPoint);
}

}  // namespace
