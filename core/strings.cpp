#include "core/strings.h"

#include <algorithm>

#include "core/core_strings.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/rtti.h"
#include "core/text.h"

BREVANT_DEFINE_CLASS(TStrings, TPersistent, )
BREVANT_DEFINE_CLASS(TStringList, TStrings, )

void TStrings::Error(int Index) const {
  throw EStringListError(Format(LoadResString(SListIndexError), Index));
}

void TStrings::Put(int Index, const std::string& S) {
  TObject* object = GetObject(Index);
  Delete(Index);
  Insert(Index, S);
  PutObject(Index, object);
}

TObject* TStrings::GetObject(int /*Index*/) const {
  return nullptr;
}

void TStrings::PutObject(int /*Index*/, TObject* /*AObject*/) {}

int TStrings::Add(const std::string& S) {
  const int index = Count();
  Insert(index, S);
  return index;
}

int TStrings::AddObject(const std::string& S, TObject* AObject) {
  const int index = Add(S);
  PutObject(index, AObject);
  return index;
}

void TStrings::AddStrings(const TStrings& Strings) {
  BeginUpdate();
  try {
    for (int i = 0; i < Strings.Count(); ++i)
      AddObject(Strings.Get(i), Strings.GetObject(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TStrings::CompareStrings(const std::string& A, const std::string& B) const {
  return CompareText(A, B);
}

int TStrings::IndexOf(const std::string& S) const {
  for (int i = 0; i < Count(); ++i) {
    if (CompareStrings(Get(i), S) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const {
  for (int i = 0; i < Count(); ++i) {
    if (GetObject(i) == AObject) return i;
  }
  return -1;
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  BeginUpdate();
  try {
    const std::string s = Get(CurIndex);
    TObject* object = GetObject(CurIndex);
    Delete(CurIndex);
    Insert(NewIndex, s);
    PutObject(NewIndex, object);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Exchange(int Index1, int Index2) {
  BeginUpdate();
  try {
    const std::string s1 = Get(Index1);
    TObject* o1 = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s1);
    PutObject(Index2, o1);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::string TStrings::Names(int Index) const {
  const std::string line = Get(Index);
  const size_t eq = line.find('=');
  return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

int TStrings::IndexOfName(const std::string& Name) const {
  for (int i = 0; i < Count(); ++i) {
    const std::string line = Get(i);
    const size_t eq = line.find('=');
    if (eq != std::string::npos && CompareStrings(line.substr(0, eq), Name) == 0) return i;
  }
  return -1;
}

std::string TStrings::Values(const std::string& Name) const {
  const int i = IndexOfName(Name);
  return i < 0 ? std::string() : ValueFromIndex(i);
}

std::string TStrings::ValueFromIndex(int Index) const {
  const std::string line = Get(Index);
  const size_t eq = line.find('=');
  return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

void TStrings::SetValue(const std::string& Name, const std::string& Value) {
  int i = IndexOfName(Name);
  if (Value.empty()) {
    if (i >= 0) Delete(i);
    return;
  }
  if (i < 0) {
    Add(Name + "=" + Value);
  } else {
    Put(i, Name + "=" + Value);
  }
}

std::string TStrings::Text() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    out += Get(i);
    out += '\n';
  }
  return out;
}

void TStrings::SetText(std::string_view Value) {
  BeginUpdate();
  try {
    Clear();
    size_t start = 0;
    while (start < Value.size()) {
      size_t end = start;
      while (end < Value.size() && Value[end] != '\r' && Value[end] != '\n')
        ++end;
      Add(std::string(Value.substr(start, end - start)));
      if (end < Value.size() && Value[end] == '\r') ++end;
      if (end < Value.size() && Value[end] == '\n') ++end;
      start = end;
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

bool TStrings::Equals(const TStrings& Other) const {
  if (Count() != Other.Count()) return false;
  for (int i = 0; i < Count(); ++i) {
    if (Get(i) != Other.Get(i)) return false;
  }
  return true;
}

void TStrings::Assign(const TPersistent& Source) {
  if (const auto* source = dynamic_cast<const TStrings*>(&Source)) {
    if (source == this) return;
    BeginUpdate();
    try {
      Clear();
      AddStrings(*source);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

void TStrings::BeginUpdate() {
  // The list hears of the update before the count rises, so that it still reports the
  // one change that the whole update makes.
  if (UpdateCount_ == 0) SetUpdateState(true);
  ++UpdateCount_;
}

void TStrings::EndUpdate() {
  if (UpdateCount_ > 0 && --UpdateCount_ == 0) SetUpdateState(false);
}

// TStringList

std::string TStringList::Get(int Index) const {
  if (Index < 0 || Index >= Count()) Error(Index);
  return Items_[static_cast<size_t>(Index)].first;
}

void TStringList::Put(int Index, const std::string& S) {
  if (Sorted_) throw EStringListError(LoadResString(SSortedListError));
  if (Index < 0 || Index >= Count()) Error(Index);
  Changing();
  Items_[static_cast<size_t>(Index)].first = S;
  Changed();
}

TObject* TStringList::GetObject(int Index) const {
  if (Index < 0 || Index >= Count()) Error(Index);
  return Items_[static_cast<size_t>(Index)].second;
}

void TStringList::PutObject(int Index, TObject* AObject) {
  if (Index < 0 || Index >= Count()) Error(Index);
  Changing();
  Items_[static_cast<size_t>(Index)].second = AObject;
  Changed();
}

void TStringList::Insert(int Index, const std::string& S) {
  if (Sorted_) throw EStringListError(LoadResString(SSortedListError));
  if (Index < 0 || Index > Count()) Error(Index);
  InsertItem(Index, S, nullptr);
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* AObject) {
  Changing();
  Items_.insert(Items_.begin() + Index, {S, AObject});
  Changed();
}

int TStringList::Add(const std::string& S) {
  if (!Sorted_) {
    const int index = Count();
    InsertItem(index, S, nullptr);
    return index;
  }
  int index = 0;
  if (Find(S, index)) {
    if (Duplicates_ == dupIgnore) return index;
    if (Duplicates_ == dupError) throw EStringListError(LoadResString(SDuplicateString));
  }
  InsertItem(index, S, nullptr);
  return index;
}

void TStringList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) Error(Index);
  Changing();
  Items_.erase(Items_.begin() + Index);
  Changed();
}

void TStringList::Clear() {
  if (Items_.empty()) return;
  Changing();
  Items_.clear();
  Changed();
}

int TStringList::CompareStrings(const std::string& A, const std::string& B) const {
  if (CaseSensitive_) return A.compare(B) < 0 ? -1 : (A == B ? 0 : 1);
  return CompareText(A, B);
}

int TStringList::IndexOf(const std::string& S) const {
  if (!Sorted_) return TStrings::IndexOf(S);
  int index = 0;
  return Find(S, index) ? index : -1;
}

bool TStringList::Find(const std::string& S, int& Index) const {
  int lo = 0;
  int hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    const int c = CompareStrings(Items_[static_cast<size_t>(mid)].first, S);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        if (Duplicates_ != dupAccept) lo = mid;
      }
    }
  }
  Index = lo;
  return found;
}

void TStringList::Sort() {
  Changing();
  std::stable_sort(Items_.begin(), Items_.end(),
                   [this](const auto& a, const auto& b) { return CompareStrings(a.first, b.first) < 0; });
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (Sorted_ == Value) return;
  if (Value) Sort();
  Sorted_ = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (CaseSensitive_ == Value) return;
  CaseSensitive_ = Value;
  if (Sorted_) Sort();
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating) {
    Changing();
  } else {
    Changed();
  }
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}
