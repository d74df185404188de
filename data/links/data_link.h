#pragma once
// A data link connects one follower of a dataset (a control, a navigator, a detail table) to
// a data source. The source hands it the dataset's notices (ReceiveEvent); each kind of
// link turns them into what its owner needs by overriding the Notify operations.

#include "core/object.h"
#include "data/db_types.h"
#include "data/links/data_source.h"

class TDataLink : public TPersistent {
 public:
  BREVANT_CLASS(TDataLink)

  TDataLink() = default;
  // Leaves its source without notifying its owner.
  ~TDataLink() override;

  TDataSource* DataSource() const { return DataSource_; }
  // Raises "DataSource cannot be changed" (naming the current source) when SourceFixed.
  void SetDataSource(TDataSource* Value);
  TDataSet* DataSet() const { return DataSource_ != nullptr ? DataSource_->DataSet() : nullptr; }
  // The next link in the dataset's chain of the links of all its sources.
  TDataLink* NextLink() const { return NextLink_; }
  // The rows the owner shows at once (at least 1); set with SetBufferSize below.
  int BufferSize() const { return BufferSize_; }
  // The window slot that holds the owner's first row.
  int FirstIndex() const { return FirstIndex_; }
  bool ReadOnly() const { return ReadOnly_; }
  void SetReadOnly(bool Value);
  bool Active() const { return Active_; }
  bool IsVisual() const { return IsVisual_; }
  bool Editing() const { return Editing_; }
  bool InSave() const { return InSave_; }
  bool SourceFixed() const { return SourceFixed_; }
  void SetSourceFixed(bool Value) { SourceFixed_ = Value; }

  // Called by the source: recomputes Active and Editing and tells the owner of changes.
  void SyncMode();
  // Asks the source to begin an edit; answers whether the link is editing now.
  bool RequestEdit();
  // Has the owner write its pending data into the row (InSave meanwhile).
  void SaveRecord();

  // The link's virtual operations, in this order.
  virtual void NotifyActive() {}
  virtual void NotifyBrowseCheck() {}
  virtual void ReceiveEvent(TDataNotice Notice, TNoticeInfo Info);
  virtual void NotifyDataSet() { NotifyRecord(nullptr); }
  virtual void NotifyScroll(int /*Distance*/) { NotifyDataSet(); }
  virtual void NotifyEditing() {}
  virtual void NotifyFocus(TField** /*FieldRef*/) {}
  // The active row's index among the owner's rows.
  virtual int GetActiveIndex() const;
  virtual bool GetAtStart() const;
  virtual int GetBufferSize() const { return BufferSize_; }
  virtual bool GetAtEnd() const;
  // The rows the owner can show now.
  virtual int GetRowCount() const;
  virtual void NotifyLayout() { NotifyDataSet(); }
  virtual int MoveRows(int Distance);
  virtual void NotifyRecord(TField* /*Field*/) {}
  virtual void SetActiveIndex(int Index);
  // Raises "Invalid buffer size %d" below 1; while active the dataset's window follows.
  virtual void SetBufferSize(int Count);
  virtual void PushData() {}

 protected:
  // Which group of links the notices reach first; links set it when they are made.
  void SetIsVisual(bool Value);

 private:
  friend class TDataSource;
  friend class TDataSet;

  void SyncRange();
  void FollowWindow(TDataNotice Notice, TNoticeInfo Info);
  bool InSetKey() const { return DataSource_ != nullptr && DataSource_->SourceMode() == dmSetKey; }

  TDataSource* DataSource_ = nullptr;
  TDataLink* NextLink_ = nullptr;
  int BufferSize_ = 1;
  int FirstIndex_ = 0;
  bool ReadOnly_ = false;
  bool Active_ = false;
  bool IsVisual_ = false;
  bool Editing_ = false;
  bool InSave_ = false;
  bool SourceFixed_ = false;
};
