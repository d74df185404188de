#include "quiz_source.h"

#include <fstream>
#include <sstream>

#include "core/text.h"
#include "quiz_error.h"

namespace {

constexpr size_t kMaxCategory = 20;
constexpr size_t kMaxOrder = 5;

class TSourceParser {
 public:
  TSourceParser(std::string fileName, bool strict) : strict_(strict) {
    source_.fileName = std::move(fileName);
  }

  TQuizSource Run(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
      ++lineNumber_;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      Line(line);
    }
    CloseBlock();
    FinishQuestion();
    if (source_.category.empty()) Problem(lineNumber_, "the file has no 'category:' line");
    return std::move(source_);
  }

 private:
  [[noreturn]] void Problem(int line, const std::string& text) const {
    throw EQuizError(source_.fileName + ":" + std::to_string(line) + ": " + text);
  }

  void Line(const std::string& line) {
    if (!line.empty() && line.front() == '#') return;
    if (Trim(line).empty()) {
      if (block_ != nullptr) ++pendingEmpty_;
      return;
    }
    if (line.rfind("  ", 0) == 0) {
      if (block_ == nullptr) Problem(lineNumber_, "an indented line outside a text block");
      for (; pendingEmpty_ > 0; --pendingEmpty_)
        block_->lines.emplace_back();
      block_->lines.push_back(line.substr(2));
      return;
    }
    if (line.front() == ' ' || line.front() == '\t') {
      Problem(lineNumber_, "indent block lines with two spaces (no tabs)");
    }
    CloseBlock();
    const auto colon = line.find(':');
    if (colon == std::string::npos) Problem(lineNumber_, "expected 'key: value'");
    Field(std::string(Trim(line.substr(0, colon))), std::string(Trim(line.substr(colon + 1))));
  }

  void Field(const std::string& key, const std::string& value) {
    if (key == "category") {
      if (!source_.category.empty()) Problem(lineNumber_, "a second 'category:' line");
      if (!source_.questions.empty() || question_)
        Problem(lineNumber_, "'category:' must come before the questions");
      if (value.empty()) Problem(lineNumber_, "the category is empty");
      if (value.size() > kMaxCategory) {
        Problem(lineNumber_, "the category '" + value + "' is longer than 20 bytes");
      }
      source_.category = value;
      return;
    }
    if (key == "question") {
      if (source_.category.empty()) Problem(lineNumber_, "'question:' before the 'category:' line");
      FinishQuestion();
      if (value.empty()) Problem(lineNumber_, "the question has no order value");
      if (value.size() > kMaxOrder)
        Problem(lineNumber_, "the order value '" + value + "' is longer than 5 bytes");
      question_ = TQuizQuestion{};
      question_->order = value;
      question_->line = lineNumber_;
      return;
    }
    if (!question_) Problem(lineNumber_, "'" + key + ":' before the first 'question:' line");
    if (key == "letter") {
      if (!question_->letter.empty()) Problem(lineNumber_, "a second 'letter:' for this question");
      if (value.size() != 1 || static_cast<unsigned char>(value[0]) < 0x21 ||
          static_cast<unsigned char>(value[0]) > 0x7E) {
        Problem(lineNumber_, "the letter must be one printable character");
      }
      if (strict_ && (value[0] < 'A' || value[0] > 'D'))
        Problem(lineNumber_, "the letter must be A, B, C or D");
      question_->letter = value;
      return;
    }
    if (key == "user-answer") {
      if (question_->userAnswer) Problem(lineNumber_, "a second 'user-answer:' for this question");
      if (value.size() > 1) Problem(lineNumber_, "the user answer is longer than 1 byte");
      question_->userAnswer = value;
      return;
    }
    constexpr std::string_view kRtfSuffix = "-rtf";
    const bool rtf = key.size() > kRtfSuffix.size() && key.ends_with(kRtfSuffix);
    const std::string field = rtf ? key.substr(0, key.size() - kRtfSuffix.size()) : key;
    std::optional<TQuizBlock>* target = nullptr;
    if (field == "text") target = &question_->text;
    if (field == "answer") target = &question_->answer;
    if (field == "hint") target = &question_->hint;
    if (field == "encourage") target = &question_->encourage;
    if (field == "riff") target = &question_->riff;
    if (target == nullptr) Problem(lineNumber_, "unknown key '" + key + "'");
    if (target->has_value()) Problem(lineNumber_, "a second '" + field + "' block for this question");
    target->emplace();
    (*target)->rtf = rtf;
    (*target)->firstLine = lineNumber_ + 1;
    if (!value.empty()) {
      (*target)->lines.push_back(value);
      (*target)->firstLine = lineNumber_;
    }
    block_ = &**target;
    blockKey_ = key;
    blockLine_ = lineNumber_;
  }

  void CloseBlock() {
    if (block_ != nullptr && block_->lines.empty()) Problem(blockLine_, "'" + blockKey_ + ":' has no lines");
    block_ = nullptr;
    pendingEmpty_ = 0;
  }

  void FinishQuestion() {
    if (!question_) return;
    const auto missing = [&](const char* what) {
      Problem(question_->line, "question " + question_->order + " has no '" + what + ":'");
    };
    if (question_->letter.empty()) missing("letter");
    if (!question_->text) missing("text");
    if (!question_->answer) missing("answer");
    source_.questions.push_back(std::move(*question_));
    question_.reset();
  }

  bool strict_;
  TQuizSource source_;
  std::optional<TQuizQuestion> question_;
  TQuizBlock* block_ = nullptr;
  std::string blockKey_;
  int blockLine_ = 0;
  int pendingEmpty_ = 0;
  int lineNumber_ = 0;
};

}  // namespace

TQuizSource ParseQuizSource(const std::string& text, const std::string& fileName, bool strict) {
  return TSourceParser(fileName, strict).Run(text);
}

TQuizSource LoadQuizSource(const std::string& path, bool strict) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EQuizError(path + ": cannot be read");
  std::ostringstream text;
  text << in.rdbuf();
  return ParseQuizSource(text.str(), path, strict);
}
