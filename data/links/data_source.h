#pragma once
// A data source stands between a dataset and everything that shows or follows its rows: it
// passes the dataset's notices on to its data links, non-visual links first, newest first.

#include <vector>

#include "core/component.h"
#include "data/db_types.h"

class TDataLink;

class TDataSource : public TComponent {
 public:
  BREVANT_CLASS(TDataSource)

  explicit TDataSource(TComponent* AOwner);
  // Leaves its dataset (its links become inactive) and lets go of every link, newest first.
  ~TDataSource() override;

  TDataSet* DataSet() const { return DataSet_; }
  // Raises "Circular datalinks are not allowed" (naming this source) when the dataset follows
  // this source, directly or through its masters; the old dataset then stays.
  void SetDataSet(TDataSet* Value);
  // False makes the source look inactive to its links.
  bool Enabled() const { return Enabled_; }
  void SetEnabled(bool Value);
  // Lets a link's edit request put the dataset into edit mode.
  bool AutoEdit() const { return AutoEdit_; }
  void SetAutoEdit(bool Value) { AutoEdit_ = Value; }
  // The dataset's mode, or dmInactive without a dataset or while disabled.
  TDataSetMode SourceMode() const { return SourceMode_; }
  const std::vector<TDataLink*>& Links() const { return Links_; }

  TNotifyEvent OnStateChange;
  TDataChangeEvent OnDataChange;
  TNotifyEvent OnUpdateData;

  // Called by a link when its source changes.
  void AddLink(TDataLink* Link);
  void RemoveLink(TDataLink* Link);
  // Called by the dataset when it attaches or detaches this source.
  void SyncMode();
  // Called by the dataset's Notify.
  void DispatchEvent(TDataNotice Notice, TNoticeInfo Info);
  // Begins an edit of the active row when AutoEdit allows it and the dataset is browsing.
  void RequestEdit();
  // Whether DataSet follows this source: through its master source, and that dataset's...
  bool LinksBackTo(const TDataSet* Value) const;

 private:
  friend class TDataSet;
  friend class TDataLink;

  void SetSourceMode(TDataSetMode Value);
  void NotifyLinks(TDataNotice Notice, TNoticeInfo Info);

  void RebuildDispatchOrder();

  TDataSet* DataSet_ = nullptr;
  std::vector<TDataLink*> Links_;
  // Links_ in the order notices reach them: non-visual newest first, then visual newest first.
  std::vector<TDataLink*> DispatchOrder_;
  bool Enabled_ = true;
  bool AutoEdit_ = true;
  TDataSetMode SourceMode_ = dmInactive;
};

// Behaves exactly as TDataSource; data-aware controls of its family look for this class.
class TwwDataSource : public TDataSource {
 public:
  BREVANT_CLASS(TwwDataSource)
  using TDataSource::TDataSource;
};
