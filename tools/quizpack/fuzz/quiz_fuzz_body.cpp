#include "quiz_fuzz_body.h"

#include <exception>
#include <optional>

#include "quiz_error.h"
#include "quiz_markup.h"
#include "quiz_source.h"

namespace {

// Braces of an RTF text that are not escaped with a backslash must pair up, outermost first.
bool BracesBalance(const std::string& Rtf) {
  int depth = 0;
  for (std::size_t i = 0; i < Rtf.size(); ++i) {
    if (Rtf[i] == '\\') {
      ++i;
    } else if (Rtf[i] == '{') {
      ++depth;
    } else if (Rtf[i] == '}' && --depth < 0) {
      return false;
    }
  }
  return depth == 0;
}

std::string CheckBlock(const std::optional<TQuizBlock>& Block, const char* Key) {
  if (!Block) return {};
  std::string rtf;
  try {
    rtf = MarkupToRtf(Block->lines, "fuzz.quiz", Block->firstLine);
  } catch (const EQuizError&) {
    return {};
  }
  if (rtf.rfind("{\\rtf1", 0) != 0 || !BracesBalance(rtf))
    return std::string("malformed RTF for ") + Key + ": " + rtf;
  return {};
}

std::string CheckSource(const TQuizSource& Source, bool Strict) {
  if (Source.category.empty() || Source.category.size() > 20) return "a category outside the limits";
  for (const TQuizQuestion& q : Source.questions) {
    if (q.order.empty() || q.order.size() > 5) return "an order value outside the limits: " + q.order;
    if (q.letter.size() != 1) return "a letter that is not one character: " + q.letter;
    if (!q.text || !q.answer) return "question " + q.order + " without its text or answer";
    if (Strict && (q.letter[0] < 'A' || q.letter[0] > 'D')) {
      return "a strict source with the letter " + q.letter;
    }
    for (const auto& [block, key] :
         {std::pair{&q.text, "text"}, std::pair{&q.answer, "answer"}, std::pair{&q.hint, "hint"},
          std::pair{&q.encourage, "encourage"}, std::pair{&q.riff, "riff"}}) {
      if (std::string fault = CheckBlock(*block, key); !fault.empty()) return fault;
    }
  }
  return {};
}

}  // namespace

std::string CheckQuizInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::optional<TQuizSource> lenient;
  for (const bool strict : {false, true}) {
    TQuizSource source;
    try {
      source = ParseQuizSource(text, "fuzz.quiz", strict);
    } catch (const EQuizError& e) {
      if (std::string(e.what()).rfind("fuzz.quiz:", 0) != 0)
        return std::string("an error without its place: ") + e.what();
      continue;
    } catch (const std::exception& e) {
      return std::string("an error other than a quiz error: ") + e.what();
    }
    if (std::string fault = CheckSource(source, strict); !fault.empty()) return fault;
    if (!strict) {
      lenient = std::move(source);
    } else if (!lenient) {
      return "strict reading accepts what lenient reading refuses";
    } else if (lenient->category != source.category || lenient->questions.size() != source.questions.size()) {
      return "strict and lenient reading differ";
    }
  }
  return {};
}
