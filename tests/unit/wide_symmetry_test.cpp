// The sublattices of lattices beyond 64 elements up to symmetry: against Burnside's lemma worked
// out by hand on chains with squares on top, against the count of small lattices through their
// equations, and withheld for groups too large to run through.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/count.h"
#include "core/partial_lattice.h"
#include "core/symmetry.h"
#include "core/wide_lattice.h"
#include "families/lattices.h"

namespace mirelkon {

namespace {

WideLatticeTables TablesOf(const WideOrder& order) {
  const WideLatticeCheck check = CheckWideLattice(order);
  EXPECT_FALSE(check.fault);
  return check.tables;
}

// A chain of c elements with k squares glued on top, each on the top of the one before: the
// square i has the bottom c - 1 + 3i, the atoms after it and the top c + 2 + 3i.
WideOrder ChainWithSquares(int c, int k) {
  WideOrder order(c + 3 * k);
  for (int x = 0; x + 1 < c; ++x) order.Add(x, x + 1);
  for (int i = 0; i < k; ++i) {
    const int bottom = c - 1 + 3 * i;
    for (int atom : {bottom + 1, bottom + 2}) {
      order.Add(bottom, atom);
      order.Add(atom, bottom + 3);
    }
  }
  order.Close();
  return order;
}

// Burnside's sum over the automorphisms of ChainWithSquares(c, k), which swap the atoms of any
// of the squares (bit i of `swapped`); holding the first atom of the first square, over those
// that keep it. Elements of different parts are comparable, so a subset is a sublattice when
// its part in each square is one; the parts meet in the shared bottoms and tops.
BigCount OrbitsByHand(int c, int k, bool holdingAtom) {
  // Square elements: bit 0 the bottom, bits 1 and 2 the atoms, bit 3 the top.
  const auto closed = [](int s) {
    const bool atoms = (s & 6) == 6;
    return !atoms || (s & 9) == 9;
  };
  BigCount sum = 0;
  std::uint64_t stabilizer = 0;
  for (int swapped = 0; swapped < 1 << k; ++swapped) {
    if (holdingAtom && (swapped & 1) != 0) continue;
    ++stabilizer;
    BigCount ways[2] = {PowerOfTwo(c - 1), PowerOfTwo(c - 1)};  // by the chain's top
    for (int i = 0; i < k; ++i) {
      BigCount next[2] = {0, 0};
      for (int s = 0; s < 16; ++s) {
        const bool fixed = (swapped >> i & 1) == 0 || ((s >> 1 & 1) == (s >> 2 & 1));
        const bool holds = !holdingAtom || i != 0 || (s & 2) != 0;
        if (closed(s) && fixed && holds) next[s >> 3 & 1] += ways[s & 1];
      }
      ways[0] = next[0];
      ways[1] = next[1];
    }
    sum += ways[0] + ways[1];
  }
  return sum / stabilizer;
}

TEST(WideSymmetry, ChainsWithSquaresAgainstBurnsideByHand) {
  struct Case {
    int c, k;
    bool holdingAtom, levels;
  };
  // 70 elements with 8 automorphisms, every quotient wide; 70 with 1024, quotients of 60 to
  // 70 cycles on both counters; 124 with 256.
  const Case cases[] = {{61, 3, false, true}, {40, 10, false, true}, {40, 10, true, false},
                        {40, 10, true, true}, {100, 8, true, true},  {100, 8, false, false}};
  ClosedSetCounter narrow;
  WideSetCounter wide;
  for (const Case& c : cases) {
    const WideOrder order = ChainWithSquares(c.c, c.k);
    const WideLatticeTables tables = TablesOf(order);
    const std::vector<int> levels =
        c.levels ? DistributiveLevels(order, tables) : std::vector<int>{};
    ASSERT_EQ(levels.empty(), !c.levels);
    const std::vector<int> required = c.holdingAtom ? std::vector<int>{c.c} : std::vector<int>{};
    const WideSymmetryCount symmetry =
        CountSublatticesUpToSymmetry(wide, narrow, order, tables, required, levels);
    const std::string name = std::to_string(c.c) + "+" + std::to_string(c.k);
    EXPECT_EQ(symmetry.automorphisms, DecimalText(PowerOfTwo(c.k))) << name;
    EXPECT_EQ(symmetry.stabilizer, std::uint64_t{1} << (c.k - c.holdingAtom)) << name;
    EXPECT_EQ(symmetry.classes, symmetry.stabilizer) << name;  // the group is abelian
    ASSERT_TRUE(symmetry.orbits) << name;
    EXPECT_EQ(*symmetry.orbits, OrbitsByHand(c.c, c.k, c.holdingAtom)) << name;
  }
}

// Lattices of at most 64 elements counted both ways: through their equations, and as wide
// lattices fixed by their order.
TEST(WideSymmetry, SmallLatticesAsThroughTheirEquations) {
  const LatticeFactor lattices[] = {Boolean(5),    Boolean(6),
                                    Diamond(9),    Product(Diamond(3), Chain(4)),
                                    Partitions(4), Young(3, 3)};
  ClosedSetCounter narrow;
  WideSetCounter wide;
  for (const LatticeFactor& lattice : lattices) {
    const int n = lattice.Size();
    const Order order = NarrowOrder(lattice.order);
    const Problem problem(order, LatticeOf(order).equations);
    const WideLatticeTables tables = TablesOf(lattice.order);
    for (int x : {-1, 1, n - 1}) {
      const std::vector<int> required = x < 0 ? std::vector<int>{} : std::vector<int>{x};
      const SymmetryCount expected = problem.CountUpToSymmetry(narrow, x < 0 ? 0 : Bit(x));
      const WideSymmetryCount symmetry =
          CountSublatticesUpToSymmetry(wide, narrow, lattice.order, tables, required);
      EXPECT_EQ(symmetry.automorphisms, expected.automorphisms) << n << " holding " << x;
      EXPECT_EQ(symmetry.stabilizer, expected.stabilizer) << n << " holding " << x;
      ASSERT_TRUE(expected.orbits && symmetry.orbits) << n << " holding " << x;
      EXPECT_EQ(*symmetry.orbits, BigCountOf(*expected.orbits)) << n << " holding " << x;
    }
  }
}

// M_k has k! automorphisms and k + 7 sublattices up to them (none, one or both of bottom and
// top with at most one atom, or both with 2..k atoms): run through for M_9, sized exactly
// but not run through beyond 1000000.
TEST(WideSymmetry, DiamondsUpToTheLimitOfTheGroup) {
  ClosedSetCounter narrow;
  WideSetCounter wide;
  for (int k : {9, 70, 100}) {
    const LatticeFactor m = Diamond(k);
    BigCount factorial;
    mpz_fac_ui(factorial.get_mpz_t(), static_cast<unsigned long>(k));
    const WideSymmetryCount symmetry =
        CountSublatticesUpToSymmetry(wide, narrow, m.order, TablesOf(m.order), {});
    EXPECT_EQ(symmetry.automorphisms, DecimalText(factorial)) << k;
    EXPECT_EQ(symmetry.orbits, k == 9 ? std::optional<BigCount>(k + 7) : std::nullopt) << k;
  }
}

}  // namespace

}  // namespace mirelkon
