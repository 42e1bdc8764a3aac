// The library as a program uses it, without files or reports: a lattice built in code,
// checked, derived and counted; and two counters counting side by side on two threads, up to
// symmetry too.
#include <gtest/gtest.h>

#include <thread>

#include "core/count.h"
#include "core/derivation.h"
#include "core/lattice.h"
#include "core/partial_lattice.h"
#include "core/symmetry.h"
#include "count_test_support.h"

namespace mirelkon {

namespace {

// o below a below c below i, o below b below i: the pentagon N_5.
Order Pentagon() {
  Order order = Order::Identity(5);
  for (auto [x, y] : {std::pair{0, 1}, {1, 3}, {3, 4}, {0, 2}, {2, 4}}) order.Add(x, y);
  order.Close();
  return order;
}

SubsetCount Count(const PartialLattice& lattice, const Derivation& derivation) {
  ClosedSetCounter counter;
  return CountSubuniverses(counter, lattice.order, derivation.table);
}

TEST(LibraryApi, ChecksDerivesAndCountsALatticeBuiltInCode) {
  const LatticeCheck check = CheckLattice(Pentagon());
  ASSERT_FALSE(check.fault);
  EXPECT_EQ(check.tables.join[1][2], 4);
  EXPECT_EQ(check.tables.meet[3][2], 0);

  // Every join and meet given: nothing follows that is not given, and N_5 has 23 sublattices.
  const PartialLattice n5 = LatticeOf(Pentagon());
  const Derivation full = Derive(n5);
  ASSERT_FALSE(full.fault);
  EXPECT_EQ(full.DerivedCount(), 0);
  EXPECT_EQ(Count(n5, full), 23u);

  // a+b=i alone: b+c=i follows, since a <= c <= i; the count is that of both equations.
  PartialLattice partial = n5;
  partial.equations = {{1, 2, 4, joinSymbol}};
  const Derivation derived = Derive(partial);
  ASSERT_FALSE(derived.fault);
  ASSERT_EQ(derived.DerivedCount(), 1);
  EXPECT_EQ(partial.WrittenForm(derived.table[1]), "2+3=4");
  EXPECT_EQ(derived.TypedSources({1, -1}), std::vector<int>{0});
  EXPECT_EQ(static_cast<std::int64_t>(Count(partial, derived)),
            EnumeratedCount(5, JobRules(derived.table)));

  // An order that is no lattice names the pair at fault.
  Order vee = Order::Identity(3);
  vee.Add(0, 1);
  vee.Add(0, 2);
  const LatticeCheck noTop = CheckLattice(vee);
  ASSERT_TRUE(noTop.fault);
  EXPECT_EQ(noTop.fault->kind, LatticeFault::noUpperBound);
  EXPECT_EQ(noTop.fault->x * 10 + noTop.fault->y, 12);
}

TEST(LibraryApi, TwoCountersCountSideBySideOnTwoThreads) {
  // M_k: a bottom, k atoms and a top, with 2^k + 3k + 3 sublattices.
  auto diamond = [](int k) {
    Order order = Order::Identity(k + 2);
    for (int x = 0; x < k + 2; ++x) {
      order.Add(0, x);
      order.Add(x, k + 1);
    }
    return LatticeOf(order);
  };
  SubsetCount counts[2][20] = {};
  SymmetryCount symmetries[2][5];
  auto countAll = [&](int thread) {
    ClosedSetCounter counter;
    for (int k = 0; k < 20; ++k) {
      const PartialLattice m = diamond(20 + k + 20 * thread);
      counts[thread][k] = CountSubuniverses(counter, m.order, m.equations);
    }
    for (int k = 3; k < 8; ++k) {
      const PartialLattice m = diamond(k);
      symmetries[thread][k - 3] = CountUpToSymmetry(counter, m.order, m.equations, 0);
    }
  };
  std::thread first(countAll, 0), second(countAll, 1);
  first.join();
  second.join();
  for (int thread = 0; thread < 2; ++thread)
    for (int k = 0; k < 20; ++k) {
      const int atoms = 20 + k + 20 * thread;
      EXPECT_EQ(counts[thread][k], (SubsetCount{1} << atoms) + 3 * atoms + 3) << atoms;
    }
  // M_k up to its k! automorphisms: subsets of {bottom, top} with no atom or with one, and
  // bottom and top with 2..k atoms.
  for (int thread = 0; thread < 2; ++thread)
    for (int k = 3, factorial = 6; k < 8; factorial *= ++k) {
      EXPECT_EQ(symmetries[thread][k - 3].automorphisms, std::to_string(factorial));
      EXPECT_EQ(symmetries[thread][k - 3].orbits, SubsetCount(k + 7));
    }
}

}  // namespace

}  // namespace mirelkon
