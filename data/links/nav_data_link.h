#pragma once
// The link of a record navigator: it has the navigator enable or disable its buttons when
// the source becomes active or inactive, when the dataset moves and when editing changes.

#include "data/links/data_link.h"

// What a navigator offers its link. The visual navigator implements it.
class TNavigatorView {
 public:
  virtual ~TNavigatorView() = default;
  virtual void RefreshAllButtons() = 0;
  virtual void RefreshMoveButtons() = 0;
  virtual void RefreshEditButtons() = 0;
};

class TNavDataLink : public TDataLink {
 public:
  BREVANT_CLASS(TNavDataLink)

  explicit TNavDataLink(TNavigatorView* Navigator);
  ~TNavDataLink() override;

  TNavigatorView* Navigator() const { return Navigator_; }
  // The navigator is going away: nothing is refreshed from now on.
  void ClearNavigator() { Navigator_ = nullptr; }

  void NotifyActive() override;
  void NotifyDataSet() override;
  void NotifyEditing() override;

 private:
  TNavigatorView* Navigator_;
};
