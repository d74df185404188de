#include "data/links/master_data_link.h"

#include <algorithm>

#include "core/rtti.h"
#include "core/text.h"
#include "data/dataset.h"
#include "data/links/data_source.h"

BREVANT_DEFINE_CLASS(TDetailDataLink, TDataLink, )
BREVANT_DEFINE_CLASS(TMasterDataLink, TDetailDataLink, )

void TMasterDataLink::SetFieldNames(const std::string& Value) {
  if (Value == FieldNames_) return;
  FieldNames_ = Value;
  NotifyActive();
}

bool TMasterDataLink::OwnerOpen() const {
  return OwnerTable_ != nullptr && OwnerTable_->Active() && !OwnerTable_->IsDestroying();
}

void TMasterDataLink::NotifyActive() {
  Fields_.clear();
  if (Active()) {
    try {
      for (const std::string& name : SplitNames(FieldNames_))
        Fields_.push_back(DataSet()->FieldNamed(name));
    } catch (...) {
      Fields_.clear();
      throw;
    }
  }
  if (!OwnerOpen()) return;
  if (Active() && !Fields_.empty()) {
    if (OnMasterChange) OnMasterChange(this);
  } else if (OnMasterDisable) {
    OnMasterDisable(this);
  }
}

void TMasterDataLink::NotifyRecord(TField* Field) {
  if (DataSource() == nullptr || DataSource()->SourceMode() == dmSetKey || !OwnerOpen() || Fields_.empty())
    return;
  if (Field != nullptr && std::find(Fields_.begin(), Fields_.end(), Field) == Fields_.end()) return;
  if (OnMasterChange) OnMasterChange(this);
}

void TMasterDataLink::NotifyBrowseCheck() {
  if (OwnerOpen()) OwnerTable_->EnsureBrowse();
}
