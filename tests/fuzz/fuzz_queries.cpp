// libFuzzer target for the questions beyond the count: the first two bytes choose them
// (--profile, --list with a small limit, --bounded, --up-to-symmetry, --containing of the
// element the second byte names, --lattice, JSON records), the rest is the input file. A
// fatal data error or a withheld answer is a normal outcome; a crash, a sanitizer report or
// a hang is a finding.
#include "run_input.h"

using namespace mirelkon;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  static std::FILE* sink = std::fopen("/dev/null", "wb");
  const std::uint8_t asked = data[0];
  Queries queries;
  queries.profile = asked & 1;
  queries.list = asked & 2;
  queries.listLimit = 256;  // a list is written out: keep each run short
  queries.bounded = asked & 4;
  queries.upToSymmetry = asked & 8;
  if (asked & 16) queries.containing = std::string(1, static_cast<char>(data[1]));
  RunOptions options;
  options.lattice = asked & 32;
  options.resultFiles = false;
  options.counter.cacheBytes = std::size_t{8} << 20;
  ReportChannel report;
  report.screen = report.resultFile = report.diagnostics = sink;
  report.keyboard = nullptr;
  RunInputBytes(report, data + 2, size - 2, queries, options, asked & 64 ? sink : nullptr);
  return 0;
}
