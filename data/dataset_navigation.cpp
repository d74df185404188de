// TDataSet: moving through the rows.

#include "data/dataset.h"

int TDataSet::GoRows(int Distance) {
  EnsureBrowse();
  FireBeforeScroll();
  if (Distance == 0 || (Distance > 0 && AtEnd_) || (Distance < 0 && AtStart_)) return 0;
  AtStart_ = false;
  AtEnd_ = false;
  const int oldFill = WindowFill_;
  int scrolled = 0;
  int moved = 0;
  // Whatever a fetch raises, the views still hear where the window ended up.
  auto finish = [&]() {
    if (WindowFill_ != oldFill) {
      Notify(dnDataSetChange, 0);
    } else {
      Notify(dnDataSetScroll, scrolled);
    }
    FireAfterScroll();
  };
  try {
    if (Distance > 0) {
      for (int i = 0; i < Distance; ++i) {
        if (ActiveSlot_ < WindowFill_ - 1) {
          ++ActiveSlot_;
        } else {
          const bool wasFull = WindowFill_ == WindowSize_;
          if (!FetchNextRow()) {
            AtEnd_ = true;
            break;
          }
          if (wasFull) --scrolled;
          if (ActiveSlot_ < WindowFill_ - 1) ++ActiveSlot_;
        }
        ++moved;
      }
    } else {
      for (int i = 0; i > Distance; --i) {
        if (ActiveSlot_ > 0) {
          --ActiveSlot_;
        } else {
          const bool wasFull = WindowFill_ == WindowSize_;
          if (!FetchPriorRow()) {
            AtStart_ = true;
            break;
          }
          if (wasFull) ++scrolled;
          if (ActiveSlot_ > 0) --ActiveSlot_;
        }
        --moved;
      }
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
  return moved;
}

int TDataSet::GoNext() {
  return BlockReadSize_ > 0 ? NextBlock() : GoRows(1);
}

int TDataSet::GoPrior() {
  return GoRows(-1);
}

void TDataSet::GoFirst() {
  EnsureBrowse();
  FireBeforeScroll();
  EmptyWindow();
  auto finish = [this]() {
    AtStart_ = true;
    Notify(dnDataSetChange, 0);
    FireAfterScroll();
  };
  try {
    CoreToStart();
    FetchNextRow();
    FetchNextRows();
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TDataSet::GoLast() {
  EnsureBrowse();
  FireBeforeScroll();
  EmptyWindow();
  auto finish = [this]() {
    AtEnd_ = true;
    Notify(dnDataSetChange, 0);
    FireAfterScroll();
  };
  try {
    CoreToEnd();
    FetchPriorRow();
    FetchPriorRows();
  } catch (...) {
    finish();
    throw;
  }
  finish();
}
