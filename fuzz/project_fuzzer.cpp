#include "fuzz/project_round_trip.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// libFuzzer entry: every input is read as a project file; a broken property ends the process so the fuzzer
// keeps the input as a crash artifact.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const std::string violation = tavrin::fuzz::projectRoundTripViolation(
      QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
  if (!violation.empty()) {
    std::fprintf(stderr, "Violated: %s\n", violation.c_str());
    std::abort();
  }
  return 0;
}
