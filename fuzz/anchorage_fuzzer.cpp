#include "fuzz/fuzz_input.h"

#include <cstdio>
#include <cstdlib>

// libFuzzer entry: every input becomes one calculation, and a broken property ends the process so the
// fuzzer keeps the input as a crash artifact.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const tavrin::AnchorageInput input = tavrin::fuzz::decodeInput({data, size});
  const std::vector<std::string> violations = tavrin::fuzz::checkRun(input);
  if (!violations.empty()) {
    std::fprintf(stderr, "Input: %s\n", tavrin::fuzz::describeInput(input).c_str());
    for (const std::string &violation : violations) {
      std::fprintf(stderr, "Violated: %s\n", violation.c_str());
    }
    std::abort();
  }
  return 0;
}
