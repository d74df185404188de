#pragma once
// TTimer: calls OnTimer every Interval milliseconds while Enabled (a component, no window).
// It runs on the GUI thread, between messages, inside the exception guard.

#include <memory>

#include "core/component.h"
#include "core/rtti.h"

class QTimer;

class TTimer : public TComponent {
 public:
  BREVANT_CLASS(TTimer)
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const { return Enabled_; }
  void SetEnabled(bool Value);
  int Interval() const { return Interval_; }
  void SetInterval(int Value);

  TNotifyEvent OnTimer;

 protected:
  void Loaded() override;

 private:
  void UpdateTimer();

  bool Enabled_ = true;
  int Interval_ = 1000;
  std::unique_ptr<QTimer> Timer_;
};
