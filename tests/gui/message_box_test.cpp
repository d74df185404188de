// The error message box of the application and the exception guard around Qt's calls.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <memory>
#include <stdexcept>

#include "gui/stdctrls/button.h"
#include "gui_test_support.h"

namespace {

TEST(ErrorText, AFullStopIsAddedOnlyAfterCharactersThatSortAfterIt) {
  EXPECT_EQ(ErrorMessageText("Record not found"), "Record not found.");
  EXPECT_EQ(ErrorMessageText("Done!"), "Done!");
  EXPECT_EQ(ErrorMessageText("Ok."), "Ok.");
  EXPECT_EQ(ErrorMessageText("Value 10"), "Value 10.");
  EXPECT_EQ(ErrorMessageText("(see above)"), "(see above)");  // ')' sorts before '.'
  EXPECT_EQ(ErrorMessageText("Fehler: Größe"), "Fehler: Größe.");
  EXPECT_EQ(ErrorMessageText(""), "");
}

TEST(ErrorBox, GuardShowsTheStopBoxWithTheTitleAndGoesOn) {
  TMessageBoxRecorder boxes;
  Application->SetTitle("Brevant 2");
  bool after = false;
  Application->Guard([]() { throw EInvalidOperation("Record not found"); });
  Application->Guard([]() { throw std::runtime_error("Done!"); });
  Application->Guard([]() { Abort(); });  // the silent abort shows nothing
  Application->Guard([&]() { after = true; });
  Application->SetTitle("Brevant Tests");
  EXPECT_TRUE(after);
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  const TShownBox& box = boxes.Boxes()[0];
  EXPECT_EQ(box.Text, "Record not found.");
  EXPECT_EQ(box.Caption, "Brevant 2");
  EXPECT_EQ(box.Icon, mtError);
  EXPECT_EQ(box.Buttons, TMsgDlgButtons{mbOK});
  EXPECT_TRUE(box.ApplicationModal);
  EXPECT_EQ(boxes.Boxes()[1].Text, "Done!");
}

TEST(ErrorBox, AnExceptionInAClickHandlerStopsAtTheGuard) {
  TMessageBoxRecorder boxes;
  std::unique_ptr<TForm> form(new TForm(nullptr));
  auto* button = new TButton(form.get());
  button->SetParent(form.get());
  button->OnClick = [](TObject*) { throw EConvertError("'x' is not a valid integer value"); };
  ShowAndActivate(*form);
  QTest::mouseClick(button->Widget(), Qt::LeftButton);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].Text, "'x' is not a valid integer value.");
  // The loop goes on: the next click works as before.
  button->OnClick = [](TObject*) {};
  QTest::mouseClick(button->Widget(), Qt::LeftButton);
  EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST(ErrorBox, OnExceptionReplacesTheBox) {
  TMessageBoxRecorder boxes;
  std::string seen;
  Application->OnException = [&](TObject*, const Exception& E) { seen = E.Message(); };
  Application->Guard([]() { throw EInvalidOperation("handled elsewhere"); });
  Application->OnException = nullptr;
  EXPECT_EQ(seen, "handled elsewhere");
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(MessageDialogs, AnswerWithTheModalResultOfThePressedButton) {
  {
    TMessageBoxRecorder boxes(mbNo);
    EXPECT_EQ(MessageDlg("Delete the record?", mtConfirmation, {mbYes, mbNo}), mrNo);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].Caption, "Confirm");
    EXPECT_EQ(boxes.Boxes()[0].Icon, mtConfirmation);
    EXPECT_EQ(boxes.Boxes()[0].Buttons, (TMsgDlgButtons{mbYes, mbNo}));
  }
  TMessageBoxRecorder boxes(mbCancel);
  EXPECT_EQ(Application->MessageBox("Go on?", "Brevant 2", mtWarning, mbOKCancel), mrCancel);
  EXPECT_EQ(boxes.Boxes()[0].Icon, mtWarning);
}

}  // namespace
