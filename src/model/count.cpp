// The job's count of subuniverses and its result lines. The count is the number of subsets
// IsClosed accepts; it is found by the closed-set counter instead of testing all 2^n subsets,
// which would take minutes for 30 elements and forever for 64.
#include "model/count.h"

#include <cassert>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "core/closed_set_counter.h"
#include "session/json_records.h"
#include "session/report.h"

namespace {

// |Sub(L)| * 2^(subtrahend - n), one halving or doubling at a time. Only the conversion of a
// count above 2^53 rounds; every later step is exact.
double SigmaOf(SubsetCount subuniverseCount, int n, int subtrahend) {
  double sigma = static_cast<double>(subuniverseCount);
  for (int i = n; i > subtrahend; --i) sigma /= 2.0;
  for (int i = n; i < subtrahend; ++i) sigma *= 2.0;
  return sigma;
}

// Fixed point, 16 decimals, right-aligned in 21 characters or wider when it needs to be.
std::string SigmaText(double sigma) {
  char text[64];
  std::snprintf(text, sizeof text, "%21.16f", sigma);
  return text;
}

// Milliseconds since start, to the microsecond.
double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
  return std::round(elapsed.count() * 1000) / 1000;
}

}  // namespace

bool IsClosed(const CandidateSubset& subset) {
  for (int k = 1; k <= job.constraintCount; ++k) {
    const ConstraintRecord& c = job.constraintTable[k];
    if (subset[c.left] && subset[c.right] && !subset[c.result]) return false;
  }
  return true;
}

SubsetCount CountedSubuniverses() {
  assert(0 <= job.latticeSize && job.latticeSize <= maxElements);
  std::vector<Rule> rules;
  for (int k = 1; k <= job.constraintCount; ++k) {
    const ConstraintRecord& c = job.constraintTable[k];
    rules.push_back({static_cast<std::uint8_t>(c.left - 1), static_cast<std::uint8_t>(c.right - 1),
                     static_cast<std::uint8_t>(c.result - 1)});
  }
  static ClosedSetCounter counter;
  return counter.Count(job.latticeSize, rules);
}

void CountSubuniverses() {
  const auto start = std::chrono::steady_clock::now();
  const SubsetCount subuniverseCount = CountedSubuniverses();
  const double milliseconds = MillisecondsSince(start);
  const double sigma = SigmaOf(subuniverseCount, job.latticeSize, run.subtrahend);
  const std::string lines[] = {
      "-- Result:   |Sub(L)|=" + DecimalText(subuniverseCount) + " for the partial lattice",
      "-- " + job.nameOfL + ". Thus,",
      "sigma(L) = |Sub(L)|*2^(" + std::to_string(run.subtrahend) + "-|L|) = " + SigmaText(sigma) +
          " .",
  };
  for (const std::string& line : lines) WriteScreenLine(line);
  for (const std::string& line : lines) WriteResultLine(line);
  WriteJobRecord({job.nameOfL, job.latticeSize, run.subtrahend, job.initialConstraintCount,
                  job.constraintCount - job.initialConstraintCount, DecimalText(subuniverseCount),
                  sigma, milliseconds});
}
