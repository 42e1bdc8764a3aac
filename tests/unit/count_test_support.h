// Test support for the count: filling the job's constraint table, the constraints of a
// lattice given by its order, and the literal enumeration of all subsets through IsClosed.
#pragma once

#include <cstdint>
#include <vector>

#include "core/closed_set_counter.h"
#include "model/count.h"
#include "model/job_model.h"

struct JobRule {
  int left, right, result;
};

// Makes the rules the current job's constraint table, slots 1.., for n elements.
inline void SetJob(int n, const std::vector<JobRule>& rules) {
  job.latticeSize = n;
  job.constraintCount = static_cast<int>(rules.size());
  for (int k = 1; k <= job.constraintCount; ++k) {
    const JobRule& r = rules[k - 1];
    job.constraintTable[k] = {static_cast<std::uint8_t>(r.left), static_cast<std::uint8_t>(r.right),
                              static_cast<std::uint8_t>(r.result), 1};
  }
}

// The job's constraint table as the counter's rules.
inline std::vector<Rule> CounterRules() {
  std::vector<Rule> rules;
  for (int k = 1; k <= job.constraintCount; ++k) {
    const ConstraintRecord& c = job.constraintTable[k];
    rules.push_back({static_cast<std::uint8_t>(c.left - 1), static_cast<std::uint8_t>(c.right - 1),
                     static_cast<std::uint8_t>(c.result - 1)});
  }
  return rules;
}

// The job's constraint table counted by a counter of its own.
inline SubsetCount CountJob(Search search = Search::full) {
  return ClosedSetCounter(search).Count(job.latticeSize, CounterRules());
}

// The oracle: every subset of the job's elements tested by IsClosed, advanced as a binary
// counter whose least significant digit is element n.
inline std::int64_t EnumeratedCount() {
  CandidateSubset candidate{};
  std::int64_t count = 0;
  for (bool wrapped = false; !wrapped;) {
    if (IsClosed(candidate)) ++count;
    bool carry = true;
    for (int i = job.latticeSize; carry && i >= 1; --i) {
      candidate[i] = !candidate[i];
      carry = !candidate[i];
    }
    wrapped = carry;
  }
  return count;
}

// leq[x][y] (1-based): x <= y in a lattice of n elements.
using Order = std::vector<std::vector<bool>>;

// x+y=z and x*y=z for every incomparable pair x < y, as the inputs built from genuine
// lattices state them; comparable pairs give no constraint.
inline std::vector<JobRule> LatticeRules(int n, const Order& leq) {
  auto bound = [&](int x, int y, bool upper) {
    for (int z = 1; z <= n; ++z) {
      auto below = [&](int a, int b) { return upper ? leq[a][b] : leq[b][a]; };
      if (!below(x, z) || !below(y, z)) continue;
      bool least = true;
      for (int w = 1; w <= n; ++w)
        if (below(x, w) && below(y, w) && !below(z, w)) least = false;
      if (least) return z;
    }
    return 0;
  };
  std::vector<JobRule> rules;
  for (int x = 1; x <= n; ++x)
    for (int y = x + 1; y <= n; ++y)
      if (!leq[x][y] && !leq[y][x]) {
        rules.push_back({x, y, bound(x, y, true)});
        rules.push_back({x, y, bound(x, y, false)});
      }
  return rules;
}
