// Subuniverse counts of lattices whose number of sublattices is known: chains (2^n), the
// lattices M_k with k atoms (2^k + 3k + 3), Boolean lattices and products of chains, the
// longer ones against a row-by-row count of their own.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "count_test_support.h"
#include "core/closed_set_counter.h"

namespace {

Order Chain(int n) {
  Order leq(n + 1, std::vector<bool>(n + 1));
  for (int x = 1; x <= n; ++x)
    for (int y = x; y <= n; ++y) leq[x][y] = true;
  return leq;
}

// Bottom 1, atoms 2..k+1, top k+2.
Order M(int k) {
  const int n = k + 2;
  Order leq(n + 1, std::vector<bool>(n + 1));
  for (int x = 1; x <= n; ++x) leq[1][x] = leq[x][n] = leq[x][x] = true;
  return leq;
}

// Bottom 1, a 2 below b 3, c 4 beside both, top 5.
Order N5() {
  Order leq = M(3);
  leq[2][3] = true;
  return leq;
}

// Pairs ordered componentwise; (x, y) has number (x - 1) * size(b) + y.
Order Product(const Order& a, const Order& b) {
  const int na = static_cast<int>(a.size()) - 1, nb = static_cast<int>(b.size()) - 1;
  Order leq(na * nb + 1, std::vector<bool>(na * nb + 1));
  for (int x1 = 1; x1 <= na; ++x1)
    for (int y1 = 1; y1 <= nb; ++y1)
      for (int x2 = 1; x2 <= na; ++x2)
        for (int y2 = 1; y2 <= nb; ++y2)
          leq[(x1 - 1) * nb + y1][(x2 - 1) * nb + y2] = a[x1][x2] && b[y1][y2];
  return leq;
}

SubsetCount FastCount() {
  return CountJob();
}

void SetLattice(const Order& leq) {
  const int n = static_cast<int>(leq.size()) - 1;
  SetJob(n, LatticeRules(n, leq));
  for (int x = 1; x <= n; ++x)
    for (int y = 1; y <= n; ++y) job.orderMatrix[x][y] = leq[x][y];
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
    SetLattice(Chain(n));
    EXPECT_EQ(job.constraintCount, 0);
    EXPECT_EQ(FastCount(), SubsetCount{1} << n) << "chain of " << n;
  }
}

TEST(CountKnownLattices, LatticesWithKAtomsBetweenBottomAndTop) {
  for (int k = 0; k <= maxElements - 2; ++k) {
    SetLattice(M(k));
    EXPECT_EQ(FastCount(), (SubsetCount{1} << k) + 3 * k + 3) << "M_" << k;
  }
}

TEST(CountKnownLattices, BooleanLatticesAndProductsOfChains) {
  struct Case {
    std::string name;
    Order leq;
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
    SetLattice(c.leq);
    EXPECT_EQ(FastCount(), c.sublattices) << c.name;
  }
}

TEST(CountKnownLattices, ProductsOfTwoChainsAgreeWithTheRowByRowCount) {
  EXPECT_EQ(RowByRowSublattices(5, 5), 34088u);
  EXPECT_EQ(RowByRowSublattices(14, 2), 618496u);
  EXPECT_EQ(RowByRowSublattices(8, 8), 212833803u);
  for (const auto& [m, n] : {std::pair{10, 6}, std::pair{21, 3}}) {
    SetLattice(Product(Chain(m), Chain(n)));
    EXPECT_EQ(CountedSubuniverses(), RowByRowSublattices(m, n)) << "C_" << m << " x C_" << n;
  }
}

TEST(CountKnownLattices, EnumerationAgreesOnTheSmallOnes) {
  const Order orders[] = {Product(Chain(2), Chain(2)),
                          Product(Product(Chain(2), Chain(2)), Chain(2)), M(6),
                          Product(N5(), Chain(2)), Product(Chain(4), Chain(4))};
  for (const Order& leq : orders) {
    SetLattice(leq);
    EXPECT_EQ(static_cast<std::int64_t>(FastCount()), EnumeratedCount()) << job.latticeSize;
  }
}
