// TDataSet: the row window. Rows are fetched into the spare buffer and made valid by moving
// buffer pointers; no row is ever copied.

#include <algorithm>

#include "data/dataset.h"
#include "data/links/data_link.h"
#include "data/links/data_source.h"

void TDataSet::EmptyWindow() {
  WindowFill_ = 0;
  ActiveSlot_ = 0;
  CursorSlot_ = -1;
  AtStart_ = true;
  AtEnd_ = true;
}

void TDataSet::OpenWindow() {
  WindowFill_ = 1;
  ActiveSlot_ = 0;
  CursorSlot_ = 0;
  AtStart_ = false;
  AtEnd_ = false;
}

void TDataSet::RotateBuffers(int From, int To) {
  if (From == To) return;
  auto first = RowBuffers_.begin();
  if (From < To) {
    std::rotate(first + From, first + From + 1, first + To + 1);
  } else {
    std::rotate(first + To, first + From, first + From + 1);
  }
}

void TDataSet::MoveCursorTo(int Slot) {
  TRowBuffer buffer = RowBuffers_[static_cast<size_t>(Slot)];
  switch (ReadRowMark(buffer)) {
    case rmBOF:
      CoreToStart();
      break;
    case rmEOF:
      CoreToEnd();
      break;
    case rmCurrent:
    case rmInserted:
      CoreToRow(buffer);
      break;
  }
  CursorSlot_ = Slot;
}

void TDataSet::SyncCursor() {
  if (WindowFill_ > 0) PlaceCursor(ActiveSlot_);
}

bool TDataSet::FetchNextRow() {
  if (WindowFill_ > 0) PlaceCursor(WindowFill_ - 1);
  TFetchMode mode = fmNext;
  if (Mode_ == dmInsert && CursorSlot_ == ActiveSlot_ && ReadRowMark(ActiveBuffer()) == rmCurrent)
    mode = fmCurrent;
  if (FetchRow(SpareBuffer(), mode, true) != frOK) {
    ForgetCursor();
    return false;
  }
  if (WindowFill_ == 0) {
    OpenWindow();
  } else if (WindowFill_ < WindowSize_) {
    ++WindowFill_;
  } else {
    ShiftBuffer(0, WindowFill_);
  }
  CursorSlot_ = WindowFill_ - 1;
  return true;
}

bool TDataSet::FetchPriorRow() {
  if (WindowFill_ > 0) PlaceCursor(0);
  if (FetchRow(SpareBuffer(), fmPrior, true) != frOK) {
    ForgetCursor();
    return false;
  }
  if (WindowFill_ == 0) {
    OpenWindow();
  } else {
    ShiftBuffer(WindowFill_, 0);
    if (WindowFill_ < WindowSize_) {
      ++WindowFill_;
      ++ActiveSlot_;
    }
  }
  CursorSlot_ = 0;
  return true;
}

int TDataSet::FetchNextRows() {
  int added = 0;
  while (WindowFill_ < WindowSize_ && FetchNextRow())
    ++added;
  return added;
}

int TDataSet::FetchPriorRows() {
  int added = 0;
  while (WindowFill_ < WindowSize_ && FetchPriorRow())
    ++added;
  return added;
}

void TDataSet::RecountWindow() {
  if (BaseDestroyed_ || !CoreIsOpen()) return;
  FirstLink_ = nullptr;
  TDataLink* last = nullptr;
  int size = 1;
  for (TDataSource* source : DataSources_) {
    for (TDataLink* link : source->Links()) {
      link->NextLink_ = nullptr;
      if (last != nullptr) {
        last->NextLink_ = link;
      } else {
        FirstLink_ = link;
      }
      last = link;
      size = std::max(size, link->BufferSize_);
    }
  }
  ResizeWindow(size);
}

void TDataSet::ResizeWindow(int Size) {
  if (Size == WindowSize_) return;
  if (Size < WindowSize_ && WindowFill_ > 0) {
    // Keep the rows from the lowest slot that the active row or an active link shows.
    int start = ActiveSlot_;
    for (TDataLink* link = FirstLink_; link != nullptr; link = link->NextLink_) {
      if (link->Active_) start = std::min(start, link->FirstIndex_);
    }
    start = std::max({start, 0, ActiveSlot_ - Size + 1});
    std::rotate(RowBuffers_.begin(), RowBuffers_.begin() + start, RowBuffers_.end());
    ActiveSlot_ -= start;
    if (CursorSlot_ != -1) CursorSlot_ -= start;
    // Only rows that were after the kept start stay valid; the rest are fetched again.
    WindowFill_ = std::min(Size, WindowFill_ - start);
    if (CursorSlot_ < 0 || CursorSlot_ >= WindowFill_) CursorSlot_ = -1;
    for (TDataLink* link = FirstLink_; link != nullptr; link = link->NextLink_) {
      if (link->Active_) link->FirstIndex_ = std::max(0, link->FirstIndex_ - start);
    }
  }
  ResizeBufferList(Size + 1);
  WindowSize_ = Size;
  if (IsDestroying()) return;
  FetchNextRows();
  const int added = FetchPriorRows();
  if (added == 0) return;
  for (TDataLink* link = FirstLink_; link != nullptr; link = link->NextLink_) {
    if (link->Active_) link->FirstIndex_ += added;
  }
}

void TDataSet::ResizeBufferList(int Count) {
  const auto target = static_cast<size_t>(std::max(Count, 0));
  const size_t old = RowBuffers_.size();
  if (target < old) {
    for (size_t i = old; i-- > target;)
      DisposeRowBuffer(RowBuffers_[i]);
    RowBuffers_.resize(target);
    return;
  }
  RowBuffers_.reserve(target);
  try {
    while (RowBuffers_.size() < target)
      RowBuffers_.push_back(NewRowBuffer());
  } catch (...) {
    while (RowBuffers_.size() > old) {
      DisposeRowBuffer(RowBuffers_.back());
      RowBuffers_.pop_back();
    }
    throw;
  }
}

void TDataSet::Refetch(TRefetchOptions Options) {
  if (Options.Contains(rfExact)) {
    ForgetCursor();
    if (FetchRow(SpareBuffer(), fmCurrent, true) != frOK)
      RaiseDataError(LoadResString(SRecordNotFound), this);
  } else if (FetchRow(SpareBuffer(), fmCurrent, false) != frOK &&
             FetchRow(SpareBuffer(), fmNext, false) != frOK &&
             FetchRow(SpareBuffer(), fmPrior, false) != frOK) {
    EmptyWindow();
    Notify(dnDataSetChange, 0);
    return;
  }
  const int before = Options.Contains(rfCentre) ? (WindowSize_ - 1) / 2 : ActiveSlot_;
  try {
    ShiftBuffer(WindowFill_, 0);
    OpenWindow();
    for (int i = 0; i < before && FetchPriorRow(); ++i) {
    }
    FetchNextRows();
    FetchPriorRows();
  } catch (...) {
    Notify(dnDataSetChange, 0);
    throw;
  }
  Notify(dnDataSetChange, 0);
}

void TDataSet::SetActiveSlot(int Value) {
  if (Value < 0 || (Value >= WindowFill_ && Value != 0)) {
    throw EListError(Format(LoadResString(SInvalidActiveIndex), Value));
  }
  ActiveSlot_ = Value;
}
