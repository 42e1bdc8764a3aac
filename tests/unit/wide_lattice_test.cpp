// The lattice check of wide orders: the same fault and the same tables as the 64-bit check on
// orders both can hold, and the joins and meets of wide lattices whose operations are known.
#include "core/wide_lattice.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <utility>
#include <vector>

namespace mirelkon {
namespace {

using Pairs = std::vector<std::pair<int, int>>;

struct BothOrders {
  Order narrow;
  WideOrder wide;
};

BothOrders OrdersOf(int n, const Pairs& pairs) {
  BothOrders both{Order::Identity(n), WideOrder(n)};
  for (auto [x, y] : pairs) {
    both.narrow.Add(x, y);
    both.wide.Add(x, y);
  }
  both.narrow.Close();
  both.wide.Close();
  return both;
}

// Random orders on n elements: pairs from lower to higher numbers, so no cycles unless asked
// for, with a bottom and a top added or not.
Pairs RandomPairs(std::mt19937& random, int n, bool bottomAndTop, bool cycle) {
  Pairs pairs;
  for (int x = 0; x < n; ++x)
    for (int y = x + 1; y < n; ++y)
      if (random() % 5 == 0) pairs.push_back({x, y});
  if (bottomAndTop)
    for (int x = 1; x + 1 < n; ++x) pairs.insert(pairs.end(), {{0, x}, {x, n - 1}});
  if (cycle) pairs.push_back({n - 1, n / 2});
  return pairs;
}

TEST(WideLattice, AgreesWithTheNarrowCheck) {
  std::mt19937 random(5);
  int lattices = 0;
  for (int round = 0; round < 400; ++round) {
    const int n = 1 + static_cast<int>(random() % 12);
    const BothOrders both =
        OrdersOf(n, RandomPairs(random, n, round % 3 != 0, round % 17 == 0 && n > 2));
    const LatticeCheck narrow = CheckLattice(both.narrow);
    const WideLatticeCheck wide = CheckWideLattice(both.wide);
    ASSERT_EQ(narrow.fault.has_value(), wide.fault.has_value()) << round;
    if (narrow.fault) {
      EXPECT_EQ(narrow.fault->kind, wide.fault->kind) << round;
      EXPECT_EQ(narrow.fault->x, wide.fault->x) << round;
      EXPECT_EQ(narrow.fault->y, wide.fault->y) << round;
      EXPECT_EQ(narrow.fault->first, wide.fault->first) << round;
      EXPECT_EQ(narrow.fault->second, wide.fault->second) << round;
      continue;
    }
    ++lattices;
    for (int x = 0; x < n; ++x)
      for (int y = 0; y < n; ++y) {
        EXPECT_EQ(narrow.tables.join[x][y], wide.tables.Join(x, y));
        EXPECT_EQ(narrow.tables.meet[x][y], wide.tables.Meet(x, y));
      }
  }
  EXPECT_GT(lattices, 50);  // the comparison saw lattices, not only faults
}

// B_k numbered by the subsets' bits: the join is the union, the meet the intersection; the
// rules are the join and meet of the incomparable pairs.
TEST(WideLattice, BooleanLatticesBeyondSixtyFourElements) {
  for (int k : {7, 8}) {
    const int n = 1 << k;
    Pairs pairs;
    for (int x = 0; x < n; ++x)
      for (int b = 0; b < k; ++b)
        if ((x >> b & 1) == 0) pairs.push_back({x, x | 1 << b});
    WideOrder order(n);
    for (auto [x, y] : pairs) order.Add(x, y);
    order.Close();
    const WideLatticeCheck check = CheckWideLattice(order);
    ASSERT_FALSE(check.fault);
    for (int x = 0; x < n; ++x)
      for (int y = 0; y < n; ++y) {
        ASSERT_EQ(check.tables.Join(x, y), x | y);
        ASSERT_EQ(check.tables.Meet(x, y), x & y);
      }
    const std::vector<WideRule> rules = SublatticeRules(order, check.tables);
    int incomparable = 0;
    for (int x = 0; x < n; ++x)
      for (int y = x + 1; y < n; ++y) incomparable += (x & y) != x && (x & y) != y;
    EXPECT_EQ(rules.size(), 2u * incomparable);
    for (const WideRule& r : rules)
      EXPECT_TRUE(r.result == (r.left | r.right) || r.result == (r.left & r.right));
    EXPECT_TRUE(order.Covers(0, 1));
    EXPECT_FALSE(order.Covers(0, 3));
  }
}

// Levels for distributive lattices only: the subsets' sizes in B_7, none for M_70.
TEST(WideLattice, LevelsOfDistributiveLattices) {
  WideOrder boolean(128), diamond(72);
  for (int x = 0; x < 128; ++x)
    for (int y = 0; y < 128; ++y)
      if ((x & y) == x) boolean.Add(x, y);
  for (int a = 1; a <= 70; ++a) {
    diamond.Add(0, a);
    diamond.Add(a, 71);
  }
  boolean.Close();
  diamond.Close();
  const std::vector<int> levels = DistributiveLevels(boolean, CheckWideLattice(boolean).tables);
  ASSERT_EQ(levels.size(), 128u);
  for (int x = 0; x < 128; ++x) EXPECT_EQ(levels[x], std::popcount(static_cast<unsigned>(x)));
  EXPECT_TRUE(DistributiveLevels(diamond, CheckWideLattice(diamond).tables).empty());
}

// A fault found among elements above 64: two tops over a long chain.
TEST(WideLattice, FaultsBeyondSixtyFourElements) {
  const int n = 100;
  WideOrder order(n);
  for (int x = 0; x + 3 < n; ++x) order.Add(x, x + 1);
  order.Add(n - 3, n - 2);
  order.Add(n - 3, n - 1);  // n-2 and n-1 both cover n-3: no common upper bound
  order.Close();
  const WideLatticeCheck check = CheckWideLattice(order);
  ASSERT_TRUE(check.fault);
  EXPECT_EQ(check.fault->kind, LatticeFault::noUpperBound);
  EXPECT_EQ(check.fault->x, n - 2);
  EXPECT_EQ(check.fault->y, n - 1);
}

}  // namespace
}  // namespace mirelkon
