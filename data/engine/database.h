#pragma once
// TDatabase: one open database of the engine, reached by alias (or a driver, or a folder),
// that the engine datasets of a session share. A database joins its session's list when it
// is made and leaves it when it is freed; the session makes temporary ones for datasets that
// name an alias no database object stands for.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/component.h"
#include "core/strings.h"
#include "dbengine.h"

class TDBDataSet;
class TSession;

enum TTransIsolation { tiDirtyRead, tiReadCommitted, tiRepeatableRead };
BREVANT_ENUM_NAMES(TTransIsolation, "tiDirtyRead", "tiReadCommitted", "tiRepeatableRead");

class TDatabase;
// Fills LoginParams ("USER NAME" given) with "PASSWORD" and perhaps another "USER NAME".
using TLoginEvent = std::function<void(TDatabase* Database, TStrings* LoginParams)>;

class TDatabase : public TComponent {
 public:
  BREVANT_CLASS(TDatabase)

  explicit TDatabase(TComponent* AOwner);
  // Closes and leaves the session.
  ~TDatabase() override;

  // ---- Published ------------------------------------------------------------------------
  const std::string& AliasName() const { return AliasName_; }
  void SetAliasName(const std::string& Value);
  // True while the database holds an engine handle; setting opens or closes it.
  bool Connected() const { return Handle_ != 0; }
  void SetConnected(bool Value);
  const std::string& DatabaseName() const { return DatabaseName_; }
  void SetDatabaseName(const std::string& Value);
  const std::string& DriverName() const { return DriverName_; }
  void SetDriverName(const std::string& Value);
  bool Exclusive() const { return Exclusive_; }
  void SetExclusive(bool Value);
  // Datasets of other owners may share this database.
  bool HandleShared() const { return HandleShared_; }
  void SetHandleShared(bool Value);
  // Stay open when no dataset uses the database any more.
  bool KeepConnection() const { return KeepConnection_; }
  void SetKeepConnection(bool Value);
  bool LoginPrompt() const { return LoginPrompt_; }
  void SetLoginPrompt(bool Value) { LoginPrompt_ = Value; }
  // Lines "name=value" put over the alias's parameters.
  TStrings* Params() const { return Params_.get(); }
  void SetParams(TStrings* Value);
  bool ReadOnly() const { return ReadOnly_; }
  void SetReadOnly(bool Value);
  const std::string& SessionName() const { return SessionName_; }
  void SetSessionName(const std::string& Value);
  TTransIsolation TransIsolation() const { return TransIsolation_; }
  void SetTransIsolation(TTransIsolation Value);
  TLoginEvent OnLogin;

  // ---- Operations -----------------------------------------------------------------------
  void Open();
  void Close();
  EngHandle Handle() const { return Handle_; }
  // The session the database belongs to (none after its session was freed).
  TSession* DBSession() const { return Session_; }
  bool Temporary() const { return Temporary_; }
  bool IsSQLBased() const { return SQLBased_; }
  // The engine's name of the text form the database uses ("" for the session's).
  const std::string& LanguageDriver() const { return LanguageDriver_; }
  int UseCount() const { return UseCount_; }
  int DataSetCount() const { return static_cast<int>(DataSets_.size()); }
  TDBDataSet* DataSets(int Index) const { return DataSets_.at(static_cast<size_t>(Index)); }
  // The folder of a database opened by folder name ("" otherwise).
  const std::string& Directory() const { return Directory_; }

 protected:
  void Loaded() override;

 private:
  friend class TSession;
  friend class TDBDataSet;

  void CheckInactive() const;
  void ChangeSession(TSession* Value);
  // Resolves the alias and the login; answers the password, makes a session alias if needed.
  std::string PrepareAliasAndLogin();
  std::string LoginPassword(const TStrings& AliasParams);
  bool NeedsSessionAlias(const TStrings& AliasParams) const;
  void CreateSessionAlias(const std::string& Driver, const TStrings& AliasParams);
  void DeleteSessionAlias();
  bool IsFolderName() const;
  void ReadDatabaseType();
  void AddDataSet(TDBDataSet* DataSet);
  void RemoveDataSet(TDBDataSet* DataSet);

  std::string AliasName_;
  std::string DatabaseName_;
  std::string DriverName_;
  bool Exclusive_ = false;
  bool HandleShared_ = false;
  bool KeepConnection_ = true;
  bool LoginPrompt_ = true;
  std::unique_ptr<TStringList> Params_;
  bool ReadOnly_ = false;
  std::string SessionName_;
  TTransIsolation TransIsolation_ = tiReadCommitted;

  EngHandle Handle_ = 0;
  TSession* Session_ = nullptr;
  std::vector<TDBDataSet*> DataSets_;
  int UseCount_ = 0;
  bool Temporary_ = false;
  bool SQLBased_ = false;
  std::string LanguageDriver_;
  bool LoadedLanguageDriver_ = false;
  bool SessionAlias_ = false;
  bool StreamedConnected_ = false;
  bool Closing_ = false;
  std::string Directory_;
};
