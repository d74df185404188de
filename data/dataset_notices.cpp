// TDataSet: notices to data sources, suspended views and mode changes.

#include "data/dataset.h"
#include "data/fields/field.h"
#include "data/links/data_link.h"
#include "data/links/data_source.h"

void TDataSet::Notify(TDataNotice Notice, TNoticeInfo Info) {
  // The dataset's own work comes first; a move's notices have none outside block reading.
  if (Notice != dnCheckBrowseMode && Notice != dnUpdateState &&
      !((Notice == dnDataSetScroll || Notice == dnDataSetChange) && Mode_ != dmBlockRead)) {
    NoticeWork(Notice, Info);
  }
  if (SuspendCount_ > 0 || Mode_ == dmBlockRead) {
    if ((Notice == dnUpdateState && Mode_ == dmInactive) || Notice == dnLayoutChange) {
      RememberedNotice_ = dnLayoutChange;
    }
    return;
  }
  // A handler may detach a source meanwhile: index, and check the bound each time.
  for (size_t i = 0; i < DataSources_.size(); ++i)
    DataSources_[i]->DispatchEvent(Notice, Info);
  if (DesignObserver) DesignObserver(this, Notice, Info);
}

void TDataSet::NoticeWork(TDataNotice Notice, TNoticeInfo Info) {
  switch (Notice) {
    case dnFieldChange: {
      TField* field = NoticeField(Info);
      if (field->FieldKind() == fkData || field->FieldKind() == fkInternalCalc) Modified_ = true;
      if (Mode_ != dmSetKey && field->FieldKind() == fkData) {
        if (!RowBuffers_.empty()) {
          if (InternalCalc_) {
            RefreshInternalCalcFields(ActiveBuffer());
          } else if (CalcAreaSize_ != 0 && AutoCalcFields_) {
            ComputeCalcFields(ActiveBuffer());
          }
        }
        field->Change();
      }
      break;
    }
    case dnDataSetChange:
    case dnDataSetScroll:
      // While reading blocks only the non-visual links follow, and they hear of it directly.
      for (size_t s = 0; s < DataSources_.size(); ++s) {
        const std::vector<TDataLink*>& links = DataSources_[s]->Links();
        for (size_t i = links.size(); i-- > 0;) {
          if (i < links.size() && !links[i]->IsVisual()) links[i]->ReceiveEvent(Notice, Info);
        }
      }
      break;
    case dnPropertyChange:
      FieldDefs_->SetUpdated(false);
      break;
    default:
      // dnLayoutChange and dnFieldListChange would mark a flat list of child fields out of
      // date; object fields here have no child fields, so there is none to mark.
      break;
  }
}

void TDataSet::SuspendViews() {
  if (SuspendCount_ == 0) {
    SavedMode_ = Mode_;
    RememberedNotice_ = dnDataSetChange;
  }
  ++SuspendCount_;
}

void TDataSet::ResumeViews() {
  if (SuspendCount_ == 0) return;
  if (--SuspendCount_ > 0) return;
  if (Mode_ != SavedMode_) Notify(dnUpdateState, 0);
  if (SavedMode_ != dmInactive && Mode_ != dmInactive) Notify(RememberedNotice_, 0);
}

void TDataSet::ChangeMode(TDataSetMode Value) {
  if (Value == Mode_) return;
  Mode_ = Value;
  Modified_ = false;
  Notify(dnUpdateState, 0);
}

TDataSetMode TDataSet::EnterTempMode(TDataSetMode Value) {
  const TDataSetMode old = Mode_;
  Mode_ = Value;
  ++SuspendCount_;
  Modified_ = false;
  return old;
}

void TDataSet::LeaveTempMode(TDataSetMode Saved) {
  Mode_ = Saved;
  if (SuspendCount_ > 0) --SuspendCount_;
  Modified_ = false;
}
