// Statuses, their texts, and the fault that carries a failure up to the C interface.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dbengine.h"

namespace dbengine {

// The fixed text of a status, as EngGetErrorText answers it.
std::string_view StatusText(EngResult status);

// Cuts text to at most maxBytes bytes without splitting a UTF-8 character; a cut text ends in "...".
std::string FitText(std::string_view text, size_t maxBytes = ENG_MAX_MSG_LEN);

// Keeps the end of a long file name, where the distinguishing part is: ".../quiz/vezedezavuza.db".
std::string FitPath(std::string_view path, size_t maxBytes = 80);

// One entry of the error stack.
struct TErrorEntry {
  EngResult status = 0;
  int32_t nativeCode = 0;
  std::string text;
};

// A failure inside the engine: the first entry says what failed, further entries add the context.
class EEngineFault {
 public:
  EEngineFault(EngResult status, std::string text, int32_t nativeCode = 0);

  EngResult Status() const { return entries_.front().status; }
  const std::vector<TErrorEntry>& Entries() const { return entries_; }
  // Adds a line of context (for example the storage library's own message).
  EEngineFault& With(EngResult status, std::string text, int32_t nativeCode = 0);

 private:
  std::vector<TErrorEntry> entries_;
};

[[noreturn]] void Fail(EngResult status, std::string text, int32_t nativeCode = 0);

}  // namespace dbengine
