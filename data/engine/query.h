#pragma once
// TQuery: runs an SQL statement of its database and reads its result.
//
// Every change of the SQL list closes and unprepares the query and derives the statement
// text anew: with ParamCheck the text is parsed for parameter markers into Params (values of
// equally named parameters carried over); without it the text is the lines, each followed by
// CR LF, unchanged. Opening prepares the statement (unless prepared on request), binds the
// parameters and runs it; closing unprepares it unless it was prepared on request.

#include <memory>
#include <string>
#include <vector>

#include "core/strings.h"
#include "data/engine/dataset_definitions.h"
#include "data/engine/db_dataset.h"
#include "data/engine/params.h"

class TDataLink;
class TDataSource;

inline constexpr int dbfExecSQL = 2;

class TQuery : public TDBDataSet {
 public:
  BREVANT_CLASS(TQuery)

  explicit TQuery(TComponent* AOwner);
  ~TQuery() override;

  // ---- Published ------------------------------------------------------------------------
  bool Constrained() const { return Constrained_; }
  void SetConstrained(bool Value);
  TCheckConstraints* Constraints() const { return Constraints_.get(); }
  // The source whose current record gives parameters without a value of their own.
  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* Value);
  bool ParamCheck() const { return ParamCheck_; }
  void SetParamCheck(bool Value) { ParamCheck_ = Value; }
  bool RequestLive() const { return RequestLive_; }
  void SetRequestLive(bool Value);
  TStrings* SQL() const { return SQL_.get(); }
  // Does nothing for the same text; otherwise closes, unprepares and copies the lines.
  void SetSQL(TStrings* Value);
  TParams* Params() const { return Params_.get(); }
  bool UniDirectional() const { return UniDirectional_; }
  void SetUniDirectional(bool Value);
  TUpdateMode UpdateMode() const { return UpdateMode_; }
  void SetUpdateMode(TUpdateMode Value) { UpdateMode_ = Value; }
  TDataSetUpdateObject* UpdateObject() const { return UpdateObject_; }
  void SetUpdateObject(TDataSetUpdateObject* Value);

  // ---- Operations -----------------------------------------------------------------------
  // The statement text the engine gets.
  const std::string& Text() const { return Text_; }
  EngHandle StmtHandle() const { return StmtHandle_; }
  bool Prepared() const { return Prepared_; }
  // Prepares on request: the query keeps its statement (and its database) until UnPrepare.
  void Prepare();
  void UnPrepare();
  // Runs the statement without asking for a result.
  void ExecSQL();
  // Rows the last statement changed; -1 when unknown (the engine does not tell).
  int RowsAffected() const { return RowsAffected_; }
  int ParamCount() const { return Params_->Count(); }
  TParam* ParamByName(const std::string& Name) const { return Params_->ParamByName(Name); }
  TDataSource* MasterDataSource() const override { return DataSource(); }

 protected:
  EngHandle CreateHandle() override;
  void SetDBFlag(int Flag, bool Value) override;
  void DatabaseAcquired() override;
  void DatabaseClosing() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;

 private:
  void QueryChanged();
  void DeriveText(bool CreateParams);
  void SetPrepared(bool Value);
  void PrepareStatement();
  void FreeStatement();
  void PrepareText(const std::string& Text);
  void TakeSourceValues();
  void BindParams();
  // The statement text with each marker replaced by its parameter's literal (or NULL).
  std::string TextWithValues(bool Values) const;
  bool CachedUpdateHandler() const;

  bool Constrained_ = false;
  std::unique_ptr<TCheckConstraints> Constraints_;
  bool ParamCheck_ = true;
  bool RequestLive_ = false;
  std::unique_ptr<TStringList> SQL_;
  std::unique_ptr<TParams> Params_;
  bool UniDirectional_ = false;
  TUpdateMode UpdateMode_ = upWhereAll;
  TDataSetUpdateObject* UpdateObject_ = nullptr;
  std::unique_ptr<TDataLink> DataLink_;

  std::string Text_;
  std::vector<size_t> MarkerOffsets_;
  std::vector<std::string> MarkerNames_;
  EngHandle StmtHandle_ = 0;
  bool Prepared_ = false;
  bool Local_ = false;
  bool NoResult_ = false;
  int RowsAffected_ = -1;
  bool CheckRowsAffected_ = false;
};
