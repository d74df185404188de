// Sizing of the navigator: the buttons share its width in equal slots; a navigator that is
// not aligned to its parent shrinks to a whole number of slots, an aligned one spreads the
// pixels left over one by one across its buttons.

#include <algorithm>

#include "data/navigator/db_navigator.h"

void TDBNavigator::FitButtons(int& Width, int& Height) {
  if (IsLoading() || !ButtonsMade()) return;
  int count = 0;
  for (const TNavButton* button : Buttons_) {
    if (button->Visible()) ++count;
  }
  count = std::max(count, 1);
  Width = std::max(Width, count * MinButtonSize.cx);
  Height = std::max(Height, MinButtonSize.cy);
  SlotWidth_ = Width / count;
  if (Align() == alNone) Width = count * SlotWidth_;
  // The remainder goes to the buttons an accumulator picks, spread evenly along the row.
  const int remainder = Width - count * SlotWidth_;
  int accumulator = count / 2;
  int x = 0;
  for (TNavButton* button : Buttons_) {
    if (!button->Visible()) {
      button->SetBounds(this->Width() + 1, 0, SlotWidth_, this->Height());
      continue;
    }
    int extra = 0;
    if (remainder != 0) {
      accumulator -= remainder;
      if (accumulator < 0) {
        accumulator += count;
        extra = 1;
      }
    }
    button->SetBounds(x, 0, SlotWidth_ + extra, this->Height());
    x += SlotWidth_ + extra;
  }
}

void TDBNavigator::ResizeToFit() {
  int width = Width(), height = Height();
  FitButtons(width, height);
  if (width != Width() || height != Height()) TCustomPanel::SetBounds(Left(), Top(), width, height);
}

void TDBNavigator::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  // Without a window there is no size message to correct the size afterwards.
  if (!HandleAllocated()) FitButtons(AWidth, AHeight);
  TCustomPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TDBNavigator::BoundsChanged(const TRect& Old) {
  TCustomPanel::BoundsChanged(Old);
  if (Old.Width() != Width() || Old.Height() != Height()) ResizeToFit();
}

void TDBNavigator::InitWidget() {
  TCustomPanel::InitWidget();
  // A new window is sized once: the buttons take their places in it.
  ResizeToFit();
}
