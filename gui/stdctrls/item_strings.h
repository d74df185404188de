#pragma once
// TItemStrings: the items of a list control (a combo box, a list box) as a string list.
// Each item carries its object and two marks of the control that shows it: Selected (the
// list box's selection) and Current (the item ItemIndex names). The marks live with their
// item, so an insertion or a deletion elsewhere leaves the selection on the same texts.
// A sorted list puts every new item at its place in text order (regardless of case) and,
// like the list controls, keeps duplicates.
//
// The control hears of each change through TItemListener and follows it in its widget;
// inside BeginUpdate/EndUpdate the changes are reported once, as one reset, at the end.

#include <string>
#include <vector>

#include "core/strings.h"

class TItemListener {
 public:
  virtual ~TItemListener() = default;
  virtual void ItemInserted(int Index) = 0;
  virtual void ItemDeleted(int Index) = 0;
  // The text of an item was replaced.
  virtual void ItemChanged(int Index) = 0;
  // Anything else: cleared, re-sorted, or several changes made inside an update.
  virtual void ItemsReset() = 0;
};

class TItemStrings : public TStrings {
 public:
  BREVANT_CLASS(TItemStrings)
  explicit TItemStrings(TItemListener* Listener = nullptr) : Listener_(Listener) {}

  int Count() const override { return static_cast<int>(Items_.size()); }
  std::string Get(int Index) const override;
  void Put(int Index, const std::string& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void Insert(int Index, const std::string& S) override;
  void Delete(int Index) override;
  void Clear() override;
  int Add(const std::string& S) override;

  // Sorting a list that is not sorted sorts it now; Insert and Put then raise
  // EStringListError, since the place of an item is the list's to choose.
  bool Sorted() const { return Sorted_; }
  void SetSorted(bool Value);

  bool Selected(int Index) const;
  void SetSelected(int Index, bool Value);
  int SelectedCount() const;
  // The index of the item marked current, or -1.
  int CurrentIndex() const;
  // Marks Index (-1: none) as the one current item.
  void SetCurrentIndex(int Index);

  // Called after every change of the texts (not of the marks), once per update.
  TNotifyEvent OnChange;

 protected:
  void SetUpdateState(bool Updating) override;

 private:
  struct TItem {
    std::string Text;
    TObject* Object = nullptr;
    bool Selected = false;
    bool Current = false;
  };

  void CheckIndex(int Index) const;
  int SortedPosition(const std::string& S) const;
  void InsertItem(int Index, const std::string& S);
  template <class F>
  void Notify(F Fn);
  void Changed();

  TItemListener* Listener_;
  std::vector<TItem> Items_;
  bool Sorted_ = false;
  bool ChangedInUpdate_ = false;
};
