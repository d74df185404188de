#include "quiz_table.h"

#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>

#include "quiz_error.h"
#include "quiz_markup.h"

namespace fs = std::filesystem;

namespace {

class TConnection {
 public:
  TConnection(const std::string& path, int flags, const std::string& password) {
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) Fail(path + ": cannot be opened");
    if (!password.empty() &&
        sqlite3_key(db_, password.data(), static_cast<int>(password.size())) != SQLITE_OK) {
      Fail(path + ": cannot set the password");
    }
  }
  ~TConnection() { sqlite3_close_v2(db_); }
  TConnection(const TConnection&) = delete;
  TConnection& operator=(const TConnection&) = delete;

  sqlite3* Get() const { return db_; }
  void Exec(const std::string& sql, const std::string& what) {
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) Fail(what);
  }
  [[noreturn]] void Fail(const std::string& what) const {
    throw EQuizError(what + " (" + (db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory") + ")");
  }

 private:
  sqlite3* db_ = nullptr;
};

class TStatement {
 public:
  TStatement(TConnection& connection, const std::string& sql) {
    if (sqlite3_prepare_v2(connection.Get(), sql.c_str(), -1, &stmt_, nullptr) != SQLITE_OK) {
      connection.Fail("cannot prepare: " + sql);
    }
  }
  ~TStatement() { sqlite3_finalize(stmt_); }
  TStatement(const TStatement&) = delete;
  TStatement& operator=(const TStatement&) = delete;
  sqlite3_stmt* Get() const { return stmt_; }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

std::string Quote(const std::string& name) {
  std::string quoted = "\"";
  for (char c : name) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + "\"";
}

void BindText(sqlite3_stmt* stmt, int index, const std::string& text) {
  sqlite3_bind_text(stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void BindBlob(sqlite3_stmt* stmt, int index, const std::optional<std::string>& bytes) {
  if (!bytes) {
    sqlite3_bind_null(stmt, index);
  } else {
    sqlite3_bind_blob(stmt, index, bytes->data(), static_cast<int>(bytes->size()), SQLITE_TRANSIENT);
  }
}

std::optional<std::string> Rtf(const std::optional<TQuizBlock>& block, const std::string& fileName) {
  if (!block) return std::nullopt;
  if (block->rtf) {
    std::string rtf;
    for (const auto& line : block->lines)
      rtf += line + "\n";
    return rtf;
  }
  return MarkupToRtf(block->lines, fileName, block->firstLine);
}

}  // namespace

std::vector<TQuizRow> QuizRows(const std::vector<TQuizSource>& sources) {
  std::vector<TQuizRow> rows;
  for (const auto& source : sources) {
    for (const auto& question : source.questions) {
      TQuizRow row;
      row.order = question.order;
      row.quizName = source.category;
      row.question = Rtf(question.text, source.fileName);
      row.answer = Rtf(question.answer, source.fileName);
      row.hint = Rtf(question.hint, source.fileName);
      row.answerTx = question.letter;
      row.encourage = Rtf(question.encourage, source.fileName);
      row.riff = Rtf(question.riff, source.fileName);
      row.userAnswer = question.userAnswer;
      rows.push_back(std::move(row));
    }
  }
  return rows;
}

void WriteQuizTable(const std::string& path, const std::string& password, const std::vector<TQuizRow>& rows) {
  const fs::path target(path);
  std::string table = target.filename().string();
  if (table.size() > 3 && table.substr(table.size() - 3) == ".db") table.resize(table.size() - 3);
  const std::string temporary = path + ".part";
  std::error_code ignored;
  fs::remove(temporary, ignored);
  {
    TConnection connection(temporary, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, password);
    connection.Exec(
        "CREATE TABLE " + Quote(table) +
            " (\"Order\" VARCHAR(5), \"QuizName\" VARCHAR(20), \"Question\" FMTMEMO(1),"
            " \"Answer\" BLOB(1), \"Hint\" BLOB(1), \"AnswerTx\" VARCHAR(1), \"Encourage\" BLOB(1),"
            " \"Riff\" BLOB(1), \"UserAnswer\" VARCHAR(1))",
        temporary + ": cannot create the table");
    connection.Exec("BEGIN", temporary + ": cannot start writing");
    TStatement insert(connection,
                      "INSERT INTO " + Quote(table) + " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
    for (const auto& row : rows) {
      sqlite3_stmt* stmt = insert.Get();
      BindText(stmt, 1, row.order);
      BindText(stmt, 2, row.quizName);
      BindBlob(stmt, 3, row.question);
      BindBlob(stmt, 4, row.answer);
      BindBlob(stmt, 5, row.hint);
      BindText(stmt, 6, row.answerTx);
      BindBlob(stmt, 7, row.encourage);
      BindBlob(stmt, 8, row.riff);
      if (row.userAnswer) {
        BindText(stmt, 9, *row.userAnswer);
      } else {
        sqlite3_bind_null(stmt, 9);
      }
      if (sqlite3_step(stmt) != SQLITE_DONE) connection.Fail(temporary + ": cannot write row " + row.order);
      sqlite3_reset(stmt);
    }
    connection.Exec("COMMIT", temporary + ": cannot finish writing");
  }
  fs::rename(temporary, target, ignored);
  if (ignored) {
    fs::remove(temporary, ignored);
    throw EQuizError(path + ": cannot be replaced");
  }
}

TTableDump ReadTable(const std::string& path, const std::string& password) {
  if (!fs::is_regular_file(path)) throw EQuizError(path + ": no such file");
  TConnection connection(path, SQLITE_OPEN_READONLY, password);
  if (sqlite3_exec(connection.Get(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) !=
      SQLITE_OK) {
    throw EQuizError(path + ": wrong password, or not a table file");
  }
  TTableDump dump;
  std::string stem = fs::path(path).stem().string();
  {
    TStatement tables(connection, "SELECT name FROM sqlite_master WHERE type = 'table'");
    while (sqlite3_step(tables.Get()) == SQLITE_ROW) {
      const std::string name = reinterpret_cast<const char*>(sqlite3_column_text(tables.Get(), 0));
      if (dump.tableName.empty() || name == stem) dump.tableName = name;
    }
  }
  if (dump.tableName.empty()) throw EQuizError(path + ": holds no table");
  TStatement select(connection, "SELECT * FROM " + Quote(dump.tableName) + " ORDER BY rowid");
  const int count = sqlite3_column_count(select.Get());
  for (int i = 0; i < count; ++i) {
    dump.columns.push_back(sqlite3_column_name(select.Get(), i));
    const char* declared = sqlite3_column_decltype(select.Get(), i);
    dump.declaredTypes.push_back(declared != nullptr ? declared : "");
  }
  int rc;
  while ((rc = sqlite3_step(select.Get())) == SQLITE_ROW) {
    std::vector<std::optional<std::string>> row;
    for (int i = 0; i < count; ++i) {
      if (sqlite3_column_type(select.Get(), i) == SQLITE_NULL) {
        row.emplace_back();
      } else {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(select.Get(), i));
        row.emplace_back(std::string(bytes != nullptr ? bytes : "",
                                     static_cast<size_t>(sqlite3_column_bytes(select.Get(), i))));
      }
    }
    dump.rows.push_back(std::move(row));
  }
  if (rc != SQLITE_DONE) connection.Fail(path + ": cannot be read whole");
  return dump;
}
