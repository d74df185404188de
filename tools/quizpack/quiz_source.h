// The editable quiz source (*.quiz): one category per file, then its questions.
//
//   # a comment line
//   category: Classic Television 2        at most 20 bytes
//
//   question: CT01                       starts a row; its "Order", at most 5 bytes
//   letter: B                            the right choice ("AnswerTx"), one character
//   text:                                block fields: text, answer (both needed), hint, encourage, riff;
//     = Title line                         each block is the following lines indented by two spaces,
//     Plain words with **markup**.         in the markup of quiz_markup.h
//     A. first choice
//
// Blank lines inside a block are empty paragraphs when the block goes on after them.
//
// Text that the markup cannot express (what a rich text editor wrote: fonts, indents, pictures...)
// is kept as RTF itself: "text-rtf:", "answer-rtf:", "hint-rtf:", "encourage-rtf:" and "riff-rtf:"
// take the RTF's lines as their block, each line ending in a line feed. "user-answer:" gives the
// row's one-character "UserAnswer" (NULL without it).
#pragma once

#include <optional>
#include <string>
#include <vector>

struct TQuizBlock {
  std::vector<std::string> lines;
  int firstLine = 0;
  bool rtf = false;  // the lines are RTF, not markup
};

struct TQuizQuestion {
  std::string order;
  std::string letter;
  std::optional<std::string> userAnswer;
  int line = 0;  // of its "question:" line
  std::optional<TQuizBlock> text, answer, hint, encourage, riff;
};

struct TQuizSource {
  std::string fileName;
  std::string category;
  std::vector<TQuizQuestion> questions;
};

// Parses source text; fileName names it in errors ("file:line: problem", EQuizError). With strict, the
// letter must be one of A, B, C, D.
TQuizSource ParseQuizSource(const std::string& text, const std::string& fileName, bool strict);
TQuizSource LoadQuizSource(const std::string& path, bool strict);
