// The job's count of subuniverses and its result lines. The count is the number of subsets
// IsClosed accepts; it is found by the closed-set counter instead of testing all 2^n subsets,
// which would take minutes for 30 elements.
#include "model/count.h"

#include <cassert>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>

#include "model/closed_set_counter.h"
#include "session/json_records.h"
#include "session/report.h"

namespace {

// |Sub(L)| * 2^(subtrahend - n), one halving or doubling at a time; every step is exact.
double SigmaOf(int subuniverseCount, int n, int subtrahend) {
  double sigma = subuniverseCount;
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

void CountSubuniverses() {
  // At most 2^30 subsets, so the count fits a signed 32-bit integer.
  assert(0 <= job.latticeSize && job.latticeSize <= maxElements);
  const auto start = std::chrono::steady_clock::now();
  const int subuniverseCount = static_cast<int>(
      CountClosedSets(job.latticeSize, job.constraintTable + 1, job.constraintCount));
  const double milliseconds = MillisecondsSince(start);
  const double sigma = SigmaOf(subuniverseCount, job.latticeSize, run.subtrahend);
  const std::string lines[] = {
      "-- Result:   |Sub(L)|=" + std::to_string(subuniverseCount) + " for the partial lattice",
      "-- " + job.nameOfL + ". Thus,",
      "sigma(L) = |Sub(L)|*2^(" + std::to_string(run.subtrahend) + "-|L|) = " + SigmaText(sigma) +
          " .",
  };
  for (const std::string& line : lines) WriteScreenLine(line);
  for (const std::string& line : lines) WriteResultLine(line);
  WriteJobRecord({job.nameOfL, job.latticeSize, run.subtrahend, job.initialConstraintCount,
                  job.constraintCount - job.initialConstraintCount,
                  std::to_string(subuniverseCount), sigma, milliseconds});
}
