// What every write to a table file shares: its atomic scope, the statuses of its failures and the
// fingerprint of a row that tells whether someone else changed it.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "storage.h"

namespace dbengine {

// One write, all or nothing. Outside a transaction it is a transaction of its own, begun at once for
// writing (so that two processes never both read a row and then both write it); inside one it is a
// savepoint, so that a failed write leaves the transaction as it was. Anything not committed is undone
// when the scope ends.
class TWriteScope {
 public:
  TWriteScope(sqlite3* db, bool insideTransaction, const std::string& what);
  ~TWriteScope();
  TWriteScope(const TWriteScope&) = delete;
  TWriteScope& operator=(const TWriteScope&) = delete;

  void Commit();

 private:
  sqlite3* db_;
  bool nested_;
  bool done_ = false;
  std::string what_;
};

// Throws the status of a failed write: key violations, blank required fields and failed checks get
// their own statuses, a file that refuses writing the read-only one; the storage library's code and
// message go on the error stack.
[[noreturn]] void FailWriting(sqlite3* db, int code, const std::string& what);

// Runs one statement without a result (BEGIN, COMMIT...); throws FailWriting's statuses.
void Execute(sqlite3* db, const char* sql, const std::string& what);

using TRowDigest = std::array<unsigned char, 32>;

// A digest of every column of row rowId as the file holds it now (types and bytes, blobs whole);
// nullopt when the row does not exist.
std::optional<TRowDigest> DigestOfRow(const TTableFile& table, int64_t rowId);

}  // namespace dbengine
