// The lister over wide sets against the 64-bit lister: the same subsets in the same order, on
// random rule sets over their own elements and spread over sets of 2 to 16 words.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/closed_set_lister.h"

namespace mirelkon {

namespace {

struct Case {
  int n;          // elements the rules name
  int rules;      // drawn at random
  int width;      // the elements of the wide list; element i of the rules is i * (width / n)
  Mask required;  // of the n elements
  int stopAfter;  // subsets visited before the visit answers false; -1: never
};

struct Listed {
  std::vector<Mask> sets;
  bool finished;
};

std::vector<Rule> RandomRules(int n, int count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> element(0, n - 1);
  std::vector<Rule> rules;
  for (int k = 0; k < count; ++k)
    rules.push_back({static_cast<std::uint8_t>(element(random)),
                     static_cast<std::uint8_t>(element(random)),
                     static_cast<std::uint8_t>(element(random))});
  return rules;
}

Listed NarrowList(const Case& c, const std::vector<Rule>& rules) {
  Listed listed;
  listed.finished = ListClosedSets(c.n, rules, c.required, [&](Mask set) {
    listed.sets.push_back(set);
    return static_cast<int>(listed.sets.size()) != c.stopAfter;
  });
  return listed;
}

// The elements between the spread ones are required, so the wide list holds them all and
// the spread elements are free as in the narrow list; each set is read back to n elements.
Listed WideList(const Case& c, const std::vector<Rule>& rules) {
  const int step = c.width / c.n;
  const auto place = [step](int x) { return static_cast<std::uint16_t>(x * step); };
  std::vector<WideRule> spread;
  for (const Rule& r : rules) spread.push_back({place(r.left), place(r.right), place(r.result)});
  std::vector<int> required;
  for (int e = 0; e < c.width; ++e)
    if (e % step != 0 || e / step >= c.n || Holds(c.required, e / step)) required.push_back(e);
  Listed listed;
  listed.finished =
      ListWideClosedSets(c.width, spread, required, [&](std::span<const std::uint64_t> words) {
        EXPECT_EQ(words.size(), static_cast<std::size_t>((c.width + 63) / 64));
        Mask set = 0;
        int others = 0;
        for (int e = 0; e < c.width; ++e) {
          if ((words[e / 64] >> (e % 64) & 1) == 0) continue;
          if (e % step == 0 && e / step < c.n)
            set |= Bit(e / step);
          else
            ++others;
        }
        EXPECT_EQ(others, c.width - c.n) << "an element between the spread ones is missing";
        listed.sets.push_back(set);
        return static_cast<int>(listed.sets.size()) != c.stopAfter;
      });
  return listed;
}

TEST(WideLister, ListsAsThe64BitListerDoes) {
  const Case cases[] = {
      {10, 12, 10, 0, -1},       {13, 26, 13, 0, -1},  {12, 6, 100, 0, -1},
      {11, 22, 200, Bit(4), -1}, {13, 40, 700, 0, -1}, {9, 30, 1024, Bit(0) | Bit(8), -1},
      {12, 8, 130, 0, 5},        {8, 0, 300, 0, -1},   {1, 0, 1, 0, -1},
  };
  unsigned seed = 17;
  for (const Case& c : cases) {
    const std::vector<Rule> rules = RandomRules(c.n, c.rules, ++seed);
    const Listed narrow = NarrowList(c, rules);
    const Listed wide = WideList(c, rules);
    EXPECT_GT(narrow.sets.size(), 1u) << "seed " << seed;
    EXPECT_EQ(wide.sets, narrow.sets) << "n " << c.n << ", width " << c.width;
    EXPECT_EQ(wide.finished, narrow.finished) << "n " << c.n << ", width " << c.width;
  }
}

}  // namespace

}  // namespace mirelkon
