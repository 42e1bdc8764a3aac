// The fast count against the literal enumeration through IsClosed, on random rule sets of
// many shapes: few and many rules, rules whose result is an argument, repeated rules, equal
// arguments, rules crowded onto a few elements and rules in disjoint groups.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <random>

#include "count_test_support.h"

namespace mirelkon {

namespace {

struct Shape {
  int n;
  int ruleCount;
  int crowd;   // rules use only this many of the elements
  int groups;  // the elements used fall into this many groups, and a rule stays in one
  int equalArgumentsPercent, vacuousPercent, repeatPercent;
};

class RandomJobs {
 public:
  explicit RandomJobs(std::uint32_t seed) : random_(seed) {}

  Shape NextShape() {
    Shape s{};
    s.n = Chance(4) ? Between(13, 18) : Between(0, 12);
    const int density = Between(0, 2);
    s.ruleCount = density == 0   ? Between(0, s.n)
                  : density == 1 ? Between(s.n, 4 * s.n)
                                 : Between(4 * s.n, 20 * s.n);
    if (s.n == 0) s.ruleCount = 0;
    s.crowd = Chance(25) ? std::min(s.n, Between(1, 5)) : s.n;
    s.groups = Chance(25) ? Between(2, 4) : 1;
    s.equalArgumentsPercent = Chance(30) ? Between(10, 90) : 0;
    s.vacuousPercent = Chance(20) ? Between(10, 60) : 0;
    s.repeatPercent = Chance(20) ? Between(10, 50) : 0;
    return s;
  }

  std::vector<JobRule> Rules(const Shape& s) {
    std::vector<int> used(s.n);
    std::iota(used.begin(), used.end(), 1);
    std::shuffle(used.begin(), used.end(), random_);
    used.resize(s.crowd);
    std::vector<JobRule> rules;
    while (static_cast<int>(rules.size()) < s.ruleCount) {
      if (!rules.empty() && Chance(s.repeatPercent)) {
        rules.push_back(rules[Between(0, static_cast<int>(rules.size()) - 1)]);
        continue;
      }
      // Group g holds the used elements at positions g, g + groups, ...
      const int g = Between(0, std::min(s.groups, s.crowd) - 1);
      auto pick = [&] {
        const int slots = (s.crowd - 1 - g) / s.groups;
        return used[g + s.groups * Between(0, slots)];
      };
      JobRule r{pick(), pick(), pick()};
      if (Chance(s.equalArgumentsPercent)) r.right = r.left;
      if (Chance(s.vacuousPercent)) r.result = Chance(50) ? r.left : r.right;
      rules.push_back(r);
    }
    return rules;
  }

 private:
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Chance(int percent) { return Between(0, 99) < percent; }
  std::mt19937 random_;
};

}  // namespace

TEST(CountAgainstEnumeration, RandomRuleSetsOfManyShapes) {
  RandomJobs jobs(20240611);
  for (int trial = 0; trial < 4000; ++trial) {
    const Shape s = jobs.NextShape();
    const std::vector<JobRule> rules = jobs.Rules(s);
    const auto fast = CountRules(s.n, rules);
    ASSERT_EQ(static_cast<std::int64_t>(fast), EnumeratedCount(s.n, rules))
        << "trial " << trial << ": n " << s.n << ", rules " << s.ruleCount << ", crowd " << s.crowd
        << ", groups " << s.groups;
  }
}

}  // namespace mirelkon
