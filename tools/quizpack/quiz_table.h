// Writing quiz table files (one SQLite table per file, encrypted with its table password) and reading
// any table file back.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "quiz_source.h"

// One row of the quiz table, its blobs already RTF. An empty optional is NULL.
struct TQuizRow {
  std::string order;
  std::string quizName;
  std::optional<std::string> question, answer, hint;
  std::string answerTx;
  std::optional<std::string> encourage, riff;
  std::optional<std::string> userAnswer;
};

// The rows of parsed sources, in file and question order, with the markup turned into RTF.
std::vector<TQuizRow> QuizRows(const std::vector<TQuizSource>& sources);

// Writes a quiz table (the nine quiz fields) to path, replacing it whole only once the new file is
// complete. The table inside is named after the file without ".db". An empty password leaves the file
// unencrypted. Throws EQuizError.
void WriteQuizTable(const std::string& path, const std::string& password, const std::vector<TQuizRow>& rows);

// Any table file read back: its columns and rows (values as text or bytes; nullopt for NULL).
struct TTableDump {
  std::string tableName;
  std::vector<std::string> columns;
  std::vector<std::string> declaredTypes;
  std::vector<std::vector<std::optional<std::string>>> rows;
};

// Throws EQuizError when the file cannot be opened with password (wrong password, not a table).
TTableDump ReadTable(const std::string& path, const std::string& password);
