// libFuzzer target: arbitrary bytes as an input file, all outputs sent to /dev/null. A fatal
// data error is a normal outcome; a crash, a sanitizer report, a hang or an input/output
// failure is a finding.
#include "run_input.h"

using namespace mirelkon;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::FILE* sink = std::fopen("/dev/null", "wb");
  ReportChannel report;
  report.screen = report.resultFile = report.diagnostics = sink;
  report.keyboard = nullptr;
  RunInputBytes(report, data, size);
  return 0;
}
