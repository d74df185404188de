#include "gui_test_support.h"

#include <gtest/gtest.h>

#include <QTest>

#include "gui/gui_module.h"

namespace {

class TGuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "gui_tests";
    static char* argv[] = {name, nullptr};
    Module_ = new TGuiModule(argc, argv);
    Application->SetTitle("Brevant Tests");
    // A box nobody answers would hang the run; answer every box unless a test says otherwise.
    SetMessageBoxObserver(
        [](TMessageBoxView& Box) { Box.Press(Box.Buttons().Contains(mbOK) ? mbOK : mbCancel); });
  }
  void TearDown() override {
    SetMessageBoxObserver(nullptr);
    delete Module_;
  }

 private:
  TGuiModule* Module_ = nullptr;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new TGuiEnvironment);

}  // namespace

TMessageBoxRecorder::TMessageBoxRecorder(TMsgDlgBtn Answer) {
  Previous_ = SetMessageBoxObserver([this, Answer](TMessageBoxView& Box) {
    Boxes_.push_back({Box.Caption(), Box.Text(), Box.Icon(), Box.Buttons(), Box.ApplicationModal()});
    Box.Press(Answer);
  });
}

TMessageBoxRecorder::~TMessageBoxRecorder() {
  SetMessageBoxObserver(Previous_);
}

void ShowAndActivate(TCustomForm& Form) {
  Form.Show();
  QWidget* w = Form.Widget();
  w->activateWindow();
  QApplication::setActiveWindow(w);
  (void)QTest::qWaitForWindowExposed(w, 2000);
  Pump();
}

void Pump() {
  for (int i = 0; i < 3; ++i)
    QApplication::processEvents();
}
