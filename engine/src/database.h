// A database: a folder of table files, opened in a session.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "handles.h"
#include "storage.h"

namespace dbengine {

class TSession;

// Where a table's file is.
struct TTableLocation {
  std::string path;      // absolute file name
  std::string fileName;  // "vezedezavuza.db"
  std::string stem;      // "vezedezavuza": the table expected inside
};

class TDatabase : public TObject {
 public:
  TDatabase(EngHandle session, std::string alias, std::string folder, uint32_t openMode, uint32_t shareMode,
            std::string password);
  // Rolls an open transaction back.
  ~TDatabase() override;

  EngHandle Session() const { return session_; }
  const std::string& Alias() const { return alias_; }
  const std::string& Folder() const { return folder_; }
  void SetFolder(std::string folder) { folder_ = std::move(folder); }
  uint32_t OpenMode() const { return openMode_; }

  // Finds the file of a table name (with or without ".db" when allowed). Throws ENG_ERR_FOLDER_NOT_FOUND,
  // or notFoundStatus with notFoundText when no such file exists.
  TTableLocation Locate(const std::string& name, bool extensionOptional, EngResult notFoundStatus,
                        const std::string& notFoundText) const;

  // The open file of a table, shared by every cursor of the process that reads it the same way
  // (TConnectionCache).
  std::shared_ptr<TTableFile> OpenTableFile(const TTableLocation& location, bool readWrite,
                                            const TSession& session);

  // Transactions: the writes of the database's cursors between begin and end commit together, each
  // table file with a storage transaction of its own begun at its first write.
  EngHandle BeginTransaction();
  void EndTransaction(EngHandle transaction, bool commit);
  // Whether a write through cursor to file runs inside this database's transaction, joining the file to
  // it at its first write. ENG_ERR_TABLE_LOCKED when the file's connection is inside a transaction that
  // is not this database's (another database of this process shares the connection).
  bool JoinTransaction(const std::shared_ptr<TTableFile>& file, EngHandle cursor);

  bool namesIgnoreCase = true;
  bool extensionOptional = true;
  bool waitOnLock = true;
  std::vector<EngHandle> cursors;
  std::vector<EngHandle> statements;

 private:
  EngHandle session_;
  std::string alias_;
  std::string folder_;
  uint32_t openMode_;
  uint32_t shareMode_;
  std::string password_;
  struct TTransaction {
    EngHandle handle = 0;
    std::vector<std::shared_ptr<TTableFile>> files;
    std::vector<EngHandle> cursors;
  };
  std::optional<TTransaction> transaction_;
  void RollBack(const TTransaction& transaction);
};

// Throws ENG_ERR_FOLDER_NOT_FOUND unless folder is an existing folder.
void RequireFolder(const std::string& folder, const std::string& owner);

}  // namespace dbengine
