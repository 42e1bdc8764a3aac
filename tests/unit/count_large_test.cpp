// The counter against its own plain search (no cache of counted parts, no splitting into
// parts) on random jobs of 31 to 64 elements, where the literal enumeration cannot serve:
// rules in disjoint groups, rules crowded onto some of the elements, rules with equal
// arguments.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "count_test_support.h"

namespace mirelkon {

namespace {

int Between(std::mt19937& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

// Rules among `used` elements, each rule within one of `groups` groups of them. Many rules
// per element keep the number of closed sets, and so the plain search, small.
std::vector<JobRule> RandomRules(std::mt19937& random, int n) {
  std::vector<int> used(n);
  std::iota(used.begin(), used.end(), 1);
  std::shuffle(used.begin(), used.end(), random);
  used.resize(Between(random, n / 2, n));
  const int groups = Between(random, 1, 4);
  const int ruleCount = Between(random, 6, 16) * static_cast<int>(used.size());
  const int equalArgumentsPercent = Between(random, 0, 1) * Between(random, 5, 40);
  std::vector<JobRule> rules;
  while (static_cast<int>(rules.size()) < ruleCount) {
    const int g = Between(random, 0, groups - 1);
    auto pick = [&] {
      const int slots = (static_cast<int>(used.size()) - 1 - g) / groups;
      return used[g + groups * Between(random, 0, slots)];
    };
    JobRule r{pick(), pick(), pick()};
    if (Between(random, 0, 99) < equalArgumentsPercent) r.right = r.left;
    rules.push_back(r);
  }
  return rules;
}

}  // namespace

TEST(CountAgainstPlainSearch, RandomJobsOfThirtyOneToSixtyFourElements) {
  std::mt19937 random(64);
  for (int trial = 0; trial < 200; ++trial) {
    const int n = Between(random, 31, 64);
    const std::vector<JobRule> rules = RandomRules(random, n);
    std::vector<int> levels(n);
    for (int& l : levels) l = Between(random, 0, 3);
    const SubsetCount full =
        CountRules(n, rules, Search::full, trial % 2 == 0 ? levels : std::vector<int>{});
    const SubsetCount plain = CountRules(n, rules, Search::plain);
    ASSERT_EQ(full, plain) << "trial " << trial << ": n " << n << ", rules " << rules.size();
  }
}

}  // namespace mirelkon
