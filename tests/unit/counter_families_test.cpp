// The counter against its plain search (no cache, no splitting into parts) on random jobs of
// the families that once made it slow: rules that follow levels of antichains, random
// lattices given by their joins alone, by their meets alone or by half their equations, and
// random rule sets of 2n to 4n rules; and its split by symmetry on rules that have some. The
// counter runs with a cache of a few kilobytes, so that it has to give up entries, and its
// statistics must show that it did and that it kept within the bound.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <numeric>
#include <random>
#include <set>
#include <vector>

#include "core/closed_set_counter.h"

namespace mirelkon {

namespace {

struct Job {
  int n;
  std::vector<Rule> rules;
};

int Between(std::mt19937& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

void AddRule(Job& job, int left, int right, int result) {
  job.rules.push_back({static_cast<std::uint8_t>(left), static_cast<std::uint8_t>(right),
                       static_cast<std::uint8_t>(result)});
}

// Levels of 1 to 4 elements, every element of a level below every element of the next; each
// rule's result lies above both arguments or below both.
Job LevelsJob(std::mt19937& random, int n, int ruleCount) {
  std::vector<int> level(n);
  for (int e = 0, l = 0; e < n; ++l)
    for (int width = Between(random, 1, 4); width > 0 && e < n; --width) level[e++] = l;
  Job job{n, {}};
  while (static_cast<int>(job.rules.size()) < ruleCount) {
    const int x = Between(random, 0, n - 1), y = Between(random, 0, n - 1);
    const int z = Between(random, 0, n - 1);
    const auto [low, high] = std::minmax(level[x], level[y]);
    if (level[z] > high || level[z] < low) AddRule(job, x, y, z);
  }
  return job;
}

// A random lattice of n elements: subsets of {0..7} closed under intersection, spanned by
// random subsets, ordered by inclusion; its meet is the intersection and its join the
// smallest member above the union.
std::vector<unsigned> RandomLattice(std::mt19937& random, int n) {
  for (;;) {
    std::set<unsigned> family{0xFF};
    for (int tries = 0; tries < 200 && static_cast<int>(family.size()) < n; ++tries) {
      const unsigned s = static_cast<unsigned>(Between(random, 0, 0xFF));
      std::set<unsigned> grown = family;
      grown.insert(s);
      for (unsigned a : family) grown.insert(a & s);
      if (static_cast<int>(grown.size()) <= n) family = grown;
    }
    if (static_cast<int>(family.size()) == n) return {family.begin(), family.end()};
  }
}

enum class Equations { joins, meets, half };

// The join and meet of every incomparable pair, as rules, or only some of them.
Job LatticeJob(std::mt19937& random, int n, Equations which) {
  const std::vector<unsigned> sets = RandomLattice(random, n);
  auto index = [&](unsigned s) {
    return static_cast<int>(std::find(sets.begin(), sets.end(), s) - sets.begin());
  };
  auto join = [&](unsigned a, unsigned b) {
    unsigned best = 0xFF;
    for (unsigned s : sets)
      if ((s & (a | b)) == (a | b) && std::popcount(s) < std::popcount(best)) best = s;
    return best;
  };
  Job job{n, {}};
  for (int x = 0; x < n; ++x)
    for (int y = x + 1; y < n; ++y) {
      const unsigned a = sets[x], b = sets[y];
      if ((a & b) == a || (a & b) == b) continue;
      const bool half = which == Equations::half;
      if (which == Equations::joins || (half && Between(random, 0, 1) == 0))
        AddRule(job, x, y, index(join(a, b)));
      if (which == Equations::meets || (half && Between(random, 0, 1) == 0))
        AddRule(job, x, y, index(a & b));
    }
  return job;
}

// Rules of three elements drawn at random.
Job RandomJob(std::mt19937& random, int n, int ruleCount) {
  Job job{n, {}};
  while (static_cast<int>(job.rules.size()) < ruleCount)
    AddRule(job, Between(random, 0, n - 1), Between(random, 0, n - 1), Between(random, 0, n - 1));
  return job;
}

// Rules of three elements within a window of consecutive elements: a narrow problem, which
// the counter decides by its elimination tree.
Job BandJob(std::mt19937& random, int n, int window, int ruleCount) {
  Job job{n, {}};
  while (static_cast<int>(job.rules.size()) < ruleCount) {
    const int start = Between(random, 0, n - window);
    AddRule(job, start + Between(random, 0, window - 1), start + Between(random, 0, window - 1),
            start + Between(random, 0, window - 1));
  }
  return job;
}

// The joins of the Boolean lattice of the subsets of {0..k-1}.
Job BooleanJoinsJob(int k) {
  Job job{1 << k, {}};
  for (int a = 0; a < job.n; ++a)
    for (int b = a + 1; b < job.n; ++b)
      if ((a & b) != a && (a & b) != b) AddRule(job, a, b, a | b);
  return job;
}

// `copies` copies of one random rule set of `size` elements, linked through a last element,
// the hub: any two copies of a random element force the hub, and the hub with a copy of
// another forces a third in the same copy. Permuting the copies keeps the rules.
Job CopiesAroundAHubJob(std::mt19937& random, int size, int copies) {
  const Job one = RandomJob(random, size, size + 2);
  const int hub = size * copies, x = Between(random, 0, size - 1);
  const int a = Between(random, 0, size - 1), b = Between(random, 0, size - 1);
  Job job{hub + 1, {}};
  for (int c = 0; c < copies; ++c) {
    for (const Rule& r : one.rules)
      AddRule(job, c * size + r.left, c * size + r.right, c * size + r.result);
    for (int d = c + 1; d < copies; ++d) AddRule(job, c * size + x, d * size + x, hub);
    AddRule(job, hub, c * size + a, c * size + b);
  }
  return job;
}

}  // namespace

TEST(CounterFamilies, WithASmallCacheTheCounterAgreesWithItsPlainSearch) {
  constexpr std::size_t cacheBytes = 16 << 10;
  struct Family {
    const char* name;
    std::function<Job(std::mt19937&)> make;
  };
  const Family families[] = {
      {"levels", [](std::mt19937& r) { return LevelsJob(r, 30, Between(r, 40, 60)); }},
      {"joins", [](std::mt19937& r) { return LatticeJob(r, 24, Equations::joins); }},
      {"meets", [](std::mt19937& r) { return LatticeJob(r, 24, Equations::meets); }},
      {"half", [](std::mt19937& r) { return LatticeJob(r, 30, Equations::half); }},
      {"random", [](std::mt19937& r) { return RandomJob(r, 30, Between(r, 60, 120)); }},
      {"bands", [](std::mt19937& r) { return BandJob(r, 36, Between(r, 6, 8), 84); }},
  };
  std::mt19937 random(2025);
  for (const Family& family : families) {
    std::uint64_t replaced = 0;
    for (int trial = 0; trial < 4; ++trial) {
      const Job job = family.make(random);
      ClosedSetCounter counter(Search::full, CounterOptions{cacheBytes});
      const SubsetCount full = counter.Count(job.n, job.rules);
      replaced += counter.Stats().cacheReplaced;
      EXPECT_LE(counter.Stats().cacheBytes, cacheBytes) << family.name;
      ASSERT_EQ(full, ClosedSetCounter(Search::plain).Count(job.n, job.rules))
          << family.name << ", trial " << trial << ": " << job.rules.size() << " rules";
      if (trial > 0) continue;
      // Counts by size are entries of many lengths in the same small cache.
      const std::vector<std::uint64_t> bySize = counter.CountBySize(job.n, job.rules);
      replaced += counter.Stats().cacheReplaced;
      EXPECT_EQ(std::accumulate(bySize.begin(), bySize.end(), SubsetCount{0}), full);
      EXPECT_EQ(bySize, ClosedSetCounter(Search::plain).CountBySize(job.n, job.rules))
          << family.name;
    }
    EXPECT_GT(replaced, 0u) << family.name;
  }
}

// A count split by the symmetries of its rules, from the start or once it has counted a few
// parts, against the plain search, or against the counter without symmetry where the plain
// search would take too long; rules without symmetry are not split.
TEST(CounterFamilies, ASplitBySymmetryAgreesWithTheSearchWithoutIt) {
  std::mt19937 random(77);
  struct Case {
    Job job;
    Search reference;
  };
  std::vector<Case> cases{{BooleanJoinsJob(5), Search::full}};
  for (int trial = 0; trial < 3; ++trial)
    cases.push_back({CopiesAroundAHubJob(random, 4, 6), Search::plain});
  for (const Case& c : cases) {
    CounterOptions never;
    never.symmetryAfterParts = ~std::uint64_t{0};
    ClosedSetCounter reference(c.reference, never);
    const SubsetCount expected = reference.Count(c.job.n, c.job.rules);
    const std::vector<std::uint64_t> bySize = reference.CountBySize(c.job.n, c.job.rules);
    for (std::uint64_t after : {0, 3}) {
      CounterOptions options;
      options.symmetryAfterParts = after;
      ClosedSetCounter counter(Search::full, options);
      EXPECT_EQ(counter.Count(c.job.n, c.job.rules), expected) << c.job.n << ", after " << after;
      EXPECT_GT(counter.Stats().splitElements, 0) << c.job.n;
      EXPECT_EQ(counter.CountBySize(c.job.n, c.job.rules), bySize) << c.job.n;
    }
  }
  ClosedSetCounter counter(Search::full, CounterOptions{.symmetryAfterParts = 0});
  const Job plain = RandomJob(random, 30, 90);
  EXPECT_EQ(counter.Count(plain.n, plain.rules),
            ClosedSetCounter(Search::plain).Count(plain.n, plain.rules));
  EXPECT_EQ(counter.Stats().splitElements, 0);
}

// Levels the rules cross (a rule's result between its arguments) say nothing of the rules'
// order: the counter searches as if none were given.
TEST(CounterFamilies, LevelsTheRulesCrossAreIgnored) {
  std::mt19937 random(56);
  for (int trial = 0; trial < 4; ++trial) {
    const Job job = RandomJob(random, 30, 80);
    std::vector<int> levels(job.n);
    for (int& l : levels) l = Between(random, 0, job.n - 1);
    ClosedSetCounter counter;
    const SubsetCount own = counter.Count(job.n, job.rules);
    const std::uint64_t ownParts = counter.Stats().partsCounted;
    EXPECT_EQ(counter.Count(job.n, job.rules, levels), own);
    EXPECT_EQ(counter.Stats().partsCounted, ownParts) << "trial " << trial;
  }
}

}  // namespace mirelkon
