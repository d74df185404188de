#pragma once
// Marks the program's own changes to a widget for as long as it lives, so that the signals
// those changes raise are not taken for the player's.

class TSyncScope {
 public:
  explicit TSyncScope(bool& Flag) : Flag_(Flag), Saved_(Flag) { Flag_ = true; }
  ~TSyncScope() { Flag_ = Saved_; }
  TSyncScope(const TSyncScope&) = delete;
  TSyncScope& operator=(const TSyncScope&) = delete;

 private:
  bool& Flag_;
  bool Saved_;
};
