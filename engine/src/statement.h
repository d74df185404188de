// A statement of the local SQL dialect: parsed and checked against its table when prepared, run as a new
// cursor when executed.
#pragma once

#include <memory>
#include <string>

#include "cursor.h"
#include "handles.h"

namespace dbengine {

class TDatabase;
class TSession;

class TStatement : public TObject {
 public:
  explicit TStatement(EngHandle database) : TObject(TObjectKind::Statement), database_(database) {}

  EngHandle Database() const { return database_; }
  bool Prepared() const { return prepared_; }

  // Parses text and checks it against its table, which it opens (passwords of session). Throws EEngineFault.
  void Prepare(const std::string& text, TDatabase& database, const TSession& session);
  // A new cursor over the statement's rows (not yet given a handle or started).
  std::unique_ptr<TCursor> MakeCursor() const;

  bool unidirectional = false;
  uint32_t resultKind = 2;
  bool constrained = false;
  bool ansiText = false;

 private:
  EngHandle database_;
  bool prepared_ = false;
  TRecordLayout layout_;
  TCursorSource source_;
  std::string tablePath_;
};

// The storage query that reads every selected field of a table (blob fields by their length only).
std::string SelectSql(const TTableFile& table, const TRecordLayout& layout, const std::string& whereClause,
                      const std::string& orderClause);

}  // namespace dbengine
