#pragma once
// TDBDataSet: an engine dataset that belongs to a database of a session. It holds its
// database through up to 16 database-use flags: the database is acquired from the session
// when the first flag is set and released when the last one is cleared. Flag 0 stands for an
// open cursor, flag 1 for a prepared query; others cover brief work while closed.

#include <functional>
#include <string>

#include "data/engine/engine_dataset.h"

class TDatabase;
class TSession;

enum TFilterOption { foCaseInsensitive, foNoPartialCompare };
BREVANT_ENUM_NAMES(TFilterOption, "foCaseInsensitive", "foNoPartialCompare");
using TFilterOptions = TSet<TFilterOption>;
using TFilterRecordEvent = std::function<void(TDataSet* DataSet, bool& Accept)>;

inline constexpr int dbfOpened = 0;
inline constexpr int dbfPrepared = 1;

class TDBDataSet : public TEngineDataSet {
 public:
  BREVANT_CLASS(TDBDataSet)

  explicit TDBDataSet(TComponent* AOwner);
  ~TDBDataSet() override;

  // ---- Published ------------------------------------------------------------------------
  // The alias (or database object, or folder) the dataset reads from.
  const std::string& DatabaseName() const { return DatabaseName_; }
  void SetDatabaseName(const std::string& Value);
  // An expression filter: the engine has none, so an open with Filtered and a Filter text
  // fails with the engine's "Operation not supported".
  const std::string& Filter() const { return Filter_; }
  void SetFilter(const std::string& Value);
  // OnFilterRecord decides which records show while Filtered.
  bool Filtered() const { return Filtered_; }
  void SetFiltered(bool Value);
  TFilterOptions FilterOptions() const { return FilterOptions_; }
  void SetFilterOptions(TFilterOptions Value) { FilterOptions_ = Value; }
  // The session's name; empty means the default session.
  const std::string& SessionName() const { return SessionName_; }
  void SetSessionName(const std::string& Value);
  TFilterRecordEvent OnFilterRecord;

  // ---- State ----------------------------------------------------------------------------
  // The database in use while a flag is set (none otherwise).
  TDatabase* Database() const { return Database_; }
  // The session named by SessionName; "Invalid session name %s" when there is none.
  TSession* DBSession() const;
  // The database's engine handle (0 without one).
  EngHandle DBHandle() const;
  bool DBFlag(int Flag) const { return (Flags_ & (1u << Flag)) != 0; }
  uint16_t DBFlags() const { return Flags_; }

 protected:
  // Sets or clears a database-use flag; the first flag set acquires the database, the last
  // cleared releases it.
  virtual void SetDBFlag(int Flag, bool Value);
  // The database was just acquired.
  virtual void DatabaseAcquired() {}
  // The database is closing (the dataset is closed already): what the dataset keeps of it
  // goes now.
  virtual void DatabaseClosing() {}

  void StartCursor(bool InfoOnly) override;
  void StopCursor() override;
  bool HasRecordFilter() const override;
  bool AcceptRecord() override;
  void ActivateFilters() override;

 private:
  friend class TDatabase;

  void AcquireDatabase();
  void ReleaseDatabase();

  std::string DatabaseName_;
  std::string Filter_;
  bool Filtered_ = false;
  TFilterOptions FilterOptions_;
  std::string SessionName_;
  TDatabase* Database_ = nullptr;
  uint16_t Flags_ = 0;
};
