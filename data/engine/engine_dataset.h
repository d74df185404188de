#pragma once
// TEngineDataSet: a dataset over a cursor of the database engine. It supplies the abstract
// operations of TDataSet: opening and closing the cursor, the record buffer
// (record_buffer.h), fetching records, reading field values and blobs (blob_stream.h), and
// the field definitions from the engine's descriptors. How a cursor is obtained is each
// descendant's own step (CreateHandle): a table opens one by name, a query runs a statement.
//
// Blob caching (on by default): a blob of the active record read in full stays in the record
// buffer, so reading it again costs no engine call; a fetch empties the buffer's cache.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/dataset.h"
#include "data/engine/record_buffer.h"
#include "dbengine.h"

class TBlobStream;

enum TUpdateKind { ukModify, ukInsert, ukDelete };
enum TUpdateAction { uaFail, uaAbort, uaSkip, uaRetry, uaApplied };
using TUpdateErrorEvent =
    std::function<void(TDataSet* DataSet, EDatabaseError& E, TUpdateKind UpdateKind, TUpdateAction& Action)>;
using TUpdateRecordEvent =
    std::function<void(TDataSet* DataSet, TUpdateKind UpdateKind, TUpdateAction& Action)>;

// How the cursor numbers its records.
enum TRecordNumberKind { rkNone, rkSequence, rkPhysical };

class TEngineDataSet : public TDataSet {
 public:
  BREVANT_CLASS(TEngineDataSet)

  explicit TEngineDataSet(TComponent* AOwner);
  ~TEngineDataSet() override;

  // Published.
  bool CachedUpdates() const { return CachedUpdates_; }
  void SetCachedUpdates(bool Value);
  TUpdateErrorEvent OnUpdateError;
  TUpdateRecordEvent OnUpdateRecord;

  // The engine cursor (0 while closed).
  EngHandle Handle() const { return Handle_; }
  bool CacheBlobs() const { return CacheBlobs_; }
  void SetCacheBlobs(bool Value) { CacheBlobs_ = Value; }
  // The engine's name of the cursor's text form; texts convert with it (or by the system's
  // ANSI/OEM conversion when there is none).
  const std::string& LanguageDriver() const { return LanguageDriver_; }
  TRecordNumberKind RecordNumberKind() const { return RecordNumberKind_; }
  // The properties the engine reported with the last fetched record.
  const EngRecordProps& LastRecordProps() const { return LastRecordProps_; }

  bool CanModify() const override { return CanModify_; }
  int RowCount() const override;
  int RowNumber() const override;
  using TDataSet::ReadFieldData;
  bool ReadFieldData(TField* Field, void* Buffer) override;
  void WriteFieldData(TField* Field, const void* Buffer) override;
  std::unique_ptr<TStream> OpenBlobStream(TField* Field, TBlobStreamMode Mode) override;
  void ReleaseBlob(TField* Field) override;
  void ConvertText(const std::string& Source, std::string& Dest, bool ToEngine) override;
  // The whole blob of Field in the active record into Bytes, which grows to 1.25 times the
  // blob's size only when it is too small; answers the number of bytes read.
  size_t ReadBlobData(TField* Field, std::vector<char>& Bytes);

 protected:
  // The dataset's own way to a cursor; 0 means none.
  virtual EngHandle CreateHandle() = 0;
  // Closes the cursor (releasing its record lock first).
  virtual void DestroyHandle();
  // Runs once the cursor is open and the record buffer laid out (tables switch indexes and
  // apply ranges here).
  virtual void PrepareCursor() {}
  // Record filters (a filter event, a range): the engine knows neither, so records that a
  // filter rejects are skipped as they are fetched. AcceptRecord runs in dmFilter, where
  // field reads see the record being fetched.
  virtual bool HasRecordFilter() const { return false; }
  virtual bool AcceptRecord() { return true; }
  // Runs at the end of opening: filters of the dataset take effect.
  virtual void ActivateFilters() {}
  void SetLanguageDriver(const std::string& Value) { LanguageDriver_ = Value; }

  void StartCursor(bool InfoOnly) override;
  void StopCursor() override;

  TRowBuffer NewRowBuffer() override;
  void DisposeRowBuffer(TRowBuffer& Buffer) override;
  void ReadBookmark(TRowBuffer Buffer, void* Dest) override;
  TRowMark ReadRowMark(TRowBuffer Buffer) override;
  TFetchResult FetchRow(TRowBuffer Buffer, TFetchMode Mode, bool Check) override;
  uint16_t RowSize() override;
  void CoreAddRow(TRowBuffer Buffer, bool Append) override;
  void CoreClose() override;
  void CoreDelete() override;
  void CoreToStart() override;
  void CoreToBookmark(const void* Bookmark) override;
  void CoreShowException() override;
  void CoreDescribeFields() override;
  void CoreClearRow(TRowBuffer Buffer) override;
  void CoreToEnd() override;
  void CoreOpen() override;
  void CorePost() override;
  void CoreToRow(TRowBuffer Buffer) override;
  bool CoreIsOpen() override { return Handle_ != 0; }
  void WriteRowMark(TRowBuffer Buffer, TRowMark Mark) override;
  void WriteBookmark(TRowBuffer Buffer, const void* Bookmark) override;
  void CoreBeginEdit() override;
  void CoreBeginInsert() override;
  void CoreCancelEdit() override;
  void CoreRefresh() override;
  void ClearCalcArea(TRowBuffer Buffer) override;

  // The record buffer that field reads use in the current mode (none without one).
  TRowBuffer ActiveRecordBuffer() const;
  // Reads the engine's current record into Buffer again, the cursor set onto the active
  // record first; false when there is nothing to read.
  bool RereadCurrentRecord(TRowBuffer Buffer);
  const TRecordLayout& Layout() const { return Layout_; }
  // Whether the record in Buffer holds a blank (null or empty) value for a field number.
  bool FieldIsBlank(TRowBuffer Buffer, int FieldNumber) const;
  // The buffer a filter or range check reads (dmFilter).
  TRowBuffer FilterBuffer() const { return FilterBuffer_; }

 private:
  friend class TBlobStream;

  // Where a record buffer holds its row's id (the engine's record header).
  static constexpr size_t kRowIdOffset = 8;

  TFetchResult FetchOne(TRowBuffer Buffer, TFetchMode Mode, bool Check);
  bool RecordAccepted(TRowBuffer Buffer);
  void AddFieldDef(const EngFieldDesc& Desc, bool Required);
  // The engine's length of a field's value in the record (0 when unknown).
  size_t EngineLength(int FieldNumber) const;
  void WriteColumn(TField* Field, const void* Buffer);

  EngHandle Handle_ = 0;
  std::string LanguageDriver_;
  bool CachedUpdates_ = false;
  bool CanModify_ = false;
  bool CacheBlobs_ = true;
  TRecordNumberKind RecordNumberKind_ = rkNone;
  EngRecordProps LastRecordProps_{};
  TRecordLayout Layout_;
  std::vector<EngFieldDesc> FieldDescs_;
  TRowBuffer KeyBuffer_ = nullptr;
  TRowBuffer FilterBuffer_ = nullptr;
};
