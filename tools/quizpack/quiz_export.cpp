#include "quiz_export.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>

#include "core/text.h"
#include "quiz_error.h"
#include "quiz_markup.h"
#include "quiz_source.h"

namespace fs = std::filesystem;

namespace {

// The colour names in the order of the markup's colour table (\cf1 is black).
constexpr const char* kColourNames[] = {"black",  "red",    "green", "blue",  "navy",
                                        "maroon", "purple", "teal",  "olive", "gray"};

void AppendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Reads back one paragraph of the RTF that the markup converter writes. Anything else it meets
// makes it give up; the caller then keeps the RTF as it is.
class TParagraphReader {
 public:
  TParagraphReader(std::string_view rtf, bool escapeAll) : rtf_(rtf), escapeAll_(escapeAll) {}

  std::optional<std::string> Read() {
    size_t i = 0;
    while (i < rtf_.size()) {
      const std::string_view rest = rtf_.substr(i);
      if (rest.starts_with("{\\b ")) {
        Open("**", i, 4);
      } else if (rest.starts_with("{\\i ")) {
        Open("//", i, 4);
      } else if (rest.starts_with("{\\ul ")) {
        Open("__", i, 5);
      } else if (rest.starts_with("{\\cf")) {
        if (!Colour(i)) return std::nullopt;
      } else if (rest.front() == '}') {
        if (open_.empty()) return std::nullopt;
        out_ += open_.back();
        open_.pop_back();
        ++i;
      } else if (rest.starts_with("\\\\") || rest.starts_with("\\{") || rest.starts_with("\\}")) {
        out_ += rest.substr(0, 2);
        i += 2;
      } else if (rest.starts_with("\\tab ")) {
        out_ += '\t';
        i += 5;
      } else if (rest.starts_with("\\u")) {
        if (!Unicode(i)) return std::nullopt;
      } else if (rest.front() == '\\' || rest.front() == '{' ||
                 static_cast<unsigned char>(rest.front()) < 0x20 ||
                 static_cast<unsigned char>(rest.front()) >= 0x7F) {
        return std::nullopt;
      } else {
        Plain(i);
      }
    }
    if (!open_.empty()) return std::nullopt;
    return out_;
  }

 private:
  void Open(const char* marker, size_t& i, size_t length) {
    out_ += marker;
    open_.push_back(marker);
    i += length;
  }

  bool Colour(size_t& i) {
    size_t end = i + 4;
    while (end < rtf_.size() && rtf_[end] >= '0' && rtf_[end] <= '9')
      ++end;
    if (end == i + 4 || end - i > 6 || end >= rtf_.size() || rtf_[end] != ' ') return false;
    const int index = std::stoi(std::string(rtf_.substr(i + 4, end - i - 4)));
    if (index < 1 || index > static_cast<int>(std::size(kColourNames))) return false;
    out_ += "{" + std::string(kColourNames[index - 1]) + "|";
    open_.push_back("}");
    i = end + 1;
    return true;
  }

  // "\uN?" with N a signed 16-bit unit; two units for a character beyond the first plane.
  bool Unicode(size_t& i) {
    const auto unit = [&](size_t& at) -> std::optional<uint32_t> {
      if (!rtf_.substr(at).starts_with("\\u")) return std::nullopt;
      size_t end = at + 2;
      if (end < rtf_.size() && rtf_[end] == '-') ++end;
      const size_t digits = end;
      while (end < rtf_.size() && rtf_[end] >= '0' && rtf_[end] <= '9')
        ++end;
      if (end == digits || end - digits > 5 || end >= rtf_.size() || rtf_[end] != '?') return std::nullopt;
      int value = std::stoi(std::string(rtf_.substr(at + 2, end - at - 2)));
      if (value < -32768 || value > 65535) return std::nullopt;
      if (value < 0) value += 0x10000;
      at = end + 1;
      return static_cast<uint32_t>(value);
    };
    const auto first = unit(i);
    if (!first) return false;
    uint32_t code = *first;
    if (code >= 0xD800 && code <= 0xDBFF) {
      const auto second = unit(i);
      if (!second || *second < 0xDC00 || *second > 0xDFFF) return false;
      code = 0x10000 + ((code - 0xD800) << 10) + (*second - 0xDC00);
    }
    AppendUtf8(out_, code);
    return true;
  }

  // A markup character next to its twin, or next to a marker, is escaped so that it stays a character.
  void Plain(size_t& i) {
    const char c = rtf_[i];
    const bool special = c == '*' || c == '/' || c == '_';
    const char next = i + 1 < rtf_.size() ? rtf_[i + 1] : '\0';
    const char last = out_.empty() ? '\0' : out_.back();
    const bool besideMarker =
        next == c || next == '{' || next == '}' || last == '*' || last == '/' || last == '_';
    if (special && (escapeAll_ || besideMarker)) out_ += '\\';
    if (i == 0 && c == '=' && next == ' ') out_ += '\\';
    out_ += c;
    ++i;
  }

  std::string_view rtf_;
  bool escapeAll_;
  std::string out_;
  std::vector<std::string> open_;  // what closes each open span in the markup
};

std::optional<std::vector<std::string>> ReadMarkup(const std::string& rtf, bool escapeAll) {
  const std::string empty = MarkupToRtf({}, "", 0);
  const std::string header = empty.substr(0, empty.size() - 2);
  if (!rtf.starts_with(header) || !rtf.ends_with("\n}")) return std::nullopt;
  std::string_view body(rtf);
  body = body.substr(header.size(), body.size() - header.size() - 2);
  std::vector<std::string> lines;
  constexpr std::string_view kBreak = "\\par\n";
  while (true) {
    const size_t end = body.find(kBreak);
    std::string_view paragraph = body.substr(0, end);
    std::optional<std::string> line;
    constexpr std::string_view kTitle = "{\\b\\fs24 ";
    if (paragraph.starts_with(kTitle) && paragraph.ends_with("}")) {
      line =
          TParagraphReader(paragraph.substr(kTitle.size(), paragraph.size() - kTitle.size() - 1), escapeAll)
              .Read();
      if (line) *line = "= " + *line;
    } else {
      line = TParagraphReader(paragraph, escapeAll).Read();
    }
    if (!line) return std::nullopt;
    lines.push_back(std::move(*line));
    if (end == std::string_view::npos) break;
    body = body.substr(end + kBreak.size());
  }
  return lines;
}

// The columns of a quiz row, found by name in the table.
struct TColumns {
  explicit TColumns(const TTableDump& table) {
    const auto find = [&](const char* name, bool needed) -> int {
      const auto at = std::find(table.columns.begin(), table.columns.end(), name);
      if (at == table.columns.end()) {
        if (needed) throw EQuizError(table.tableName + ": the table has no field \"" + name + "\"");
        return -1;
      }
      return static_cast<int>(at - table.columns.begin());
    };
    order = find("Order", true);
    quizName = find("QuizName", true);
    question = find("Question", true);
    answer = find("Answer", true);
    hint = find("Hint", false);
    answerTx = find("AnswerTx", true);
    encourage = find("Encourage", false);
    riff = find("Riff", false);
    userAnswer = find("UserAnswer", false);
  }
  int order, quizName, question, answer, hint, answerTx, encourage, riff, userAnswer;
};

using TRow = std::vector<std::optional<std::string>>;

std::optional<std::string> Value(const TRow& row, int column) {
  return column < 0 ? std::nullopt : row[static_cast<size_t>(column)];
}

TQuizRow QuizRowOf(const TRow& row, const TColumns& columns) {
  TQuizRow quiz;
  quiz.order = Value(row, columns.order).value_or("");
  quiz.quizName = Value(row, columns.quizName).value_or("");
  quiz.question = Value(row, columns.question);
  quiz.answer = Value(row, columns.answer);
  quiz.hint = Value(row, columns.hint);
  quiz.answerTx = Value(row, columns.answerTx).value_or("");
  quiz.encourage = Value(row, columns.encourage);
  quiz.riff = Value(row, columns.riff);
  quiz.userAnswer = Value(row, columns.userAnswer);
  return quiz;
}

std::string RowName(size_t index, const TQuizRow& row) {
  return "row " + std::to_string(index + 1) + (row.order.empty() ? "" : " (" + row.order + ")");
}

void WriteBlock(std::string& text, const char* key, const std::optional<std::string>& blob) {
  if (!blob || blob->empty()) return;
  if (const auto markup = RtfToMarkup(*blob)) {
    text += std::string(key) + ":\n";
    for (const auto& line : *markup)
      text += line.empty() ? "\n" : "  " + line + "\n";
    return;
  }
  text += std::string(key) + "-rtf:\n";
  std::string_view rest(*blob);
  if (rest.ends_with('\n')) rest.remove_suffix(1);
  while (true) {
    const size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    text += line.empty() ? "\n" : "  " + std::string(line) + "\n";
    if (end == std::string_view::npos) break;
    rest = rest.substr(end + 1);
  }
}

// Rows the source format cannot hold at all, named before anything is written.
void CheckExportable(size_t index, const TQuizRow& row) {
  const auto refuse = [&](const std::string& why) {
    throw EQuizError(RowName(index, row) + ": " + why + "; a quiz source cannot hold it");
  };
  if (row.quizName.empty()) refuse("it has no QuizName");
  if (row.order.empty()) refuse("it has no Order");
  if (row.answerTx.size() != 1) refuse("its AnswerTx is not one character");
  if (!row.question || row.question->empty()) refuse("it has no Question");
  if (!row.answer || row.answer->empty()) refuse("it has no Answer");
}

std::string FileNameOf(const std::string& category) {
  std::string name;
  for (char c : category) {
    const bool word = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (c >= 'A' && c <= 'Z') {
      name += static_cast<char>(c - 'A' + 'a');
    } else if (word) {
      name += c;
    } else if (!name.empty() && name.back() != '-') {
      name += '-';
    }
  }
  while (!name.empty() && name.back() == '-')
    name.pop_back();
  return name.empty() ? "category" : name;
}

void CompareBlob(const std::string& where, const char* field, const std::optional<std::string>& original,
                 const std::optional<std::string>& built, std::vector<std::string>& notes) {
  if (original == built) return;
  const bool emptyAsNull = !built && original && original->empty();
  notes.push_back(where + ": " + field +
                  (emptyAsNull ? ": an empty blob is written as none (NULL)"
                               : ": the RTF's line ends are written as line feeds; its text is the same"));
}

}  // namespace

std::optional<std::vector<std::string>> RtfToMarkup(const std::string& rtf) {
  for (const bool escapeAll : {false, true}) {
    const auto lines = ReadMarkup(rtf, escapeAll);
    if (!lines) return std::nullopt;
    // A block drops its last empty lines and reads a line of blanks as an empty one.
    if (lines->back().empty()) return std::nullopt;
    for (const auto& line : *lines) {
      if (!line.empty() && Trim(line).empty()) return std::nullopt;
    }
    try {
      if (MarkupToRtf(*lines, "", 0) == rtf) return lines;
    } catch (const EQuizError&) {
      // The lighter escaping made markup that does not read; the full escaping comes next.
    }
  }
  return std::nullopt;
}

TExport ExportQuizSources(const TTableDump& table) {
  const TColumns columns(table);
  std::vector<std::string> categories;
  std::map<std::string, std::vector<std::pair<size_t, TQuizRow>>> rowsOf;
  for (size_t index = 0; index < table.rows.size(); ++index) {
    TQuizRow row = QuizRowOf(table.rows[index], columns);
    CheckExportable(index, row);
    if (!rowsOf.count(row.quizName)) categories.push_back(row.quizName);
    rowsOf[row.quizName].emplace_back(index, std::move(row));
  }

  TExport exported;
  std::map<std::string, int> namesTaken;
  for (const auto& category : categories) {
    TExportedSource source;
    source.category = category;
    source.fileName = FileNameOf(category);
    if (const int taken = namesTaken[source.fileName]++; taken > 0)
      source.fileName += "-" + std::to_string(taken + 1);
    source.fileName += ".quiz";
    source.text =
        "# Written by quizpack export from the table " + table.tableName + ".\ncategory: " + category + "\n";
    const auto& rows = rowsOf[category];
    for (const auto& [index, row] : rows) {
      source.text += "\nquestion: " + row.order + "\nletter: " + row.answerTx + "\n";
      if (row.userAnswer) source.text += "user-answer: " + *row.userAnswer + "\n";
      WriteBlock(source.text, "text", row.question);
      WriteBlock(source.text, "answer", row.answer);
      WriteBlock(source.text, "hint", row.hint);
      WriteBlock(source.text, "encourage", row.encourage);
      WriteBlock(source.text, "riff", row.riff);
    }
    source.questions = static_cast<int>(rows.size());

    // Built again, each row must come back; only trailing line ends of kept RTF may differ.
    std::vector<TQuizRow> built;
    try {
      built = QuizRows({ParseQuizSource(source.text, source.fileName, false)});
    } catch (const EQuizError& error) {
      throw EQuizError("category \"" + category + "\" cannot be written as a quiz source: " + error.what());
    }
    for (size_t k = 0; k < rows.size(); ++k) {
      const auto& [index, row] = rows[k];
      const TQuizRow& again = built.at(k);
      const std::string where = RowName(index, row);
      if (again.order != row.order || again.quizName != row.quizName || again.answerTx != row.answerTx ||
          again.userAnswer != row.userAnswer) {
        throw EQuizError(where +
                         ": its Order, QuizName, AnswerTx or UserAnswer cannot be written as they are");
      }
      CompareBlob(where, "Question", row.question, again.question, exported.notes);
      CompareBlob(where, "Answer", row.answer, again.answer, exported.notes);
      CompareBlob(where, "Hint", row.hint, again.hint, exported.notes);
      CompareBlob(where, "Encourage", row.encourage, again.encourage, exported.notes);
      CompareBlob(where, "Riff", row.riff, again.riff, exported.notes);
    }
    exported.sources.push_back(std::move(source));
  }
  return exported;
}

std::vector<std::string> WriteQuizSources(const TExport& exported, const std::string& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error || !fs::is_directory(folder)) throw EQuizError(folder + ": cannot be made a folder");
  std::vector<std::string> written;
  for (const auto& source : exported.sources) {
    const std::string path = (fs::path(folder) / source.fileName).string();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << source.text;
    out.close();
    if (!out) throw EQuizError(path + ": cannot be written");
    written.push_back(path);
  }
  return written;
}
