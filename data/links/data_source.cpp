#include "data/links/data_source.h"

#include <algorithm>

#include "core/rtti.h"
#include "data/dataset.h"
#include "data/links/data_link.h"

BREVANT_DEFINE_CLASS(TDataSource, TComponent,
                     .Property("AutoEdit", &TDataSource::AutoEdit, &TDataSource::SetAutoEdit)
                         .Default(true)
                         .Property("DataSet", &TDataSource::DataSet, &TDataSource::SetDataSet)
                         .Property("Enabled", &TDataSource::Enabled, &TDataSource::SetEnabled)
                         .Default(true)
                         .Event("OnDataChange", &TDataSource::OnDataChange)
                         .Event("OnStateChange", &TDataSource::OnStateChange)
                         .Event("OnUpdateData", &TDataSource::OnUpdateData))
BREVANT_DEFINE_CLASS(TwwDataSource, TDataSource, )

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
  Destroying();
  OnStateChange = nullptr;
  // A link's owner may raise while it hears of the change; the source goes regardless (the
  // dataset and the links have let go of it before anything is told).
  try {
    SetDataSet(nullptr);
  } catch (...) {
  }
  while (!Links_.empty()) {
    try {
      RemoveLink(Links_.back());
    } catch (...) {
    }
  }
}

void TDataSource::SetDataSet(TDataSet* Value) {
  if (Value != nullptr && LinksBackTo(Value)) RaiseDataError(LoadResString(SCircularDataLink), this);
  if (DataSet_ != nullptr) DataSet_->DetachSource(this);
  if (Value != nullptr) Value->AttachSource(this);
}

void TDataSource::SetEnabled(bool Value) {
  Enabled_ = Value;
  SyncMode();
}

bool TDataSource::LinksBackTo(const TDataSet* Value) const {
  // The chain of masters is short; the bound only keeps a broken chain from looping.
  for (int step = 0; Value != nullptr && step < 1000; ++step) {
    const TDataSource* master = Value->MasterDataSource();
    if (master == nullptr) return false;
    if (master == this) return true;
    Value = master->DataSet();
  }
  return false;
}

void TDataSource::AddLink(TDataLink* Link) {
  Links_.push_back(Link);
  RebuildDispatchOrder();
  Link->DataSource_ = this;
  if (DataSet_ != nullptr) DataSet_->RecountWindow();
  Link->SyncMode();
}

void TDataSource::RemoveLink(TDataLink* Link) {
  Link->DataSource_ = nullptr;
  std::erase(Links_, Link);
  RebuildDispatchOrder();
  Link->SyncMode();
  if (DataSet_ != nullptr) DataSet_->RecountWindow();
}

void TDataSource::SyncMode() {
  SetSourceMode(Enabled_ && DataSet_ != nullptr ? DataSet_->Mode() : dmInactive);
}

void TDataSource::SetSourceMode(TDataSetMode Value) {
  if (Value == SourceMode_) return;
  const TDataSetMode previous = SourceMode_;
  SourceMode_ = Value;
  NotifyLinks(dnUpdateState, 0);
  if (!IsDestroying()) {
    if (OnStateChange) OnStateChange(this);
    if (previous == dmInactive && OnDataChange) OnDataChange(this, nullptr);
  }
}

void TDataSource::DispatchEvent(TDataNotice Notice, TNoticeInfo Info) {
  if (Notice == dnUpdateState) {
    SyncMode();
    return;
  }
  if (SourceMode_ == dmInactive) return;
  for (size_t i = 0; i < DispatchOrder_.size(); ++i)  // NotifyLinks, on the path of every move
    DispatchOrder_[i]->ReceiveEvent(Notice, Info);
  if (!OnDataChange && !OnUpdateData) return;
  switch (Notice) {
    case dnFieldChange:
      if (OnDataChange) OnDataChange(this, NoticeField(Info));
      break;
    case dnRecordChange:
    case dnDataSetChange:
    case dnDataSetScroll:
    case dnLayoutChange:
      if (OnDataChange) OnDataChange(this, nullptr);
      break;
    case dnUpdateRecord:
      if (OnUpdateData) OnUpdateData(this);
      break;
    default:
      break;
  }
}

void TDataSource::RebuildDispatchOrder() {
  // Non-visual links (a detail table's master link) hear first, then the controls; in each
  // group the newest link first.
  DispatchOrder_.clear();
  for (bool visual : {false, true}) {
    for (auto it = Links_.rbegin(); it != Links_.rend(); ++it) {
      if ((*it)->IsVisual() == visual) DispatchOrder_.push_back(*it);
    }
  }
}

void TDataSource::NotifyLinks(TDataNotice Notice, TNoticeInfo Info) {
  // A link may come or go meanwhile: index, and check the bound every time.
  for (size_t i = 0; i < DispatchOrder_.size(); ++i)
    DispatchOrder_[i]->ReceiveEvent(Notice, Info);
}

void TDataSource::RequestEdit() {
  if (AutoEdit_ && SourceMode_ == dmBrowse && DataSet_ != nullptr) DataSet_->BeginEdit();
}
