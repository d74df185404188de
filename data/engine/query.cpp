#include "data/engine/query.h"

#include <cassert>
#include <exception>

#include "core/rtti.h"
#include "core/scope_exit.h"
#include "data/data_strings.h"
#include "data/engine/database.h"
#include "data/engine/engine_entries.h"
#include "data/engine/engine_error.h"
#include "data/engine/engine_strings.h"
#include "data/engine/session.h"
#include "data/fields/field.h"
#include "data/links/data_link.h"
#include "data/links/data_source.h"

BREVANT_DEFINE_CLASS(TQuery, TDBDataSet,
                     .Property("Constrained", &TQuery::Constrained, &TQuery::SetConstrained)
                         .Default(false)
                         .Property("Constraints", &TQuery::Constraints)
                         .Property("DataSource", &TQuery::DataSource, &TQuery::SetDataSource)
                         .Property("ParamCheck", &TQuery::ParamCheck, &TQuery::SetParamCheck)
                         .Default(true)
                         .Property("RequestLive", &TQuery::RequestLive, &TQuery::SetRequestLive)
                         .Default(false)
                         .Property("SQL", &TQuery::SQL, &TQuery::SetSQL)
                         .Property("Params", &TQuery::Params)
                         .Property("UniDirectional", &TQuery::UniDirectional, &TQuery::SetUniDirectional)
                         .Default(false)
                         .Property("UpdateMode", &TQuery::UpdateMode, &TQuery::SetUpdateMode)
                         .Default(upWhereAll)
                         .Property("UpdateObject", &TQuery::UpdateObject, &TQuery::SetUpdateObject))

TQuery::TQuery(TComponent* AOwner)
    : TDBDataSet(AOwner),
      Constraints_(std::make_unique<TCheckConstraints>()),
      SQL_(std::make_unique<TStringList>()),
      Params_(std::make_unique<TParams>()),
      DataLink_(std::make_unique<TDataLink>()) {
  SQL_->OnChange = [this](TObject*) { QueryChanged(); };
}

TQuery::~TQuery() {
  CloseForDestruction();
  try {
    if (Prepared_) FreeStatement();
  } catch (...) {
    // Freeing while destroyed reports nothing.
  }
  SQL_->OnChange = nullptr;
  DataLink_->SetDataSource(nullptr);
}

// ---- Published properties ----------------------------------------------------------------

void TQuery::SetConstrained(bool Value) {
  if (Value == Constrained_) return;
  EnsureInactive();
  if (Prepared_) UnPrepare();
  Constrained_ = Value;
}

void TQuery::SetRequestLive(bool Value) {
  if (Value == RequestLive_) return;
  EnsureInactive();
  if (Prepared_) UnPrepare();
  RequestLive_ = Value;
}

void TQuery::SetUniDirectional(bool Value) {
  if (Value == UniDirectional_) return;
  EnsureInactive();
  if (Prepared_) UnPrepare();
  UniDirectional_ = Value;
}

TDataSource* TQuery::DataSource() const {
  return DataLink_->DataSource();
}

void TQuery::SetDataSource(TDataSource* Value) {
  if (Value == DataSource()) return;
  if (Value != nullptr && IsLinkedTo(Value)) RaiseDataError(LoadResString(SCircularDataLink), this);
  DataLink_->SetDataSource(Value);
}

void TQuery::SetUpdateObject(TDataSetUpdateObject* Value) {
  if (Value == UpdateObject_) return;
  if (UpdateObject_ != nullptr) UpdateObject_->RemoveFreeNotification(this);
  UpdateObject_ = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TQuery::Notification(TComponent* AComponent, TOperation Operation) {
  TDBDataSet::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == UpdateObject_) UpdateObject_ = nullptr;
}

void TQuery::SetSQL(TStrings* Value) {
  if (Value == nullptr || SQL_->Equals(*Value)) return;
  SetActive(false);
  UnPrepare();
  SQL_->Assign(*Value);
}

// ---- The SQL text -------------------------------------------------------------------------

void TQuery::Loaded() {
  // Layouts keep no parameters: a query read with markers in its text makes them now.
  if ((ParamCheck_ || IsDesigning()) && Params_->Count() == 0 && !MarkerNames_.empty()) DeriveText(true);
  TDBDataSet::Loaded();
}

void TQuery::QueryChanged() {
  if (IsReading()) {
    DeriveText(false);
    return;
  }
  SetActive(false);
  UnPrepare();
  DeriveText(true);
  Notify(dnPropertyChange, 0);
}

void TQuery::DeriveText(bool CreateParams) {
  std::string lines;
  for (int i = 0; i < SQL_->Count(); ++i)
    lines += SQL_->Get(i) + "\r\n";
  MarkerOffsets_.clear();
  MarkerNames_.clear();
  if (!ParamCheck_ && !IsDesigning()) {
    Text_ = std::move(lines);
    return;
  }
  TParsedSQL parsed = ParseSQLMarkers(lines);
  Text_ = std::move(parsed.Text);
  MarkerOffsets_ = std::move(parsed.Offsets);
  MarkerNames_ = std::move(parsed.Names);
  if (!CreateParams) return;
  TParams old;
  old.Assign(*Params_);
  Params_->BeginUpdate();
  Params_->Clear();
  for (const std::string& name : MarkerNames_) {
    if (Params_->FindParam(name) == nullptr) Params_->CreateParam(ftUnknown, name, ptInput);
  }
  Params_->AssignValues(old);
  Params_->EndUpdate();
}

std::string TQuery::TextWithValues(bool Values) const {
  std::string text;
  size_t from = 0;
  for (size_t i = 0; i < MarkerOffsets_.size(); ++i) {
    text.append(Text_, from, MarkerOffsets_[i] - from);
    const TParam* param = Params_->FindParam(MarkerNames_[i]);
    text += Values && param != nullptr ? param->SQLLiteral() : "NULL";
    from = MarkerOffsets_[i] + 1;
  }
  text.append(Text_, from, std::string::npos);
  return text;
}

// ---- Preparing ----------------------------------------------------------------------------

bool TQuery::CachedUpdateHandler() const {
  return CachedUpdates() && (UpdateObject_ != nullptr || static_cast<bool>(OnUpdateRecord));
}

void TQuery::DatabaseAcquired() {
  Local_ = Database() != nullptr && !Database()->IsSQLBased();
}

void TQuery::Prepare() {
  SetDBFlag(dbfPrepared, true);
  TScopeFail release([this] { SetDBFlag(dbfPrepared, false); });
  SetPrepared(true);
}

void TQuery::UnPrepare() {
  if (Active()) RaiseDataError(LoadResString(SDataSetOpen), this);
  std::exception_ptr failure;
  try {
    SetPrepared(false);
  } catch (...) {
    failure = std::current_exception();
  }
  SetDBFlag(dbfPrepared, false);
  if (failure) std::rethrow_exception(failure);
}

void TQuery::SetPrepared(bool Value) {
  if (Value == Prepared_) return;
  if (Value) {
    PrepareStatement();
  } else {
    FreeStatement();
  }
}

void TQuery::PrepareStatement() {
  if (Active()) RaiseDataError(LoadResString(SDataSetOpen), this);
  RowsAffected_ = -1;
  CheckRowsAffected_ = true;
  if (Text_.size() < 2) RaiseDataError(LoadResString(SEmptySQLStatement), this);
  EngHandle statement = 0;
  CheckEngine(DbEngine.EngAllocStatement(DBHandle(), ENG_LANG_SQL, &statement));
  assert(statement != 0 && "the engine answered success without a statement");
  StmtHandle_ = statement;
  // Until the query counts as prepared, every failure frees the statement: the query would
  // otherwise forget a handle that stays allocated in the engine, since unpreparing an
  // unprepared query frees nothing.
  TScopeFail freeStatement([this, statement] {
    StmtHandle_ = 0;
    DbEngine.EngFreeStatement(statement);
  });
  if (!NoResult_) {
    CheckEngine(DbEngine.EngSetProperty(statement, ENG_STMTPROP_RESULT_KIND,
                                        RequestLive_ && !CachedUpdateHandler() ? 1 : 2));
  }
  if (Local_) {
    CheckEngine(DbEngine.EngSetProperty(statement, ENG_STMTPROP_SERVER_SQL, 0));
    if (RequestLive_ && Constrained_)
      CheckEngine(DbEngine.EngSetProperty(statement, ENG_STMTPROP_CONSTRAINED, 1));
    CheckEngine(DbEngine.EngSetProperty(statement, ENG_STMTPROP_ANSI_TEXT, 1));
  }
  PrepareText(MarkerOffsets_.empty() ? Text_ : TextWithValues(false));
  if (!Local_)
    CheckEngine(DbEngine.EngSetProperty(statement, ENG_STMTPROP_UNIDIRECTIONAL, UniDirectional_ ? 1 : 0));
  Prepared_ = true;
}

void TQuery::PrepareText(const std::string& Text) {
  for (;;) {
    const EngResult status = DbEngine.EngPrepareStatement(StmtHandle_, Text.c_str());
    if (ENG_STATUS(status) == ENG_ERR_PASSWORD) {
      if (DBSession()->RequestPassword()) continue;
      RaiseEngineError(status);
    }
    CheckEngine(status);
    return;
  }
}

void TQuery::FreeStatement() {
  if (Active()) RaiseDataError(LoadResString(SDataSetOpen), this);
  // The engine does not count the rows a statement changed: RowsAffected stays unknown.
  CheckRowsAffected_ = false;
  const EngHandle statement = StmtHandle_;
  StmtHandle_ = 0;
  Prepared_ = false;
  if (statement == 0) return;
  const EngResult status = DbEngine.EngFreeStatement(statement);
  if (!IsDestroying()) CheckEngine(status);
}

// ---- Running ------------------------------------------------------------------------------

void TQuery::TakeSourceValues() {
  TDataSet* source = DataSource() != nullptr ? DataSource()->DataSet() : nullptr;
  if (source == nullptr || !source->Active()) return;
  for (int i = 0; i < Params_->Count(); ++i) {
    TParam* param = Params_->Items(i);
    if (param->Bound()) continue;
    TField* field = source->SeekField(param->Name());
    if (field == nullptr) continue;
    if (field->ValueIsNull()) {
      param->Clear();
    } else {
      param->SetAsString(field->AsText());
      param->SetBound(false);  // taken again from the next current record
    }
  }
}

void TQuery::BindParams() {
  if (!MarkerOffsets_.empty()) PrepareText(TextWithValues(true));
}

EngHandle TQuery::CreateHandle() {
  if (SQL_->Count() == 0) RaiseDataError(LoadResString(SEmptySQLStatement), this);
  if (!Prepared_) SetPrepared(true);
  assert(StmtHandle_ != 0 && "a prepared query holds a statement");
  TakeSourceValues();
  BindParams();
  EngHandle cursor = 0;
  CheckEngine(DbEngine.EngExecuteStatement(StmtHandle_, &cursor));
  if (cursor != 0) CheckRowsAffected_ = false;
  return cursor;
}

void TQuery::ExecSQL() {
  if (Active()) RaiseDataError(LoadResString(SDataSetOpen), this);
  if (SQL_->Count() == 0) RaiseDataError(LoadResString(SEmptySQLStatement), this);
  SetDBFlag(dbfExecSQL, true);
  TScopeExit release([this] {
    NoResult_ = false;
    SetDBFlag(dbfExecSQL, false);
  });
  if (!Prepared_) {
    NoResult_ = true;
    SetPrepared(true);
  }
  TakeSourceValues();
  BindParams();
  CheckEngine(DbEngine.EngExecuteStatement(StmtHandle_, nullptr));
}

void TQuery::DatabaseClosing() {
  // Closing the database frees its statements: this one goes first, through the engine.
  if (Prepared_) UnPrepare();
}

void TQuery::SetDBFlag(int Flag, bool Value) {
  // The statement belongs to the database: it goes before the last use of it does.
  if (!Value && DBFlag(Flag) && DBFlags() == (1u << Flag) && Prepared_) {
    std::exception_ptr failure;
    try {
      SetPrepared(false);
    } catch (...) {
      failure = std::current_exception();
    }
    TDBDataSet::SetDBFlag(Flag, Value);
    if (failure) std::rethrow_exception(failure);
    return;
  }
  TDBDataSet::SetDBFlag(Flag, Value);
}
