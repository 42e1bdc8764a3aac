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
#include "core/wide_lattice.h"
#include "count_test_support.h"
#include "families/lattices.h"

namespace mirelkon {

namespace {

// The sublattices: the subsets closed under the joins and meets of incomparable pairs.
SubsetCount Sublattices(const Order& order) {
  ClosedSetCounter counter;
  return Problem(order, LatticeOf(order).equations).Count(counter);
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
    EXPECT_TRUE(LatticeOf(NarrowOrder(Chain(n).order)).equations.empty());
    EXPECT_EQ(Sublattices(NarrowOrder(Chain(n).order)), SubsetCount{1} << n) << "chain of " << n;
  }
}

TEST(CountKnownLattices, LatticesWithKAtomsBetweenBottomAndTop) {
  for (int k = 0; k <= maxElements - 2; ++k) {
    EXPECT_EQ(Sublattices(NarrowOrder(Diamond(k).order)), (SubsetCount{1} << k) + 3 * k + 3)
        << "M_" << k;
  }
}

TEST(CountKnownLattices, BooleanLatticesAndProductsOfChains) {
  struct Case {
    std::string name;
    LatticeFactor lattice;
    std::uint64_t sublattices;
  };
  const Case cases[] = {
      {"B_2", Product(Chain(2), Chain(2)), 13},
      {"B_3", Product(Product(Chain(2), Chain(2)), Chain(2)), 74},
      {"N_5 x C_2", Product(Pentagon(), Chain(2)), 164},
      {"C_5 x C_2", Product(Chain(5), Chain(2)), 272},
      {"C_5 x C_5", Product(Chain(5), Chain(5)), 34088},
      {"C_2 x C_14", Product(Chain(2), Chain(14)), 618496},
      {"C_3 x C_3 x C_3", Product(Product(Chain(3), Chain(3)), Chain(3)), 14039},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Sublattices(NarrowOrder(c.lattice.order)), c.sublattices) << c.name;
  }
}

TEST(CountKnownLattices, ProductsOfTwoChainsAgreeWithTheRowByRowCount) {
  EXPECT_EQ(RowByRowSublattices(5, 5), 34088u);
  EXPECT_EQ(RowByRowSublattices(14, 2), 618496u);
  EXPECT_EQ(RowByRowSublattices(8, 8), 212833803u);
  for (const auto& [m, n] : {std::pair{10, 6}, std::pair{21, 3}}) {
    EXPECT_EQ(Sublattices(NarrowOrder(Product(Chain(m), Chain(n)).order)),
              RowByRowSublattices(m, n))
        << "C_" << m << " x C_" << n;
  }
}

TEST(CountKnownLattices, EnumerationAgreesOnTheSmallOnes) {
  const LatticeFactor lattices[] = {Product(Chain(2), Chain(2)),
                                    Product(Product(Chain(2), Chain(2)), Chain(2)), Diamond(6),
                                    Product(Pentagon(), Chain(2)), Product(Chain(4), Chain(4))};
  for (const LatticeFactor& lattice : lattices) {
    const Order order = NarrowOrder(lattice.order);
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
    const Order order = NarrowOrder(Diamond(k).order);
    EXPECT_EQ(Problem(order, LatticeOf(order).equations).CountBySize(counter), expected)
        << "M_" << k;
  }
  for (const auto& [m, n] : {std::pair{10, 6}, std::pair{21, 3}}) {
    const Order order = NarrowOrder(Product(Chain(m), Chain(n)).order);
    ClosedSetCounter counter;
    const std::vector<std::uint64_t> bySize =
        Problem(order, LatticeOf(order).equations).CountBySize(counter);
    EXPECT_EQ(std::accumulate(bySize.begin(), bySize.end(), std::uint64_t{0}),
              RowByRowSublattices(m, n))
        << "C_" << m << " x C_" << n;
  }
}

// Levels guide the count of a lattice given whole where they pay: a distributive one, or a
// long and narrow one (at least 10 levels, at most 5 elements to a level on average). The
// guided search counts other parts than the counter's own choice, and the same number.
TEST(CountKnownLattices, LevelsGuideDistributiveAndLongNarrowLattices) {
  struct Case {
    std::string name;
    LatticeFactor lattice;
    bool guided;
  };
  const Case cases[] = {
      {"C_5 x C_6", Product(Chain(5), Chain(6)), true},
      {"M_3 x C_10", Product(Diamond(3), Chain(10)), true},
      {"N_5 x C_8", Product(Pentagon(), Chain(8)), true},
      {"M_3 x C_6", Product(Diamond(3), Chain(6)), false},
      {"M_4 x M_4", Product(Diamond(4), Diamond(4)), false},
      {"M_25", Diamond(25), false},
  };
  for (const Case& c : cases) {
    const Order order = NarrowOrder(c.lattice.order);
    const std::vector<Equation> equations = LatticeOf(order).equations;
    ClosedSetCounter counter;
    const SubsetCount own = counter.Count(order.size, RulesOf(equations));
    const std::uint64_t ownParts = counter.Stats().partsCounted;
    EXPECT_EQ(Problem(order, equations).Count(counter), own) << c.name;
    EXPECT_EQ(counter.Stats().partsCounted != ownParts, c.guided) << c.name;
  }
}

}  // namespace mirelkon
