#pragma once
// TDataSet: the engine-independent dataset. It keeps a window of row buffers over a cursor
// that a concrete dataset supplies through the abstract operations below, moves through it,
// tracks its mode and tells its data sources what happened.
//
// The window: RowBuffers holds WindowSize + 1 buffers while open; slots 0 to WindowFill - 1
// hold valid rows, slot WindowFill is the spare that rows are fetched into. Rows are never
// copied: the window only moves buffer pointers.
//
// Writing a concrete dataset: see data/README.md. In short, implement the abstract
// operations, and close the dataset in your own destructor with CloseForDestruction(): the
// base destructor runs after yours, when your operations can no longer be called.

#include <cassert>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/component.h"
#include "core/streams.h"
#include "data/data_strings.h"
#include "data/db_error.h"
#include "data/db_types.h"
#include "data/fields/field_defs.h"
#include "data/fields/fields_list.h"

class TDataSource;
class TDataLink;
class TField;

using TBookmarkBytes = std::vector<char>;

class TDataSet : public TComponent {
 public:
  BREVANT_CLASS(TDataSet)

  explicit TDataSet(TComponent* AOwner);
  // Safe even when a descendant did not close: no abstract operation is called here.
  ~TDataSet() override;

  // ---- State ----------------------------------------------------------------------------
  bool Active() const { return Mode_ != dmInactive; }
  // Opens or closes. While a layout is being read only the wish is recorded; it is applied
  // once the layout is loaded.
  virtual void SetActive(bool Value);
  TDataSetMode Mode() const { return Mode_; }
  bool AtStart() const { return AtStart_; }
  bool AtEnd() const { return AtEnd_; }
  bool HasNoRows() const { return ActiveSlot_ >= WindowFill_; }
  int WindowSize() const { return WindowSize_; }
  int WindowFill() const { return WindowFill_; }
  int ActiveSlot() const { return ActiveSlot_; }
  // A field of the active row was changed in edit or insert mode.
  bool Modified() const { return Modified_; }
  bool AutoCalcFields() const { return AutoCalcFields_; }
  void SetAutoCalcFields(bool Value) { AutoCalcFields_ = Value; }
  // Rows per block read; a value above 0 switches to dmBlockRead, 0 back to dmBrowse.
  int BlockReadSize() const { return BlockReadSize_; }
  virtual void SetBlockReadSize(int Value);
  bool ObjectView() const { return ObjectView_; }
  void SetObjectView(bool Value) { ObjectView_ = Value; }

  // ---- Moving ---------------------------------------------------------------------------
  // Moves by Distance rows and answers the signed number of rows actually moved.
  int GoRows(int Distance);
  int GoNext();
  int GoPrior();
  void GoFirst();
  void GoLast();

  // ---- Editing --------------------------------------------------------------------------
  void BeginEdit();
  void InsertRow();
  void AppendRow();
  virtual void PostRow();
  virtual void CancelEdit();
  void DeleteRow();
  // Reads the rows around the active one again.
  void RefreshRows();
  virtual bool CanModify() const { return true; }
  // Whether a field is part of the key being searched for (tables).
  virtual bool IsIndexField(const TField* /*Field*/) const { return false; }

  // Raise "Cannot perform this operation on a closed/open dataset"; EnsureInactive closes
  // instead while designing or updating. EnsureActive starts every move and stays inline.
  void EnsureActive() const {
    if (Mode_ == dmInactive) RaiseClosed();
  }
  virtual void EnsureInactive();
  // Leaves edit or insert mode: posts a modified row, cancels an unmodified one.
  void EnsureBrowse();
  // Has the controls write their pending edits into the row (dnUpdateRecord).
  void CollectEdits();

  // The number of rows, and the 1-based number of the active row; -1 when the cursor cannot
  // tell (the base).
  virtual int RowCount() const { return -1; }
  virtual int RowNumber() const { return -1; }

  // The active row's bookmark (empty without rows), and moving back to it.
  TBookmarkBytes TakeBookmark();
  void GoToBookmark(const TBookmarkBytes& Bookmark);

  // ---- Fields ---------------------------------------------------------------------------
  TFields* FieldObjects() const { return FieldObjects_.get(); }
  TFields* AggregateFields() const { return AggregateFields_.get(); }
  TFieldDefs* FieldDefs() const { return FieldDefs_.get(); }
  TFieldDefList* FlatFieldDefs() const { return FlatFieldDefs_.get(); }
  // The field named Name (any case), or none / or "Field '%s' not found".
  TField* SeekField(const std::string& Name) const;
  TField* FieldNamed(const std::string& Name) const;
  TField* FieldNumbered(int ColumnNo) const;
  // Refreshes FieldDefs from the cursor, opening one just for that when there is none.
  virtual void LoadFieldDefs();
  // A definition collection of this dataset changed.
  virtual void DefinitionsChanged(TDefCollection* Defs);

  // ---- Values ---------------------------------------------------------------------------
  // Copies the field's raw value of the active row into Buffer (none: only asks); false for
  // null, no active row or a closed dataset. The base has no rows and answers false.
  virtual bool ReadFieldData(TField* Field, void* Buffer);
  virtual bool ReadFieldData(int ColumnNo, void* Buffer);
  // Stores a raw value (none: null) into the active row.
  virtual void WriteFieldData(TField* Field, const void* Buffer) = 0;
  // A stream over the blob of the active row, owned by the caller; none in the base.
  virtual std::unique_ptr<TStream> OpenBlobStream(TField* Field, TBlobStreamMode Mode);
  // Frees the pending blob of the active row.
  virtual void ReleaseBlob(TField* /*Field*/) {}
  // Character-set conversion toward the engine (ToEngine) or back; Source may be Dest.
  virtual void ConvertText(const std::string& Source, std::string& Dest, bool ToEngine);

  // ---- Notices --------------------------------------------------------------------------
  virtual void Notify(TDataNotice Notice, TNoticeInfo Info);
  void SuspendViews();
  void ResumeViews();
  bool ViewsSuspended() const { return SuspendCount_ > 0; }

  // ---- Data sources ---------------------------------------------------------------------
  void AttachSource(TDataSource* Source);
  void DetachSource(TDataSource* Source);
  int DataSourceCount() const { return static_cast<int>(DataSources_.size()); }
  // Raises EListError for an index outside the list.
  TDataSource* DataSources(int Index) const;
  // The source this dataset follows (a table's master source), or none.
  virtual TDataSource* MasterDataSource() const { return nullptr; }
  // Whether Source shows this dataset or a dataset that follows this one.
  bool IsLinkedTo(const TDataSource* Source) const;

  // Reads a row window again around the cursor's row (after post, cancel, delete, refresh).
  virtual void Refetch(TRefetchOptions Options);

  // ---- Events ---------------------------------------------------------------------------
  TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose, BeforeInsert, AfterInsert, BeforeEdit,
      AfterEdit, BeforePost, AfterPost, BeforeCancel, AfterCancel, BeforeDelete, AfterDelete, BeforeScroll,
      AfterScroll, OnNewRecord, OnCalcFields;
  TDataSetErrorEvent OnEditError, OnPostError, OnDeleteError;
  // Hears every notice that reaches the data sources (a design tool).
  std::function<void(TDataSet*, TDataNotice, TNoticeInfo)> DesignObserver;

  // Stored layouts: declared fields nest under their dataset.
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

 protected:
  // ---- The abstract operations a concrete dataset supplies ------------------------------
  virtual TRowBuffer NewRowBuffer() = 0;
  virtual void DisposeRowBuffer(TRowBuffer& Buffer) = 0;
  virtual void ReadBookmark(TRowBuffer Buffer, void* Dest) = 0;
  virtual TRowMark ReadRowMark(TRowBuffer Buffer) = 0;
  virtual TFetchResult FetchRow(TRowBuffer Buffer, TFetchMode Mode, bool Check) = 0;
  virtual uint16_t RowSize() = 0;
  virtual void CoreAddRow(TRowBuffer Buffer, bool Append) = 0;
  virtual void CoreClose() = 0;
  virtual void CoreDelete() = 0;
  virtual void CoreToStart() = 0;
  virtual void CoreToBookmark(const void* Bookmark) = 0;
  virtual void CoreShowException() = 0;
  virtual void CoreDescribeFields() = 0;
  virtual void CoreClearRow(TRowBuffer Buffer) = 0;
  virtual void CoreToEnd() = 0;
  virtual void CoreOpen() = 0;
  virtual void CorePost() = 0;
  virtual void CoreToRow(TRowBuffer Buffer) = 0;
  virtual bool CoreIsOpen() = 0;
  virtual void WriteRowMark(TRowBuffer Buffer, TRowMark Mark) = 0;
  virtual void WriteBookmark(TRowBuffer Buffer, const void* Bookmark) = 0;

  // The engine's steps around editing; nothing in the base.
  virtual void CoreBeginEdit() {}
  virtual void CoreCancelEdit() {}
  virtual void CoreBeginInsert() {}
  virtual void CoreRefresh() {}

  // ---- Hooks: each runs its event handler when one is assigned ---------------------------
  virtual void FireAfterCancel();
  virtual void FireAfterClose();
  virtual void FireAfterDelete();
  virtual void FireAfterEdit();
  virtual void FireAfterInsert();
  virtual void FireAfterOpen();
  virtual void FireAfterPost();
  virtual void FireAfterScroll();
  virtual void FireBeforeCancel();
  virtual void FireBeforeClose();
  virtual void FireBeforeDelete();
  virtual void FireBeforeEdit();
  virtual void FireBeforeInsert();
  virtual void FireBeforeOpen();
  virtual void FireBeforePost();
  virtual void FireBeforeScroll();
  virtual void FireOnCalcFields();
  virtual void FireOnNewRecord();

  // ---- Opening and closing --------------------------------------------------------------
  // Opens the cursor (InfoOnly: only describes the columns). The base runs RunOpen, or
  // CoreDescribeFields when InfoOnly.
  virtual void StartCursor(bool InfoOnly);
  // The base runs RunClose.
  virtual void StopCursor();
  void RunOpen();
  void RunClose();
  // For a descendant's destructor: marks the dataset as being destroyed and closes it
  // without the close hooks. Never raises; does nothing once closed, so every class of a
  // chain that overrides part of closing can call it in its own destructor.
  void CloseForDestruction() noexcept;
  void Loaded() override;

  // ---- Modes ----------------------------------------------------------------------------
  void ChangeMode(TDataSetMode Value);
  // Temporary modes without notices; LeaveTempMode gets the value EnterTempMode returned.
  TDataSetMode EnterTempMode(TDataSetMode Value);
  void LeaveTempMode(TDataSetMode Saved);
  void SetModified(bool Value) { Modified_ = Value; }
  virtual int NextBlock();

  // ---- The row window -------------------------------------------------------------------
  virtual void EmptyWindow();
  virtual void OpenWindow();
  // Moves the buffer at From to To, shifting the ones between by one slot.
  void ShiftBuffer(int From, int To) {
    if (From - To == 1 || To - From == 1) {
      std::swap(RowBuffers_[static_cast<size_t>(From)], RowBuffers_[static_cast<size_t>(To)]);
    } else {
      RotateBuffers(From, To);
    }
  }
  // Puts the cursor on the row of a slot unless it stands there (CursorSlot).
  void PlaceCursor(int Slot) {
    if (Slot != CursorSlot_) MoveCursorTo(Slot);
  }
  void SyncCursor();
  void ForgetCursor() { CursorSlot_ = -1; }
  // The window's own steps (not overridable: every move runs them).
  bool FetchNextRow();
  bool FetchPriorRow();
  virtual int FetchNextRows();
  virtual int FetchPriorRows();
  void RecountWindow();
  void ResizeWindow(int Size);
  void ResizeBufferList(int Count);
  int CursorSlot() const { return CursorSlot_; }
  int BufferCount() const { return static_cast<int>(RowBuffers_.size()); }
  TRowBuffer RowBuffer(int Index) const {
    assert(Index >= 0 && Index < BufferCount() && "a row buffer of the window");
    return RowBuffers_[static_cast<size_t>(Index)];
  }
  // The active row lies within the window's buffers, however few rows the window holds.
  TRowBuffer ActiveBuffer() const {
    assert(ActiveSlot_ >= 0 && ActiveSlot_ < BufferCount() && "the active row lies within the window");
    return RowBuffers_[static_cast<size_t>(ActiveSlot_)];
  }
  TRowBuffer SpareBuffer() const {
    assert(WindowFill_ >= 0 && WindowFill_ < BufferCount() && "the window keeps a spare buffer");
    return RowBuffers_[static_cast<size_t>(WindowFill_)];
  }
  // The buffer whose calculated fields are being computed (dmCalcFields).
  TRowBuffer CalcBuffer() const { return CalcBuffer_; }
  bool OpenOK() const { return OpenOK_; }
  bool MadeDefaultFields() const { return MadeDefaultFields_; }
  int BookmarkSize() const { return BookmarkSize_; }
  void SetBookmarkSize(int Value) { BookmarkSize_ = Value; }

  // ---- Fields ---------------------------------------------------------------------------
  void MakeDefaultFields();
  virtual void DropDefaultFields();
  void BindFieldObjects(bool Binding);
  virtual void ReleaseFieldBuffers();
  virtual const TClassInfo* FieldClassFor(TFieldType Type) const;
  int CalcAreaSize() const { return CalcAreaSize_; }
  int BlobFieldCount() const { return BlobFieldCount_; }
  bool HasInternalCalcFields() const { return InternalCalc_; }
  int FieldNumberOffset() const { return FieldNumberOffset_; }

  // Prepares a buffer for a new row: blank row, empty calculated area, marked inserted.
  virtual void InitRow(TRowBuffer Buffer);
  // Computes the calculated fields of a fetched row (in dmCalcFields) when there are any.
  virtual void ComputeRowCalcFields(TRowBuffer Buffer);
  // Clears the calculated area (except in dmInternalCalc), then runs OnCalcFields.
  virtual void ComputeCalcFields(TRowBuffer Buffer);
  virtual void ClearCalcArea(TRowBuffer /*Buffer*/) {}
  virtual void RefreshInternalCalcFields(TRowBuffer /*Buffer*/) {}

 private:
  friend class TDataLink;
  friend class TDataSource;

  void RotateBuffers(int From, int To);
  void MoveCursorTo(int Slot);
  [[noreturn]] void RaiseClosed() const;
  void FinishOpen();
  void NoticeWork(TDataNotice Notice, TNoticeInfo Info);
  void Close();
  void BeginInsertAppend();
  void EndInsertAppend();
  void CheckRequiredFields();
  // Runs Step after placing the cursor; an EDatabaseError goes to Handler, which may retry.
  template <class Step>
  void RunWithRetry(const TDataSetErrorEvent& Handler, Step&& Step_);
  void SetActiveSlot(int Value);

  TDataSetMode Mode_ = dmInactive;
  std::vector<TRowBuffer> RowBuffers_;
  int WindowSize_ = 0;
  int WindowFill_ = 0;
  int ActiveSlot_ = 0;
  int CursorSlot_ = -1;
  bool AtStart_ = true;
  bool AtEnd_ = true;
  bool OpenOK_ = false;
  bool MadeDefaultFields_ = false;
  bool StreamedActive_ = false;
  bool Modified_ = false;
  int SuspendCount_ = 0;
  TDataSetMode SavedMode_ = dmInactive;
  TDataNotice RememberedNotice_ = dnDataSetChange;
  bool BaseDestroyed_ = false;

  std::vector<TDataSource*> DataSources_;
  TDataLink* FirstLink_ = nullptr;

  std::unique_ptr<TFieldDefs> FieldDefs_;
  std::unique_ptr<TFieldDefList> FlatFieldDefs_;
  std::unique_ptr<TFields> FieldObjects_;
  std::unique_ptr<TFields> AggregateFields_;
  int CalcAreaSize_ = 0;
  int BlobFieldCount_ = 0;
  bool InternalCalc_ = false;
  int FieldNumberOffset_ = 1;
  bool AutoCalcFields_ = true;
  int BlockReadSize_ = 0;
  bool ObjectView_ = false;
  int BookmarkSize_ = 0;
  TRowBuffer CalcBuffer_ = nullptr;
};

// SeekField on DataSet, but a missing field raises "Field '%s' not found" naming Control.
TField* FieldForControl(TDataSet* DataSet, const TComponent* Control, const std::string& Name);
