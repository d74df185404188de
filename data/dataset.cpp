// TDataSet: construction, opening and closing, loading, checks, data sources, hooks.

#include "data/dataset.h"

#include "core/core_strings.h"
#include "core/rtti.h"
#include "data/fields/field.h"
#include "data/links/data_link.h"
#include "data/links/data_source.h"

BREVANT_DEFINE_CLASS(TDataSet, TComponent, )

TDataSet::TDataSet(TComponent* AOwner)
    : TComponent(AOwner),
      FieldDefs_(std::make_unique<TFieldDefs>(this)),
      FlatFieldDefs_(std::make_unique<TFieldDefList>(this)),
      FieldObjects_(
          std::make_unique<TFields>(this, TFieldKinds{fkData, fkCalculated, fkLookup, fkInternalCalc})),
      AggregateFields_(std::make_unique<TFields>(this, TFieldKinds{fkAggregate})) {
  EmptyWindow();
}

TDataSet::~TDataSet() {
  // The descendant's part is gone: from here on no operation of it may be called.
  BaseDestroyed_ = true;
  Destroying();
  Mode_ = dmInactive;
  while (!DataSources_.empty())
    DetachSource(DataSources_.back());
  // Declared fields belong to their window and outlive the dataset's lists.
  for (TFields* list : {FieldObjects_.get(), AggregateFields_.get()}) {
    for (int i = 0; i < list->Count(); ++i) {
      TField* field = list->Fields(i);
      field->HostDataSet_ = nullptr;
      field->OwnerList_ = nullptr;
      field->ColumnNo_ = 0;
    }
  }
}

void TDataSet::SetActive(bool Value) {
  if (IsReading()) {
    StreamedActive_ = Value;
    return;
  }
  if (Value == Active()) return;
  if (!Value) {
    Close();
    return;
  }
  FireBeforeOpen();
  try {
    StartCursor(false);
  } catch (...) {
    FinishOpen();
    throw;
  }
  FinishOpen();
  FireAfterOpen();
  FireAfterScroll();
}

void TDataSet::FinishOpen() {
  if (OpenOK_) {
    ChangeMode(dmBrowse);
  } else {
    ChangeMode(dmInactive);
    StopCursor();
  }
}

void TDataSet::Close() {
  if (!IsDestroying()) FireBeforeClose();
  ChangeMode(dmInactive);
  StopCursor();
  if (!IsDestroying()) FireAfterClose();
}

void TDataSet::StartCursor(bool InfoOnly) {
  if (InfoOnly) {
    CoreDescribeFields();
  } else {
    RunOpen();
  }
}

void TDataSet::StopCursor() {
  RunClose();
}

void TDataSet::RunOpen() {
  MadeDefaultFields_ = FieldObjects_->Empty();
  CoreOpen();
  OpenOK_ = true;
  RecountWindow();
  AtStart_ = true;
}

void TDataSet::RunClose() {
  OpenOK_ = false;
  ReleaseFieldBuffers();
  EmptyWindow();
  ResizeBufferList(0);
  CoreClose();
  WindowSize_ = 0;
  MadeDefaultFields_ = false;
  FirstLink_ = nullptr;
}

void TDataSet::CloseForDestruction() noexcept {
  Destroying();
  try {
    if (Active()) Close();
  } catch (...) {
    // A destructor cannot report it; what is left open is released below.
  }
  Mode_ = dmInactive;
  try {
    ResizeBufferList(0);
    if (CoreIsOpen()) CoreClose();
  } catch (...) {
  }
  WindowSize_ = 0;
}

void TDataSet::Loaded() {
  TComponent::Loaded();
  if (!StreamedActive_) return;
  try {
    SetActive(true);
  } catch (...) {
    if (!IsDesigning()) throw;
    CoreShowException();
  }
}

void TDataSet::RaiseClosed() const {
  RaiseDataError(LoadResString(SDataSetClosed), this);
}

void TDataSet::EnsureInactive() {
  if (!Active()) return;
  if (IsUpdating() || IsDesigning()) {
    Close();
  } else {
    RaiseDataError(LoadResString(SDataSetOpen), this);
  }
}

void TDataSet::SetBlockReadSize(int Value) {
  if (Value < 0) Value = 0;
  if (Value == BlockReadSize_) return;
  if (Value > 0) {
    EnsureActive();
    EnsureBrowse();
    ChangeMode(dmBlockRead);
  } else if (Mode_ == dmBlockRead) {
    ChangeMode(dmBrowse);
  }
  BlockReadSize_ = Value;
}

int TDataSet::NextBlock() {
  return GoRows(1);
}

void TDataSet::AttachSource(TDataSource* Source) {
  DataSources_.push_back(Source);
  Source->DataSet_ = this;
  RecountWindow();
  Source->SyncMode();
}

void TDataSet::DetachSource(TDataSource* Source) {
  Source->DataSet_ = nullptr;
  std::erase(DataSources_, Source);
  Source->SyncMode();
  RecountWindow();
}

TDataSource* TDataSet::DataSources(int Index) const {
  if (Index < 0 || Index >= DataSourceCount())
    throw EListError(Format(LoadResString(SListIndexError), Index));
  return DataSources_[static_cast<size_t>(Index)];
}

bool TDataSet::IsLinkedTo(const TDataSource* Source) const {
  // The chain of masters is short; the bound only keeps a broken chain from looping.
  for (int step = 0; Source != nullptr && step < 1000; ++step) {
    const TDataSet* dataSet = Source->DataSet();
    if (dataSet == nullptr) return false;
    if (dataSet == this) return true;
    Source = dataSet->MasterDataSource();
  }
  return false;
}

TBookmarkBytes TDataSet::TakeBookmark() {
  if (WindowFill_ == 0 || BookmarkSize_ <= 0) return {};
  TBookmarkBytes bookmark(static_cast<size_t>(BookmarkSize_));
  ReadBookmark(ActiveBuffer(), bookmark.data());
  return bookmark;
}

void TDataSet::GoToBookmark(const TBookmarkBytes& Bookmark) {
  EnsureBrowse();
  if (Bookmark.empty()) return;
  FireBeforeScroll();
  CoreToBookmark(Bookmark.data());
  Refetch({rfExact, rfCentre});
  FireAfterScroll();
}

bool TDataSet::ReadFieldData(TField* /*Field*/, void* /*Buffer*/) {
  return false;
}

bool TDataSet::ReadFieldData(int ColumnNo, void* Buffer) {
  TField* field = FieldNumbered(ColumnNo);
  return field != nullptr && ReadFieldData(field, Buffer);
}

std::unique_ptr<TStream> TDataSet::OpenBlobStream(TField* /*Field*/, TBlobStreamMode /*Mode*/) {
  return nullptr;
}

void TDataSet::ConvertText(const std::string& Source, std::string& Dest, bool /*ToEngine*/) {
  if (&Source != &Dest) Dest = Source;
}

void TDataSet::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  for (TFields* list : {FieldObjects_.get(), AggregateFields_.get()}) {
    for (int i = 0; i < list->Count(); ++i) {
      TField* field = list->Fields(i);
      if (field->Owner() == Root) Proc(field);
    }
  }
}

TField* FieldForControl(TDataSet* DataSet, const TComponent* Control, const std::string& Name) {
  TField* field = DataSet->SeekField(Name);
  if (field == nullptr) RaiseDataErrorFmt(LoadResString(SFieldNotFound), {Name}, Control);
  return field;
}

#define BREVANT_DATASET_HOOK(Name) \
  void TDataSet::Fire##Name() {    \
    if (Name) Name(this);          \
  }
BREVANT_DATASET_HOOK(AfterCancel)
BREVANT_DATASET_HOOK(AfterClose)
BREVANT_DATASET_HOOK(AfterDelete)
BREVANT_DATASET_HOOK(AfterEdit)
BREVANT_DATASET_HOOK(AfterInsert)
BREVANT_DATASET_HOOK(AfterOpen)
BREVANT_DATASET_HOOK(AfterPost)
BREVANT_DATASET_HOOK(AfterScroll)
BREVANT_DATASET_HOOK(BeforeCancel)
BREVANT_DATASET_HOOK(BeforeClose)
BREVANT_DATASET_HOOK(BeforeDelete)
BREVANT_DATASET_HOOK(BeforeEdit)
BREVANT_DATASET_HOOK(BeforeInsert)
BREVANT_DATASET_HOOK(BeforeOpen)
BREVANT_DATASET_HOOK(BeforePost)
BREVANT_DATASET_HOOK(BeforeScroll)
BREVANT_DATASET_HOOK(OnCalcFields)
BREVANT_DATASET_HOOK(OnNewRecord)
#undef BREVANT_DATASET_HOOK
