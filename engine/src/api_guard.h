// Glue between the C interface and the engine: every entry runs its body inside Guard, which clears the
// error stack, turns faults into statuses and records them, and lets no exception out.
#pragma once

#include <cstring>
#include <new>
#include <string>

#include "engine_state.h"
#include "field_layout.h"

namespace dbengine {

template <typename Body>
EngResult Guard(Body&& body) noexcept {
  TEngine* engine = nullptr;
  try {
    engine = &TEngine::Instance();
    engine->ClearErrors();
    return body(*engine);
  } catch (const EEngineFault& fault) {
    if (engine != nullptr) engine->Record(fault);
    return fault.Status();
  } catch (const std::bad_alloc&) {
    if (engine != nullptr) engine->Record(EEngineFault(ENG_ERR_NO_MEMORY, "Out of memory"));
    return ENG_ERR_NO_MEMORY;
  } catch (const std::exception& error) {
    try {
      if (engine != nullptr) engine->Record(EEngineFault(ENG_ERR_INTERNAL, error.what()));
    } catch (...) {
    }
    return ENG_ERR_INTERNAL;
  } catch (...) {
    return ENG_ERR_INTERNAL;
  }
}

// Copies text, zero-terminated and cut at a character boundary, into a buffer of size bytes.
inline void CopyText(char* dest, const std::string& text, size_t size) {
  const size_t kept = Utf8Prefix(text.data(), text.size(), size - 1);
  std::memcpy(dest, text.data(), kept);
  dest[kept] = '\0';
}

template <typename T>
T* Require(T* pointer, const char* what) {
  if (pointer == nullptr) Fail(ENG_ERR_INVALID_PARAMETER, std::string("No ") + what + " given");
  return pointer;
}

inline std::string TextOrEmpty(const char* text) {
  return text != nullptr ? std::string(text) : std::string();
}

}  // namespace dbengine
