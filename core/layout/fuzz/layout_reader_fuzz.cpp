// libFuzzer entry point for the stored layout reader: any fault found by CheckLayoutInput stops the run.

#include <cstdio>
#include <cstdlib>

#include "core/layout/fuzz/layout_fuzz_body.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string fault = CheckLayoutInput(data, size);
  if (!fault.empty()) {
    std::fprintf(stderr, "layout_reader_fuzz: %s\n", fault.c_str());
    std::abort();
  }
  return 0;
}
