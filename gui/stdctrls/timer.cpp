#include "gui/stdctrls/timer.h"

#include <QTimer>

#include "gui/forms/application.h"

BREVANT_DEFINE_CLASS(TTimer, TComponent,
                     .Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
                         .Default(true)
                         .Property("Interval", &TTimer::Interval, &TTimer::SetInterval)
                         .Default(1000)
                         .Range(0, 0x7FFFFFFF)
                         .Event("OnTimer", &TTimer::OnTimer))

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), Timer_(std::make_unique<QTimer>()) {
  QObject::connect(Timer_.get(), &QTimer::timeout, Timer_.get(), [this]() {
    GuardCall([this]() {
      if (OnTimer) OnTimer(this);
    });
  });
  UpdateTimer();
}

TTimer::~TTimer() {
  Timer_->stop();
  QObject::disconnect(Timer_.get(), nullptr, nullptr, nullptr);
}

void TTimer::SetEnabled(bool Value) {
  if (Value == Enabled_) return;
  Enabled_ = Value;
  UpdateTimer();
}

void TTimer::SetInterval(int Value) {
  if (Value < 0) Value = 0;
  if (Value == Interval_) return;
  Interval_ = Value;
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  Timer_->stop();
  if (Enabled_ && Interval_ > 0 && !IsLoading()) Timer_->start(Interval_);
}
