// Alt+letter shortcuts in the order the form offers them, Tab order, Return and Escape,
// key preview.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <memory>

#include "gui/controls/keys.h"
#include "gui/stdctrls/button.h"
#include "gui/stdctrls/edit.h"
#include "gui/stdctrls/label.h"
#include "gui/stdctrls/panel.h"
#include "gui_test_support.h"

namespace {

class KeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override { form_.reset(new TForm(nullptr)); }
  template <class T>
  T* Add(TWinControl* Parent, const std::string& Name, const std::string& Caption = "") {
    auto* c = new T(form_.get());
    c->SetName(Name);
    c->SetParent(Parent);
    c->SetCaption(Caption);
    return c;
  }
  TButton* Button(TWinControl* Parent, const std::string& Name, const std::string& Caption) {
    auto* b = Add<TButton>(Parent, Name, Caption);
    b->OnClick = [this](TObject* Sender) { clicks_.push_back(static_cast<TComponent*>(Sender)->Name()); };
    return b;
  }
  // Sends a key to the widget that has the focus (or the form's own).
  void Key(Qt::Key K, Qt::KeyboardModifiers M = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : form_->Widget();
    QTest::keyClick(target, K, M);
  }
  std::unique_ptr<TForm> form_;
  std::vector<std::string> clicks_;
};

TEST_F(KeyboardTest, AltLetterClicksTheFirstVisibleEnabledButtonInOfferingOrder) {
  // Two buttons with H, as the main window has them: "Hint me!" first, "Help" in a panel.
  TButton* hint = Button(form_.get(), "Hint", "&Hint me!");
  TPanel* panel = Add<TPanel>(form_.get(), "Panel");
  TButton* help = Button(panel, "Help", "&Help");
  ShowAndActivate(*form_);
  Key(Qt::Key_H, Qt::AltModifier);
  EXPECT_EQ(clicks_, std::vector<std::string>{"Hint"});
  hint->Hide();
  Key(Qt::Key_H, Qt::AltModifier);
  EXPECT_EQ(clicks_, (std::vector<std::string>{"Hint", "Help"}));
  hint->Show();
  Key(Qt::Key_H, Qt::AltModifier);
  EXPECT_EQ(clicks_.back(), "Hint");
  hint->SetEnabled(false);
  help->SetEnabled(false);
  Key(Qt::Key_H, Qt::AltModifier);
  EXPECT_EQ(clicks_.size(), 3u);  // nobody takes it
  // Qt's own mnemonic must not exist: it would only move the focus between the two.
  EXPECT_TRUE(static_cast<QPushButton*>(help->Widget())->shortcut().isEmpty());
}

TEST_F(KeyboardTest, ControlsWithoutAWindowAreOfferedTheKeyFirst) {
  TEdit* edit = Add<TEdit>(form_.get(), "Edit");
  Button(form_.get(), "Name", "&Name");
  TLabel* label = Add<TLabel>(form_.get(), "Label", "&Name:");  // created last, offered first
  label->SetFocusControl(edit);
  ShowAndActivate(*form_);
  Key(Qt::Key_N, Qt::AltModifier);
  EXPECT_TRUE(clicks_.empty());
  EXPECT_EQ(form_->ActiveControl(), edit);
  label->Hide();
  Key(Qt::Key_N, Qt::AltModifier);
  EXPECT_EQ(clicks_, std::vector<std::string>{"Name"});
}

TEST_F(KeyboardTest, TabSkipsHiddenDisabledAndNonTabStopControls) {
  TButton* a = Button(form_.get(), "A", "A");
  TButton* hidden = Button(form_.get(), "Hidden", "Hidden");
  TPanel* panel = Add<TPanel>(form_.get(), "Panel");
  TButton* b = Button(panel, "B", "B");
  TButton* disabled = Button(panel, "Disabled", "Disabled");
  TButton* noStop = Button(form_.get(), "NoStop", "NoStop");
  TEdit* c = Add<TEdit>(form_.get(), "C");
  hidden->Hide();
  disabled->SetEnabled(false);
  noStop->SetTabStop(false);
  c->SetTabOrder(0);  // first in the order although created last
  ShowAndActivate(*form_);
  EXPECT_EQ(form_->ActiveControl(), c);
  std::vector<TWinControl*> seen;
  for (int i = 0; i < 4; ++i) {
    Key(Qt::Key_Tab);
    seen.push_back(form_->ActiveControl());
  }
  EXPECT_EQ(seen, (std::vector<TWinControl*>{a, b, c, a}));
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(form_->ActiveControl(), c);
  EXPECT_TRUE(c->Focused());
  EXPECT_EQ(QApplication::focusWidget(), c->Widget());
}

TEST_F(KeyboardTest, ReturnClicksTheDefaultButtonAndEscapeTheCancelButton) {
  TEdit* edit = Add<TEdit>(form_.get(), "Edit");
  TButton* ok = Button(form_.get(), "Ok", "OK");
  ok->SetDefault(true);
  TButton* cancel = Button(form_.get(), "Cancel", "Cancel");
  cancel->SetCancel(true);
  ShowAndActivate(*form_);
  edit->SetFocus();
  Key(Qt::Key_Return);
  Key(Qt::Key_Escape);
  cancel->SetFocus();
  Key(Qt::Key_Return);  // a focused button takes Return itself
  EXPECT_EQ(clicks_, (std::vector<std::string>{"Ok", "Cancel", "Cancel"}));
}

TEST_F(KeyboardTest, KeyPreviewLetsTheFormSeeAndSwallowKeysFirst) {
  TEdit* edit = Add<TEdit>(form_.get(), "Edit");
  std::vector<std::string> log;
  form_->SetKeyPreview(true);
  form_->OnKeyDown = [&](TObject*, uint16_t& Key, TShiftState) {
    log.push_back("form " + std::to_string(Key));
    if (Key == VK_F2) Key = 0;
  };
  edit->OnKeyDown = [&](TObject*, uint16_t& Key, TShiftState) {
    log.push_back("edit " + std::to_string(Key));
  };
  edit->OnKeyPress = [&](TObject*, char& Ch) {
    if (Ch == 'x') Ch = 0;  // swallowed: the edit never sees it
  };
  ShowAndActivate(*form_);
  edit->SetFocus();
  Key(Qt::Key_F2);
  Key(Qt::Key_A);
  QTest::keyClicks(edit->Widget(), "xbx");
  EXPECT_EQ(log[0], "form 113");
  EXPECT_EQ(log[1], "form 65");
  EXPECT_EQ(log[2], "edit 65");
  EXPECT_EQ(edit->Text(), "ab");
}

TEST_F(KeyboardTest, PunctuationAndAccentedLettersAreTypedWithCodesOfTheirOwn) {
  TEdit* edit = Add<TEdit>(form_.get(), "Edit");
  std::vector<uint16_t> codes;
  edit->OnKeyDown = [&](TObject*, uint16_t& Key, TShiftState) {
    codes.push_back(Key);
    if (Key == VK_OEM_2) Key = 0;  // a handler may still swallow one: '/' never arrives
  };
  ShowAndActivate(*form_);
  edit->SetFocus();
  QTest::keyClicks(edit->Widget(), "-1.5,2;'x'/+");
  QTest::keyClick(edit->Widget(), Qt::Key_Udiaeresis, Qt::NoModifier);
  EXPECT_EQ(edit->Text(), "-1.5,2;'x'+\xc3\x9c");  // the key's own character, an upper-case U umlaut
  ASSERT_EQ(codes.size(), 13u);
  EXPECT_EQ(codes[0], VK_OEM_MINUS);
  EXPECT_EQ(codes[2], VK_OEM_PERIOD);
  EXPECT_EQ(codes[4], VK_OEM_COMMA);
  EXPECT_EQ(codes[6], VK_OEM_1);
  EXPECT_EQ(codes[7], VK_OEM_7);
  EXPECT_EQ(codes[10], VK_OEM_2);
  EXPECT_EQ(codes[11], VK_OEM_PLUS);
  EXPECT_EQ(codes[12], VK_PACKET);
}

}  // namespace
