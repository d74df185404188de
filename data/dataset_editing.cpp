// TDataSet: editing, inserting, posting, cancelling and deleting rows.

#include "data/dataset.h"
#include "data/fields/field.h"

template <class Step>
void TDataSet::RunWithRetry(const TDataSetErrorEvent& Handler, Step&& Step_) {
  for (;;) {
    try {
      SyncCursor();
      Step_();
      return;
    } catch (EDatabaseError& e) {
      TDataAction action = daFail;
      if (Handler) Handler(this, e, action);
      if (action == daFail) throw;
      if (action == daAbort) Abort();
    }
  }
}

void TDataSet::EnsureBrowse() {
  EnsureActive();
  Notify(dnCheckBrowseMode, 0);
  switch (Mode_) {
    case dmEdit:
    case dmInsert:
      CollectEdits();
      if (Modified_) {
        PostRow();
      } else {
        CancelEdit();
      }
      break;
    case dmSetKey:
      PostRow();
      break;
    default:
      break;
  }
}

void TDataSet::CollectEdits() {
  if (Mode_ != dmEdit && Mode_ != dmInsert && Mode_ != dmSetKey)
    RaiseDataError(LoadResString(SNotEditing), this);
  Notify(dnUpdateRecord, 0);
}

void TDataSet::BeginEdit() {
  if (Mode_ == dmEdit || Mode_ == dmInsert) return;
  if (WindowFill_ == 0) {
    InsertRow();
    return;
  }
  EnsureBrowse();
  if (!CanModify()) RaiseDataError(LoadResString(SDataSetReadOnly), this);
  FireBeforeEdit();
  RunWithRetry(OnEditError, [this]() { CoreBeginEdit(); });
  ComputeRowCalcFields(ActiveBuffer());
  ChangeMode(dmEdit);
  Notify(dnRecordChange, 0);
  FireAfterEdit();
}

void TDataSet::BeginInsertAppend() {
  EnsureBrowse();
  if (!CanModify()) RaiseDataError(LoadResString(SDataSetReadOnly), this);
  FireBeforeInsert();
  FireBeforeScroll();
}

void TDataSet::InsertRow() {
  BeginInsertAppend();
  // The new row takes the active slot and remembers the row it stands before.
  TBookmarkBytes before = TakeBookmark();
  ShiftBuffer(WindowFill_, ActiveSlot_);
  TRowBuffer buffer = ActiveBuffer();
  InitRow(buffer);
  if (WindowFill_ == 0) {
    WriteRowMark(buffer, rmBOF);
  } else if (!before.empty()) {
    WriteBookmark(buffer, before.data());
  }
  if (WindowFill_ < WindowSize_) ++WindowFill_;
  CoreBeginInsert();
  EndInsertAppend();
}

void TDataSet::AppendRow() {
  BeginInsertAppend();
  // The new row stands alone after the last row, with the rows before it fetched again.
  EmptyWindow();
  TRowBuffer buffer = RowBuffers_[0];
  InitRow(buffer);
  WriteRowMark(buffer, rmEOF);
  WindowFill_ = 1;
  AtStart_ = false;
  FetchPriorRows();
  CoreBeginInsert();
  EndInsertAppend();
}

void TDataSet::EndInsertAppend() {
  ChangeMode(dmInsert);
  try {
    FireOnNewRecord();
  } catch (...) {
    SyncCursor();
    ReleaseFieldBuffers();
    ChangeMode(dmBrowse);
    Refetch({});
    throw;
  }
  Modified_ = false;
  Notify(dnDataSetChange, 0);
  FireAfterInsert();
  FireAfterScroll();
}

void TDataSet::CheckRequiredFields() {
  for (int i = 0; i < FieldObjects_->Count(); ++i) {
    TField* field = FieldObjects_->Fields(i);
    if (field->FieldKind() == fkData && field->Required() && !field->ReadOnly() && field->ValueIsNull()) {
      field->FocusControl();
      RaiseDataErrorFmt(LoadResString(SFieldRequired), {field->ShownName()}, nullptr);
    }
  }
}

void TDataSet::PostRow() {
  CollectEdits();
  if (Mode_ != dmEdit && Mode_ != dmInsert) return;
  Notify(dnCheckBrowseMode, 0);
  CheckRequiredFields();
  FireBeforePost();
  RunWithRetry(OnPostError, [this]() { CorePost(); });
  ReleaseFieldBuffers();
  ChangeMode(dmBrowse);
  Refetch({});
  FireAfterPost();
}

void TDataSet::CancelEdit() {
  if (Mode_ != dmEdit && Mode_ != dmInsert) return;
  Notify(dnCheckBrowseMode, 0);
  FireBeforeCancel();
  const bool inserting = Mode_ == dmInsert;
  if (inserting) FireBeforeScroll();
  SyncCursor();
  CoreCancelEdit();
  ReleaseFieldBuffers();
  ChangeMode(dmBrowse);
  Refetch({});
  FireAfterCancel();
  if (inserting) FireAfterScroll();
}

void TDataSet::DeleteRow() {
  EnsureActive();
  if (Mode_ == dmInsert || Mode_ == dmSetKey) {
    CancelEdit();
    return;
  }
  if (WindowFill_ == 0) RaiseDataError(LoadResString(SDataSetEmpty), this);
  Notify(dnCheckBrowseMode, 0);
  FireBeforeDelete();
  FireBeforeScroll();
  RunWithRetry(OnDeleteError, [this]() { CoreDelete(); });
  ReleaseFieldBuffers();
  ChangeMode(dmBrowse);
  Refetch({});
  FireAfterDelete();
  FireAfterScroll();
}

void TDataSet::RefreshRows() {
  EnsureBrowse();
  SyncCursor();
  CoreRefresh();
  Refetch({});
}
