// libFuzzer entry point for the RTF reader: any fault found by CheckRtfInput stops the run.

#include <cstdio>
#include <cstdlib>

#include "rtf_fuzz_body.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string fault = CheckRtfInput(data, size);
  if (!fault.empty()) {
    std::fprintf(stderr, "rtf_reader_fuzz: %s\n", fault.c_str());
    std::abort();
  }
  return 0;
}
