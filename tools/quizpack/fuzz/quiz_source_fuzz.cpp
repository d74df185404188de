// libFuzzer entry point for the quiz source reader: any fault found by CheckQuizInput stops the run.

#include <cstdio>
#include <cstdlib>

#include "quiz_fuzz_body.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string fault = CheckQuizInput(data, size);
  if (!fault.empty()) {
    std::fprintf(stderr, "quiz_source_fuzz: %s\n", fault.c_str());
    std::abort();
  }
  return 0;
}
