#include "data/links/nav_data_link.h"

#include "core/rtti.h"

BREVANT_DEFINE_CLASS(TNavDataLink, TDataLink, )

TNavDataLink::TNavDataLink(TNavigatorView* Navigator) : Navigator_(Navigator) {
  SetIsVisual(true);
}

TNavDataLink::~TNavDataLink() {
  Navigator_ = nullptr;
}

void TNavDataLink::NotifyActive() {
  if (Navigator_ != nullptr) Navigator_->RefreshAllButtons();
}

void TNavDataLink::NotifyDataSet() {
  if (Navigator_ != nullptr) Navigator_->RefreshMoveButtons();
}

void TNavDataLink::NotifyEditing() {
  if (Navigator_ != nullptr) Navigator_->RefreshEditButtons();
}
