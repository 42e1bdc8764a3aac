// Subuniverse counts of lattices whose number of sublattices is known: chains (2^n), the
// lattices M_k with k atoms (2^k + 3k + 3), Boolean lattices and products of chains, the
// longer ones against a row-by-row count of their own.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <map>
#include <numeric>
#include <string>
#include <utility>

#include "core/count.h"
#include "core/partial_lattice.h"
#include "count_test_support.h"

namespace mirelkon {

namespace {

Order Chain(int n) {
  Order order = Order::Identity(n);
  for (int x = 0; x < n; ++x)
    for (int y = x + 1; y < n; ++y) order.Add(x, y);
  return order;
}

// Bottom 0, atoms 1..k, top k+1.
Order M(int k) {
  const int n = k + 2;
  Order order = Order::Identity(n);
  for (int x = 0; x < n; ++x) {
    order.Add(0, x);
    order.Add(x, n - 1);
  }
  return order;
}

// Bottom 0, a 1 below b 2, c 3 beside both, top 4.
Order N5() {
  Order order = M(3);
  order.Add(1, 2);
  return order;
}

// Pairs ordered componentwise; (x, y) has number x * size(b) + y.
Order Product(const Order& a, const Order& b) {
  Order order = Order::Identity(a.size * b.size);
  for (int x = 0; x < order.size; ++x)
    for (int y = 0; y < order.size; ++y)
      if (a.Below(x / b.size, y / b.size) && b.Below(x % b.size, y % b.size)) order.Add(x, y);
  return order;
}

// The sublattices: the subsets closed under the joins and meets of incomparable pairs.
SubsetCount Sublattices(const Order& order) {
  ClosedSetCounter counter;
  return CountSubuniverses(counter, order, LatticeOf(order).equations);
}

// The sublattices of C_m x C_n, rows 1..m of the first chain taken one at a time, each row
// a subset of C_n (bit i: element i, ordered by i); fast while n is small. For rows A before B, a
// in A and b in B with a > b force a into B and b into A; that is, B holds every element of an
// earlier row from min B upwards, and B lies in W: the b such that every earlier row A with max A
// >= b holds b. The state after each row is U, the union of the rows so far, and W.
SubsetCount RowByRowSublattices(int m, int n) {
  using State = std::pair<unsigned, unsigned>;
  const unsigned all = (1u << n) - 1;
  std::map<State, SubsetCount> states{{{0u, all}, 1}};
  for (int row = 1; row <= m; ++row) {
    std::map<State, SubsetCount> next;
    for (const auto& [state, count] : states) {
      const auto [u, w] = state;
      next[state] += count;  // an empty row
      for (unsigned b = 1; b <= all; ++b) {
        const unsigned fromMin = all & ~((b & -b) - 1);
        const unsigned aboveMax = all & ~((std::bit_floor(b) << 1) - 1);
        if ((u & fromMin & ~b) == 0 && (b & ~w) == 0) next[{u | b, w & (b | aboveMax)}] += count;
      }
    }
    states = std::move(next);
  }
  SubsetCount total = 0;
  for (const auto& entry : states) total += entry.second;
  return total;
}

}  // namespace

TEST(CountKnownLattices, ChainsHaveEverySubsetClosed) {
  for (int n = 0; n <= maxElements; ++n) {
    EXPECT_TRUE(LatticeOf(Chain(n)).equations.empty());
    EXPECT_EQ(Sublattices(Chain(n)), SubsetCount{1} << n) << "chain of " << n;
  }
}

TEST(CountKnownLattices, LatticesWithKAtomsBetweenBottomAndTop) {
  for (int k = 0; k <= maxElements - 2; ++k) {
    EXPECT_EQ(Sublattices(M(k)), (SubsetCount{1} << k) + 3 * k + 3) << "M_" << k;
  }
}

TEST(CountKnownLattices, BooleanLatticesAndProductsOfChains) {
  struct Case {
    std::string name;
    Order order;
    std::uint64_t sublattices;
  };
  const Case cases[] = {
      {"B_2", Product(Chain(2), Chain(2)), 13},
      {"B_3", Product(Product(Chain(2), Chain(2)), Chain(2)), 74},
      {"N_5 x C_2", Product(N5(), Chain(2)), 164},
      {"C_5 x C_2", Product(Chain(5), Chain(2)), 272},
      {"C_5 x C_5", Product(Chain(5), Chain(5)), 34088},
      {"C_2 x C_14", Product(Chain(2), Chain(14)), 618496},
      {"C_3 x C_3 x C_3", Product(Product(Chain(3), Chain(3)), Chain(3)), 14039},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Sublattices(c.order), c.sublattices) << c.name;
  }
}

TEST(CountKnownLattices, ProductsOfTwoChainsAgreeWithTheRowByRowCount) {
  EXPECT_EQ(RowByRowSublattices(5, 5), 34088u);
  EXPECT_EQ(RowByRowSublattices(14, 2), 618496u);
  EXPECT_EQ(RowByRowSublattices(8, 8), 212833803u);
  for (const auto& [m, n] : {std::pair{10, 6}, std::pair{21, 3}}) {
    EXPECT_EQ(Sublattices(Product(Chain(m), Chain(n))), RowByRowSublattices(m, n))
        << "C_" << m << " x C_" << n;
  }
}

TEST(CountKnownLattices, EnumerationAgreesOnTheSmallOnes) {
  const Order orders[] = {Product(Chain(2), Chain(2)),
                          Product(Product(Chain(2), Chain(2)), Chain(2)), M(6),
                          Product(N5(), Chain(2)), Product(Chain(4), Chain(4))};
  for (const Order& order : orders) {
    const std::vector<JobRule> rules = JobRules(LatticeOf(order).equations);
    EXPECT_EQ(static_cast<std::int64_t>(Sublattices(order)), EnumeratedCount(order.size, rules))
        << order.size;
  }
}

// By size: M_k has the closed sets {}, {0}, {1}, {0, 1}, an atom with or without 0 and 1, and
// every j >= 2 atoms with 0 and 1; the products of chains add up to the row-by-row count.
TEST(CountKnownLattices, CountsBySizeFollowTheClosedForms) {
  for (int k : {3, 20, maxElements - 2}) {
    std::vector<std::uint64_t> expected(k + 3, 0);
    expected[0] = 1;
    expected[1] = 2 + k;
    expected[2] = 1 + 2 * static_cast<std::uint64_t>(k);
    expected[3] = k;
    std::uint64_t choose = 1;  // C(k, j)
    for (int j = 1; j <= k; ++j) {
      choose = static_cast<std::uint64_t>(SubsetCount{choose} * (k - j + 1) / j);
      if (j >= 2) expected[j + 2] += choose;
    }
    ClosedSetCounter counter;
    EXPECT_EQ(CountSubuniversesBySize(counter, M(k), LatticeOf(M(k)).equations), expected)
        << "M_" << k;
  }
  for (const auto& [m, n] : {std::pair{10, 6}, std::pair{21, 3}}) {
    const Order order = Product(Chain(m), Chain(n));
    ClosedSetCounter counter;
    const std::vector<std::uint64_t> bySize =
        CountSubuniversesBySize(counter, order, LatticeOf(order).equations);
    EXPECT_EQ(std::accumulate(bySize.begin(), bySize.end(), std::uint64_t{0}),
              RowByRowSublattices(m, n))
        << "C_" << m << " x C_" << n;
  }
}

}  // namespace mirelkon
