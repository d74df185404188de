// libFuzzer entry point for the help file reader: any fault found by CheckHelpInput stops the run.

#include <cstdio>
#include <cstdlib>

#include "platform/help/fuzz/help_fuzz_body.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string fault = CheckHelpInput(data, size);
  if (!fault.empty()) {
    std::fprintf(stderr, "help_file_fuzz: %s\n", fault.c_str());
    std::abort();
  }
  return 0;
}
