#pragma once
// A collection owns an ordered list of items of one kind and hears of every change to them.
// Items are made by the collection (Add) and freed with it.

#include <memory>
#include <vector>

#include "core/object.h"

class TCollection;

class TCollectionItem : public TPersistent {
 public:
  BREVANT_CLASS(TCollectionItem)

  TCollection* Collection() const { return Collection_; }
  // Position in the collection; setting it moves the item.
  int Index() const;
  void SetIndex(int Value);

 protected:
  TCollectionItem() = default;
  // Tells the collection that this item (or, with AllItems, the whole collection) changed.
  void Changed(bool AllItems);

 private:
  friend class TCollection;
  TCollection* Collection_ = nullptr;
};

class TCollection : public TPersistent {
 public:
  BREVANT_CLASS(TCollection)

  ~TCollection() override;

  int Count() const { return static_cast<int>(Items_.size()); }
  // Raises EListError for an index outside the list.
  TCollectionItem* Item(int Index) const;
  // Makes one item (NewItem) and appends it.
  TCollectionItem* Add();
  void Delete(int Index);
  void Clear();
  int IndexOf(const TCollectionItem* Item) const;

  // Counted update: ItemsChanged is held back until the last EndUpdate, which reports the
  // whole collection as changed.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return UpdateCount_; }

  // Replaces the items with copies of Source's items (each item copies itself with Assign).
  void Assign(const TPersistent& Source) override;

 protected:
  TCollection() = default;
  virtual std::unique_ptr<TCollectionItem> NewItem() = 0;
  // After a change, outside updates: Item is the item that changed, or none for the whole list.
  virtual void ItemsChanged(TCollectionItem* /*Item*/) {}
  void Changed(TCollectionItem* Item);

 private:
  friend class TCollectionItem;
  void MoveItem(int From, int To);

  std::vector<std::unique_ptr<TCollectionItem>> Items_;
  int UpdateCount_ = 0;
};
