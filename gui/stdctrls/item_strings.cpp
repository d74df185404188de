#include "gui/stdctrls/item_strings.h"

#include <algorithm>

#include "core/core_strings.h"
#include "core/exceptions.h"
#include "core/rtti.h"

BREVANT_DEFINE_CLASS(TItemStrings, TStrings, )

void TItemStrings::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) Error(Index);
}

std::string TItemStrings::Get(int Index) const {
  CheckIndex(Index);
  return Items_[static_cast<size_t>(Index)].Text;
}

TObject* TItemStrings::GetObject(int Index) const {
  CheckIndex(Index);
  return Items_[static_cast<size_t>(Index)].Object;
}

void TItemStrings::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  Items_[static_cast<size_t>(Index)].Object = AObject;
}

template <class F>
void TItemStrings::Notify(F Fn) {
  if (UpdateCount() > 0) {
    ChangedInUpdate_ = true;
    return;
  }
  if (Listener_ != nullptr) Fn(*Listener_);
  Changed();
}

void TItemStrings::Changed() {
  if (OnChange) OnChange(this);
}

void TItemStrings::SetUpdateState(bool Updating) {
  if (Updating || !ChangedInUpdate_) return;
  ChangedInUpdate_ = false;
  if (Listener_ != nullptr) Listener_->ItemsReset();
  Changed();
}

void TItemStrings::Put(int Index, const std::string& S) {
  if (Sorted_) throw EStringListError(LoadResString(SSortedListError));
  CheckIndex(Index);
  if (Items_[static_cast<size_t>(Index)].Text == S) return;
  Items_[static_cast<size_t>(Index)].Text = S;
  Notify([Index](TItemListener& L) { L.ItemChanged(Index); });
}

int TItemStrings::SortedPosition(const std::string& S) const {
  // After every equal text, so equal items keep the order they came in.
  int lo = 0;
  int hi = Count();
  while (lo < hi) {
    const int mid = (lo + hi) / 2;
    if (CompareStrings(Items_[static_cast<size_t>(mid)].Text, S) <= 0) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

void TItemStrings::InsertItem(int Index, const std::string& S) {
  Items_.insert(Items_.begin() + Index, TItem{S});
  Notify([Index](TItemListener& L) { L.ItemInserted(Index); });
}

void TItemStrings::Insert(int Index, const std::string& S) {
  if (Sorted_) throw EStringListError(LoadResString(SSortedListError));
  if (Index < 0 || Index > Count()) Error(Index);
  InsertItem(Index, S);
}

int TItemStrings::Add(const std::string& S) {
  const int index = Sorted_ ? SortedPosition(S) : Count();
  InsertItem(index, S);
  return index;
}

void TItemStrings::Delete(int Index) {
  CheckIndex(Index);
  Items_.erase(Items_.begin() + Index);
  Notify([Index](TItemListener& L) { L.ItemDeleted(Index); });
}

void TItemStrings::Clear() {
  if (Items_.empty()) return;
  Items_.clear();
  Notify([](TItemListener& L) { L.ItemsReset(); });
}

void TItemStrings::SetSorted(bool Value) {
  if (Value == Sorted_) return;
  Sorted_ = Value;
  if (!Value || Items_.size() < 2) return;
  std::stable_sort(Items_.begin(), Items_.end(),
                   [this](const TItem& A, const TItem& B) { return CompareStrings(A.Text, B.Text) < 0; });
  Notify([](TItemListener& L) { L.ItemsReset(); });
}

bool TItemStrings::Selected(int Index) const {
  CheckIndex(Index);
  return Items_[static_cast<size_t>(Index)].Selected;
}

void TItemStrings::SetSelected(int Index, bool Value) {
  CheckIndex(Index);
  Items_[static_cast<size_t>(Index)].Selected = Value;
}

int TItemStrings::SelectedCount() const {
  return static_cast<int>(
      std::count_if(Items_.begin(), Items_.end(), [](const TItem& I) { return I.Selected; }));
}

int TItemStrings::CurrentIndex() const {
  for (size_t i = 0; i < Items_.size(); ++i) {
    if (Items_[i].Current) return static_cast<int>(i);
  }
  return -1;
}

void TItemStrings::SetCurrentIndex(int Index) {
  if (Index != -1) CheckIndex(Index);
  for (size_t i = 0; i < Items_.size(); ++i)
    Items_[i].Current = static_cast<int>(i) == Index;
}
