// libFuzzer target: arbitrary bytes as an input file, all outputs sent to /dev/null. A
// fatal data error is a normal outcome; a crash, a sanitizer report, a hang or an
// input/output failure is a finding.
#include "run_input.h"
#include "session/report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::FILE* sink = std::fopen("/dev/null", "wb");
  report.screen = sink;
  report.resultFile = sink;
  report.diagnostics = sink;
  RunInputBytes(data, size);
  return 0;
}
