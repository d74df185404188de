#pragma once
// Clean-up that runs when a scope is left, in place of a catch-all handler that cleans up and
// rethrows.
//
//   TScopeFail undo([&] { delete made; });   // only when an exception leaves the scope
//   TScopeExit restore([&] { Mode_ = saved; }); // however the scope is left
//
// A clean-up that runs while an exception unwinds must not replace it: the first failure is the
// one the caller hears of, so an exception from such a clean-up is dropped. A TScopeExit left
// normally lets its clean-up's exception through, as code written after the block would.

#include <exception>
#include <utility>

template <class F>
class TScopeExit {
 public:
  explicit TScopeExit(F Cleanup) : Cleanup_(std::move(Cleanup)), Uncaught_(std::uncaught_exceptions()) {}
  ~TScopeExit() noexcept(false) {
    if (Dismissed_) return;
    if (std::uncaught_exceptions() == Uncaught_) {
      Cleanup_();
      return;
    }
    try {
      Cleanup_();
    } catch (...) {
      // The exception already on its way is the one to report.
    }
  }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

  // The clean-up will not run.
  void Dismiss() { Dismissed_ = true; }

 private:
  F Cleanup_;
  int Uncaught_;
  bool Dismissed_ = false;
};

template <class F>
class TScopeFail {
 public:
  explicit TScopeFail(F Cleanup) : Cleanup_(std::move(Cleanup)), Uncaught_(std::uncaught_exceptions()) {}
  ~TScopeFail() {
    if (Dismissed_ || std::uncaught_exceptions() == Uncaught_) return;
    try {
      Cleanup_();
    } catch (...) {
      // The exception already on its way is the one to report.
    }
  }
  TScopeFail(const TScopeFail&) = delete;
  TScopeFail& operator=(const TScopeFail&) = delete;

  // The clean-up will not run, even on a later failure.
  void Dismiss() { Dismissed_ = true; }

 private:
  F Cleanup_;
  int Uncaught_;
  bool Dismissed_ = false;
};
