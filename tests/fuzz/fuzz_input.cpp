// libFuzzer target: arbitrary bytes as an input file. A fatal data error is a normal
// outcome; a crash, a sanitizer report, a hang or an input/output failure is a finding.
#include "run_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RunInputBytes(data, size);
  return 0;
}
