#pragma once
// TMemoryDataSet: a complete dataset over rows kept in memory (TMemoryTable). It implements
// every abstract operation of TDataSet for real: fetching, bookmarks, posting, inserting and
// deleting, blobs through streams, calculated fields and a master source. It serves the tests
// and benchmarks of the data layer and shows what each operation must do; see the comments
// at each override in memory_dataset.cpp and data/README.md.
//
// Its columns are given in code (Table().AddColumn) or through the published Columns list,
// one line per column: "Name ftType [Size] [required] [readonly] [hidden]".

#include <memory>
#include <string>

#include "core/strings.h"
#include "data/dataset.h"
#include "data/memory_dataset/memory_table.h"

class TMasterDataLink;

class TMemoryDataSet : public TDataSet {
 public:
  BREVANT_CLASS(TMemoryDataSet)

  explicit TMemoryDataSet(TComponent* AOwner);
  ~TMemoryDataSet() override;

  TMemoryTable& Table() { return Table_; }
  const TMemoryTable& Table() const { return Table_; }

  // Published.
  TStrings* Columns() const { return ColumnLines_.get(); }
  void SetColumns(TStrings* Value);
  bool ReadOnly() const { return ReadOnly_; }
  void SetReadOnly(bool Value);
  // Follow the current row of another dataset: only rows whose columns named like the
  // master fields hold the master's values are shown.
  TDataSource* MasterSource() const;
  void SetMasterSource(TDataSource* Value);
  const std::string& MasterFields() const;
  void SetMasterFields(const std::string& Value);

  // The message of the last exception reported by CoreShowException.
  const std::string& LastShownError() const { return LastShownError_; }

  bool CanModify() const override { return !ReadOnly_; }
  int RowCount() const override;
  int RowNumber() const override;
  TDataSource* MasterDataSource() const override { return MasterSource(); }
  using TDataSet::ReadFieldData;
  bool ReadFieldData(TField* Field, void* Buffer) override;
  void WriteFieldData(TField* Field, const void* Buffer) override;
  std::unique_ptr<TStream> OpenBlobStream(TField* Field, TBlobStreamMode Mode) override;
  void ReleaseBlob(TField* Field) override;

 protected:
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
  bool CoreIsOpen() override { return Open_; }
  void WriteRowMark(TRowBuffer Buffer, TRowMark Mark) override;
  void WriteBookmark(TRowBuffer Buffer, const void* Bookmark) override;
  void ClearCalcArea(TRowBuffer Buffer) override;

 private:
  struct TRow;
  static TRow* AsRow(TRowBuffer Buffer) { return reinterpret_cast<TRow*>(Buffer); }

  TRow* RowForRead() const;
  const TMemoryCell* StoredCell(const TRow& Row, int Column) const;
  TMemoryCell BlobValue(const TRow& Row, int BlobIndex, int Column) const;
  TMemoryTable::TRecord RecordFrom(const TRow& Row, int64_t Id) const;
  bool InRange(int Position) const;
  int Step(int From, int Direction) const;
  void MasterChanged();
  void MasterDisabled();
  void ColumnsChanged();

  TMemoryTable Table_;
  std::unique_ptr<TStringList> ColumnLines_;
  bool UpdatingLines_ = false;
  bool ReadOnly_ = false;
  std::unique_ptr<TMasterDataLink> MasterLink_;
  std::string LastShownError_;

  // The cursor: a position in the table's rows. Off a row it stands before Position_ (-1:
  // before the first row; RowCount: after the last; in between: where a row was deleted).
  bool Open_ = false;
  int Position_ = -1;
  bool OnRow_ = false;
  std::vector<int> ScalarColumns_;  // columns copied into a row buffer at fetch
  std::vector<int> BlobColumns_;    // column of each bound blob field, by its blob index
  // The master's values for the detail columns while a range is in force.
  bool RangeActive_ = false;
  std::vector<int> RangeColumns_;
  std::vector<TMemoryCell> RangeValues_;
};
