// Subuniverse counts of lattices whose number of sublattices is known: chains (2^n), the
// lattices M_k with k atoms (2^k + 3k + 3), Boolean lattices and products of chains.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "count_test_support.h"
#include "model/closed_set_counter.h"

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

std::uint64_t FastCount() {
  return CountClosedSets(job.latticeSize, job.constraintTable + 1, job.constraintCount);
}

void SetLattice(const Order& leq) {
  const int n = static_cast<int>(leq.size()) - 1;
  SetJob(n, LatticeRules(n, leq));
}

}  // namespace

TEST(CountKnownLattices, ChainsHaveEverySubsetClosed) {
  for (int n = 0; n <= maxElements; ++n) {
    SetLattice(Chain(n));
    EXPECT_EQ(job.constraintCount, 0);
    EXPECT_EQ(FastCount(), std::uint64_t{1} << n) << "chain of " << n;
  }
}

TEST(CountKnownLattices, LatticesWithKAtomsBetweenBottomAndTop) {
  for (int k = 0; k <= maxElements - 2; ++k) {
    SetLattice(M(k));
    EXPECT_EQ(FastCount(), (std::uint64_t{1} << k) + 3 * k + 3) << "M_" << k;
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

TEST(CountKnownLattices, EnumerationAgreesOnTheSmallOnes) {
  const Order orders[] = {Product(Chain(2), Chain(2)),
                          Product(Product(Chain(2), Chain(2)), Chain(2)), M(6),
                          Product(N5(), Chain(2)), Product(Chain(4), Chain(4))};
  for (const Order& leq : orders) {
    SetLattice(leq);
    EXPECT_EQ(static_cast<std::int64_t>(FastCount()), EnumeratedCount()) << job.latticeSize;
  }
}
