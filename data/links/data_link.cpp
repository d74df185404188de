#include "data/links/data_link.h"

#include <algorithm>

#include "core/rtti.h"
#include "data/dataset.h"
#include "data/links/data_source.h"

BREVANT_DEFINE_CLASS(TDataLink, TPersistent, )

TDataLink::~TDataLink() {
  Active_ = false;
  Editing_ = false;
  SourceFixed_ = false;
  if (DataSource_ == nullptr) return;
  try {
    SetDataSource(nullptr);
  } catch (...) {
    // Only the dataset's re-fetch can raise here; the link is out of the list by then.
  }
}

void TDataLink::SetIsVisual(bool Value) {
  if (Value == IsVisual_) return;
  IsVisual_ = Value;
  if (DataSource_ != nullptr) DataSource_->RebuildDispatchOrder();
}

void TDataLink::SetDataSource(TDataSource* Value) {
  if (Value == DataSource_) return;
  if (SourceFixed_) RaiseDataError(LoadResString(SDataSourceFixed), DataSource_);
  if (DataSource_ != nullptr) DataSource_->RemoveLink(this);
  if (Value != nullptr) Value->AddLink(this);
}

void TDataLink::SetReadOnly(bool Value) {
  if (Value == ReadOnly_) return;
  ReadOnly_ = Value;
  SyncMode();
}

void TDataLink::SyncMode() {
  const TDataSetMode mode = DataSource_ != nullptr ? DataSource_->SourceMode() : dmInactive;
  const bool active = mode != dmInactive;
  const bool editing = (mode == dmEdit || mode == dmInsert || mode == dmSetKey) && !ReadOnly_;
  if (active != Active_) {
    Active_ = active;
    if (active) {
      SyncRange();
    } else {
      FirstIndex_ = 0;
    }
    NotifyActive();
  }
  if (editing != Editing_) {
    Editing_ = editing;
    NotifyEditing();
  }
}

void TDataLink::SyncRange() {
  const TDataSet* dataSet = DataSet();
  if (dataSet == nullptr) return;
  const int lowest = std::max(dataSet->ActiveSlot() - BufferSize_ + 1, 0);
  const int highest = std::min(std::max(dataSet->WindowSize() - BufferSize_, 0), dataSet->ActiveSlot());
  if (FirstIndex_ < lowest) FirstIndex_ = lowest;
  if (FirstIndex_ > highest) FirstIndex_ = highest;
}

void TDataLink::ReceiveEvent(TDataNotice Notice, TNoticeInfo Info) {
  if (Notice == dnUpdateState) {
    SyncMode();
    return;
  }
  if (!Active_) return;
  // Every move brings these two; they are tested first.
  if (Notice == dnCheckBrowseMode) {
    NotifyBrowseCheck();
    return;
  }
  if (Notice == dnDataSetScroll || Notice == dnDataSetChange || Notice == dnLayoutChange) {
    FollowWindow(Notice, Info);
    return;
  }
  switch (Notice) {
    case dnFieldChange:
    case dnRecordChange:
      if (!InSave_) NotifyRecord(Notice == dnFieldChange ? NoticeField(Info) : nullptr);
      break;
    case dnUpdateRecord:
      SaveRecord();
      break;
    case dnFocusControl:
      NotifyFocus(NoticeFieldRef(Info));
      break;
    default:
      break;
  }
}

void TDataLink::FollowWindow(TDataNotice Notice, TNoticeInfo Info) {
  // Keep the active row among the owner's rows, moving FirstIndex as little as possible.
  int shift = 0;
  if (!InSetKey()) {
    const int active = DataSource_->DataSet()->ActiveSlot();
    const int first = FirstIndex_ + static_cast<int>(Info);
    const int last = first + BufferSize_ - 1;
    if (active > last) {
      shift = active - last;
    } else if (active < first) {
      shift = active - first;
    }
    FirstIndex_ = first + shift;
  }
  if (Notice == dnDataSetScroll) {
    NotifyScroll(shift);
  } else if (Notice == dnDataSetChange) {
    NotifyDataSet();
  } else {
    NotifyLayout();
  }
}

// Without a dataset the link shows no rows: the answers below are those of an empty window.
int TDataLink::GetActiveIndex() const {
  const TDataSet* dataSet = DataSet();
  if (dataSet == nullptr || InSetKey()) return 0;
  return dataSet->ActiveSlot() - FirstIndex_;
}

bool TDataLink::GetAtStart() const {
  const TDataSet* dataSet = DataSet();
  return dataSet == nullptr || dataSet->AtStart();
}

bool TDataLink::GetAtEnd() const {
  const TDataSet* dataSet = DataSet();
  return dataSet == nullptr || dataSet->AtEnd();
}

int TDataLink::GetRowCount() const {
  const TDataSet* dataSet = DataSet();
  if (dataSet == nullptr) return 0;
  if (InSetKey()) return 1;
  return std::min(dataSet->WindowFill(), BufferSize_);
}

int TDataLink::MoveRows(int Distance) {
  TDataSet* dataSet = DataSet();
  return dataSet == nullptr ? 0 : dataSet->GoRows(Distance);
}

void TDataLink::SetActiveIndex(int Index) {
  TDataSet* dataSet = DataSet();
  if (dataSet != nullptr && !InSetKey()) dataSet->SetActiveSlot(Index + FirstIndex_);
}

void TDataLink::SetBufferSize(int Count) {
  if (Count < 1) throw EDatabaseError(Format(LoadResString(SInvalidBufferSize), Count));
  if (Count == BufferSize_) return;
  BufferSize_ = Count;
  if (!Active_) return;
  SyncRange();
  DataSet()->RecountWindow();
  SyncRange();
}

bool TDataLink::RequestEdit() {
  if (!ReadOnly_ && DataSource_ != nullptr) DataSource_->RequestEdit();
  return Editing_;
}

void TDataLink::SaveRecord() {
  InSave_ = true;
  try {
    PushData();
  } catch (...) {
    InSave_ = false;
    throw;
  }
  InSave_ = false;
}
