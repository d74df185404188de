#pragma once
// TSession: a connection to the database engine. It starts and stops the engine (the default
// session) or an engine session of its own, holds the table passwords, opens databases by
// alias for the datasets and keeps them open, and asks the user for passwords and logins.
//
// Texts handed to the engine (passwords, alias names) go through the system's ANSI to OEM
// conversion: the session has no language driver of its own.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/component.h"
#include "dbengine.h"

class TDatabase;
class TEngineCallback;
class TStrings;

// Replaces the password dialog: set Continue to true to try the open again.
using TPasswordEvent = std::function<void(TObject* Sender, bool& Continue)>;

class TSession : public TComponent {
 public:
  BREVANT_CLASS(TSession)

  explicit TSession(TComponent* AOwner);
  // Stops the session (closing its databases, freeing the temporary ones) and leaves the
  // session list.
  ~TSession() override;

  // ---- Published ------------------------------------------------------------------------
  // True while the session holds an engine session handle. Setting starts or stops it; while
  // a layout is read the value is only remembered and applied once loading ends.
  bool Active() const { return Handle_ != 0; }
  void SetActive(bool Value);
  // A generated unique name ("Session_<n>", or "<owner>_<n>"); needs an inactive session.
  bool AutoSessionName() const { return AutoSessionName_; }
  void SetAutoSessionName(bool Value);
  // Copied into every database the session creates implicitly.
  bool KeepConnections() const { return KeepConnections_; }
  void SetKeepConnections(bool Value) { KeepConnections_ = Value; }
  // Folders pushed to the engine at start when not empty.
  const std::string& NetFileDir() const { return NetFileDir_; }
  void SetNetFileDir(const std::string& Value);
  const std::string& PrivateDir() const { return PrivateDir_; }
  void SetPrivateDir(const std::string& Value);
  // The name datasets and databases find the session by; "Default" for the default session.
  const std::string& SessionName() const { return SessionName_; }
  void SetSessionName(const std::string& Value);
  // Show the SQL-wait cursor while the engine talks to a server.
  bool SQLHourGlass() const { return SQLHourGlass_; }
  void SetSQLHourGlass(bool Value) { SQLHourGlass_ = Value; }
  TPasswordEvent OnPassword;
  TNotifyEvent OnStartup;

  // ---- Operations -----------------------------------------------------------------------
  // The engine session handle; an inactive session starts first.
  EngHandle Handle();
  bool IsDefault() const { return Default_; }
  // Takes and gives back the session lock; the outermost EnterSession makes this session
  // the engine's current one (starting it when inactive).
  void EnterSession();
  void LeaveSession();
  // Makes this session the engine's current one, starting it when inactive.
  void MakeCurrent();

  // Table passwords: cut to 255 characters and handed to the engine. An empty text does
  // nothing (the lock is still taken, which starts an inactive session).
  void StorePassword(const std::string& Password);
  // Removal's status is ignored.
  void DropPassword(const std::string& Password);
  void DropAllPasswords();
  // OnPassword when assigned, else the password dialog; true to try again.
  bool RequestPassword();

  // The database a dataset of Owner uses for Name, opened and with one more use.
  TDatabase* DatabaseAcquire(const std::string& Name, TComponent* Owner);
  // One use less; with none left and KeepConnection off, a temporary database is freed and
  // any other closed.
  void DatabaseRelease(TDatabase* Database);
  TDatabase* FindDatabase(const std::string& Name) const;
  int DatabaseCount() const { return static_cast<int>(Databases_.size()); }
  TDatabase* Databases(int Index) const { return Databases_.at(static_cast<size_t>(Index)); }

  // The alias's driver name; false when the engine cannot tell.
  bool GetAliasDriverName(const std::string& AliasName, std::string& Driver);
  // The alias's parameters as "NAME=value" lines: "DB INFO" without TYPE for the desktop
  // driver "STANDARD", "DB OPEN" for any other.
  void GetAliasParams(const std::string& AliasName, TStrings* List);
  // The rows of an engine configuration path as "NAME=value" lines; false when the engine
  // has no such path.
  bool GetConfigRows(const std::string& Path, TStrings* List);

  // Answer the engine's login requests with the login dialog (off by default).
  bool PromptEngineLogin() const { return PromptEngineLogin_; }
  void SetPromptEngineLogin(bool Value) { PromptEngineLogin_ = Value; }
  // Set when the engine reported that its library is being unloaded.
  bool Detached() const { return Detached_; }

 protected:
  void Loaded() override;

 private:
  friend class TDatabase;
  friend class TSessionList;

  void CheckInactive() const;
  void StartSession();
  void StopSession();
  void StartEngineOrSession();
  void InstallCallbacks();
  void UninstallCallbacks();
  void PushDirectories();
  uint32_t ServerCallCallback(void* Info);
  uint32_t DBLoginCallback(void* Info);
  uint32_t DetachCallback(void* Info);
  void AddDatabase(TDatabase* Database);
  void RemoveDatabase(TDatabase* Database);
  void ApplyAutoSessionName();
  EngResult ReadConfigRows(const std::string& Path, TStrings* List);
  // The text as the engine takes a password: at most 255 characters, OEM.
  static std::string EnginePassword(const std::string& Password);

  bool AutoSessionName_ = false;
  bool KeepConnections_ = true;
  std::string NetFileDir_;
  std::string PrivateDir_;
  std::string SessionName_;
  bool SQLHourGlass_ = true;

  EngHandle Handle_ = 0;
  bool Default_ = false;
  bool Detached_ = false;
  bool Starting_ = false;
  bool StreamedActive_ = false;
  bool PromptEngineLogin_ = false;
  int LockCount_ = 0;
  int SessionNumber_ = 0;
  std::vector<TDatabase*> Databases_;
  std::vector<std::unique_ptr<TEngineCallback>> Callbacks_;
  std::array<char, 80> LoginBuffer_{};
  uint32_t ServerCallBuffer_ = 0;
};
