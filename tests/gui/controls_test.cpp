// The standard windowed controls: radio group, edit, memo.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "gui/stdctrls/edit.h"
#include "gui/stdctrls/group_box.h"
#include "gui_test_support.h"

namespace {

TEST(RadioGroup, ItemIndexMinusOneChecksNothingAndAClickSelects) {
  std::unique_ptr<TForm> form(new TForm(nullptr));
  auto* group = new TRadioGroup(form.get());
  group->SetParent(form.get());
  group->SetBounds(9, 192, 65, 105);
  group->Items()->SetText("A\nB\nC\nD");
  int clicks = 0;
  group->OnClick = [&](TObject*) { ++clicks; };
  ShowAndActivate(*form);
  EXPECT_EQ(group->ItemIndex(), -1);
  for (int i = 0; i < 4; ++i)
    EXPECT_FALSE(group->ButtonWidget(i)->isChecked());
  QTest::mouseClick(group->ButtonWidget(2), Qt::LeftButton);
  EXPECT_EQ(group->ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  QTest::mouseClick(group->ButtonWidget(2), Qt::LeftButton);  // clicking it again keeps it
  EXPECT_TRUE(group->ButtonWidget(2)->isChecked());
  group->SetItemIndex(-1);
  EXPECT_FALSE(group->ButtonWidget(2)->isChecked());
  group->SetItemIndex(9);  // out of range: the last item
  EXPECT_EQ(group->ItemIndex(), 3);
  // The buttons lie in one column inside the frame, below the caption.
  EXPECT_LT(group->ButtonWidget(0)->y(), group->ButtonWidget(1)->y());
  EXPECT_EQ(group->ButtonWidget(0)->x(), group->ButtonWidget(3)->x());
  EXPECT_LE(group->ButtonWidget(3)->geometry().bottom(), 105);
}

TEST(Edit, OnChangeFollowsTypingAndSettingAndMaxLengthHolds) {
  std::unique_ptr<TForm> form(new TForm(nullptr));
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  edit->SetMaxLength(4);
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  ShowAndActivate(*form);
  edit->SetFocus();
  QTest::keyClicks(edit->Widget(), "abcdef");
  EXPECT_EQ(edit->Text(), "abcd");
  EXPECT_EQ(changes, 4);
  edit->SetText("xy");
  EXPECT_EQ(static_cast<QLineEdit*>(edit->Widget())->text(), "xy");
  EXPECT_EQ(changes, 5);
  edit->SetText("xy");  // the same value: nothing happens
  EXPECT_EQ(changes, 5);
  edit->SetPasswordChar('*');
  EXPECT_EQ(static_cast<QLineEdit*>(edit->Widget())->echoMode(), QLineEdit::Password);
}

TEST(Memo, LinesAndTheWidgetStayInStep) {
  std::unique_ptr<TForm> form(new TForm(nullptr));
  auto* memo = new TMemo(form.get());
  memo->SetParent(form.get());
  memo->Lines()->Add("first");
  memo->Lines()->Add("second");
  ShowAndActivate(*form);
  auto* edit = static_cast<QPlainTextEdit*>(memo->Widget());
  EXPECT_EQ(edit->toPlainText(), "first\nsecond");
  edit->setPlainText("one\ntwo\nthree");
  EXPECT_EQ(memo->Lines()->Count(), 3);
  EXPECT_EQ(memo->Lines()->Get(2), "three");
  memo->SetReadOnly(true);
  EXPECT_TRUE(edit->isReadOnly());
}

}  // namespace
