#include "data/collection.h"

#include <algorithm>

#include "core/core_strings.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/rtti.h"

BREVANT_DEFINE_CLASS(TCollectionItem, TPersistent, )
BREVANT_DEFINE_CLASS(TCollection, TPersistent, )

int TCollectionItem::Index() const {
  return Collection_ == nullptr ? -1 : Collection_->IndexOf(this);
}

void TCollectionItem::SetIndex(int Value) {
  const int current = Index();
  if (Collection_ == nullptr || current == Value) return;
  Collection_->MoveItem(current, Value);
}

void TCollectionItem::Changed(bool AllItems) {
  if (Collection_ != nullptr) Collection_->Changed(AllItems ? nullptr : this);
}

TCollection::~TCollection() {
  // Items go without reporting: the owner of the collection is going away too.
  UpdateCount_ = 1;
  Items_.clear();
}

TCollectionItem* TCollection::Item(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format(LoadResString(SListIndexError), Index));
  return Items_[static_cast<size_t>(Index)].get();
}

TCollectionItem* TCollection::Add() {
  std::unique_ptr<TCollectionItem> item = NewItem();
  item->Collection_ = this;
  Items_.push_back(std::move(item));
  TCollectionItem* added = Items_.back().get();
  Changed(nullptr);
  return added;
}

void TCollection::Delete(int Index) {
  Item(Index);  // range check
  Items_.erase(Items_.begin() + Index);
  Changed(nullptr);
}

void TCollection::Clear() {
  if (Items_.empty()) return;
  BeginUpdate();
  Items_.clear();
  EndUpdate();
}

int TCollection::IndexOf(const TCollectionItem* Item) const {
  for (size_t i = 0; i < Items_.size(); ++i) {
    if (Items_[i].get() == Item) return static_cast<int>(i);
  }
  return -1;
}

void TCollection::MoveItem(int From, int To) {
  Item(From);
  Item(To);
  auto first = Items_.begin();
  if (From < To) {
    std::rotate(first + From, first + From + 1, first + To + 1);
  } else {
    std::rotate(first + To, first + From, first + From + 1);
  }
  Changed(nullptr);
}

void TCollection::BeginUpdate() {
  ++UpdateCount_;
}

void TCollection::EndUpdate() {
  if (UpdateCount_ > 0 && --UpdateCount_ == 0) ItemsChanged(nullptr);
}

void TCollection::Changed(TCollectionItem* Item) {
  if (UpdateCount_ == 0) ItemsChanged(Item);
}

void TCollection::Assign(const TPersistent& Source) {
  const auto* other = dynamic_cast<const TCollection*>(&Source);
  if (other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (other == this) return;
  BeginUpdate();
  try {
    Items_.clear();
    for (const auto& item : other->Items_)
      Add()->Assign(*item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}
