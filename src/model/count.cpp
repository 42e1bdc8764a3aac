// The job's count of subuniverses and its result lines. The count is the number of subsets
// IsClosed accepts; it is found by the closed-set counter instead of testing all 2^n subsets,
// which would take minutes for 30 elements and forever for 64.
#include "model/count.h"

#include <algorithm>
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

// True when at least three quarters of the constraints that can exclude a subset have their
// result above both arguments or below both, as joins and meets do.
bool ConstraintsFollowOrder() {
  int relevant = 0, following = 0;
  for (int k = 1; k <= job.constraintCount; ++k) {
    const ConstraintRecord& c = job.constraintTable[k];
    if (c.result == c.left || c.result == c.right) continue;
    ++relevant;
    const auto& below = job.orderMatrix;
    if ((below[c.left][c.result] && below[c.right][c.result]) ||
        (below[c.result][c.left] && below[c.result][c.right]))
      ++following;
  }
  return 4 * following >= 3 * relevant;
}

bool StrictlyBelow(int j, int i) {
  return job.orderMatrix[j][i] && !job.orderMatrix[i][j];
}

// For each element its level in the order, the length of the longest chain below it, when
// the constraints follow the order; else 0 for all. Deciding the elements of a lattice from
// the bottom upwards leaves residual problems that depend only on a narrow band of decided
// elements, which the counter's cache finds again and again. Constraints that ignore the
// order are better served by the counter's own choice.
void LevelsByOrder(int* level) {
  const int n = job.latticeSize;
  std::fill(level, level + n, 0);
  if (!ConstraintsFollowOrder()) return;
  // An element has more elements strictly below it than any element strictly below it, so
  // taking the elements by that number finds every level below one before the level itself.
  int below[maxElements + 1] = {}, byBelow[maxElements];
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) below[i] += StrictlyBelow(j, i);
    byBelow[i - 1] = i;
  }
  std::sort(byBelow, byBelow + n, [&](int a, int b) { return below[a] < below[b]; });
  for (int k = 0; k < n; ++k) {
    const int i = byBelow[k];
    for (int j = 1; j <= n; ++j)
      if (StrictlyBelow(j, i)) level[i - 1] = std::max(level[i - 1], level[j - 1] + 1);
  }
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
  int level[maxElements];
  LevelsByOrder(level);
  std::vector<Rule> rules;
  for (int k = 1; k <= job.constraintCount; ++k) {
    const ConstraintRecord& c = job.constraintTable[k];
    rules.push_back({static_cast<std::uint8_t>(c.left - 1), static_cast<std::uint8_t>(c.right - 1),
                     static_cast<std::uint8_t>(c.result - 1)});
  }
  static ClosedSetCounter counter;
  return counter.Count(job.latticeSize, rules, {level, static_cast<std::size_t>(job.latticeSize)});
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
