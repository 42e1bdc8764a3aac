// The library as a program uses it, without files or reports: a lattice built in code,
// checked, derived and counted; and two counters counting side by side on two threads, up to
// symmetry too.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

#include "core/mirelkon.h"
#include "core/wide_lattice.h"
#include "count_test_support.h"
#include "families/lattices.h"

namespace mirelkon {

namespace {

SubsetCount Count(const PartialLattice& lattice, const Derivation& derivation) {
  ClosedSetCounter counter;
  return Problem(lattice.order, derivation.table).Count(counter);
}

TEST(LibraryApi, ChecksDerivesAndCountsALatticeBuiltInCode) {
  const LatticeCheck check = CheckLattice(NarrowOrder(Pentagon().order));
  ASSERT_FALSE(check.fault);
  EXPECT_EQ(check.tables.join[1][2], 4);
  EXPECT_EQ(check.tables.meet[3][2], 0);

  // Every join and meet given: nothing follows that is not given, and N_5 has 23 sublattices.
  const PartialLattice n5 = LatticeOf(NarrowOrder(Pentagon().order));
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
  auto diamond = [](int k) { return LatticeOf(NarrowOrder(Diamond(k).order)); };
  SubsetCount counts[2][20] = {};
  SymmetryCount symmetries[2][5];
  auto countAll = [&](int thread) {
    ClosedSetCounter counter;
    for (int k = 0; k < 20; ++k) {
      const PartialLattice m = diamond(20 + k + 20 * thread);
      counts[thread][k] = Problem(m.order, m.equations).Count(counter);
    }
    for (int k = 3; k < 8; ++k) {
      const PartialLattice m = diamond(k);
      symmetries[thread][k - 3] = Problem(m.order, m.equations).CountUpToSymmetry(counter, 0);
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

// What a caller gets wrong ends in std::invalid_argument naming the fault, in every build:
// never a crash, never a number.
TEST(LibraryApi, RefusesWhatItCannotAnswer) {
  Order noTop = Order::Identity(3);
  noTop.Add(0, 1);
  noTop.Add(0, 2);
  const std::vector<Rule> outside = {{0, 1, 2}, {0, 1, 7}};
  const std::vector<int> twoLevels = {0, 1};
  const std::vector<WideRule> wideOutside = {{0, 1, 7}};
  const std::vector<int> wideRequired = {3, 70};
  const auto everyWideSet = [](std::span<const std::uint64_t>) { return true; };
  const Order pentagon = NarrowOrder(Pentagon().order);
  ClosedSetCounter counter;
  const struct {
    const char* name;
    std::function<void()> call;
    const char* reason;
  } cases[] = {
      {"65 elements", [&] { counter.Count(65, {}); }, "65 elements"},
      {"rule outside", [&] { counter.Count(5, outside); }, "names element 7"},
      {"levels", [&] { counter.CountBySize(5, {}, twoLevels); }, "2 levels for 5 elements"},
      {"no top", [&] { LatticeOf(noTop); }, "1 and 2 have no upper bound"},
      {"list", [&] { ListClosedSets(5, outside, 0, [](Mask) { return true; }); }, "element 7"},
      {"wide list", [&] { ListWideClosedSets(1025, {}, {}, everyWideSet); }, "1025 elements"},
      {"wide rule outside", [&] { ListWideClosedSets(5, wideOutside, {}, everyWideSet); },
       "element 7"},
      {"wide required", [&] { ListWideClosedSets(70, {}, wideRequired, everyWideSet); },
       "required element 70"},
      {"equation",
       [&] {
         Problem(pentagon, {{0, 1, 9, '+'}});
       },
       "names element 9"},
      {"required", [&] { Problem(pentagon, LatticeOf(pentagon).equations).Count(counter, Bit(5)); },
       "required element 5"},
      {"family", [&] { Chain(-1); }, "Chain: -1 is below 0"},
  };
  for (const auto& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << c.name << ": no exception";
    } catch (const std::invalid_argument& e) {
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos)
          << c.name << ": " << e.what();
    }
  }
}

}  // namespace

}  // namespace mirelkon
