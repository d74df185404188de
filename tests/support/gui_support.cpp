#include "gui_support.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <memory>
#include <utility>

#include "gui/gui_module.h"

namespace {

class TGuiTestEnvironment : public ::testing::Environment {
 public:
  TGuiTestEnvironment(std::string Title, TStrayBoxAnswer StrayBoxes, std::function<void()> RegisterClasses)
      : Title_(std::move(Title)), StrayBoxes_(StrayBoxes), RegisterClasses_(std::move(RegisterClasses)) {}

  void SetUp() override {
    static int argc = 1;
    static char name[] = "brevant_tests";
    static char* argv[] = {name, nullptr};
    Module_ = std::make_unique<TGuiModule>(argc, argv);
    Application->SetTitle(Title_);
    if (RegisterClasses_) RegisterClasses_();
    const TMsgDlgBtn preferred = StrayBoxes_ == TStrayBoxAnswer::Ok ? mbOK : mbCancel;
    const TMsgDlgBtn other = preferred == mbOK ? mbCancel : mbOK;
    SetMessageBoxObserver([preferred, other](TMessageBoxView& Box) {
      Box.Press(Box.Buttons().Contains(preferred) ? preferred : other);
    });
    SetDialogObserver([](TDialogView& View) { View.CloseWindow(); });
  }
  void TearDown() override {
    SetMessageBoxObserver(nullptr);
    SetDialogObserver(nullptr);
    Module_.reset();
  }

 private:
  std::string Title_;
  TStrayBoxAnswer StrayBoxes_;
  std::function<void()> RegisterClasses_;
  std::unique_ptr<TGuiModule> Module_;
};

}  // namespace

::testing::Environment* AddGuiTestEnvironment(const std::string& Title, TStrayBoxAnswer StrayBoxes,
                                              std::function<void()> RegisterClasses) {
  return ::testing::AddGlobalTestEnvironment(
      new TGuiTestEnvironment(Title, StrayBoxes, std::move(RegisterClasses)));
}

TMessageBoxRecorder::TMessageBoxRecorder(TMsgDlgBtn Answer) {
  Previous_ = SetMessageBoxObserver([this, Answer](TMessageBoxView& Box) {
    Boxes_.push_back({Box.Caption(), Box.Text(), Box.Icon(), Box.Buttons(), Box.ApplicationModal()});
    Box.Press(Answer);
  });
}

TMessageBoxRecorder::~TMessageBoxRecorder() {
  SetMessageBoxObserver(Previous_);
}

TDialogDriver::TDialogDriver(std::function<void(TDialogView& View)> Answer) {
  Previous_ = SetDialogObserver([this, Answer](TDialogView& View) {
    ++Shown_;
    Answer(View);
  });
}

TDialogDriver::~TDialogDriver() {
  SetDialogObserver(Previous_);
}

bool PumpUntil(const std::function<bool()>& Done) {
  QElapsedTimer timer;
  timer.start();
  while (!Done() && timer.elapsed() < 5000)
    QTest::qWait(10);
  return Done();
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
