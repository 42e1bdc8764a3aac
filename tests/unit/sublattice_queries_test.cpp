// The answers beyond the count against brute force over all subsets of the small example
// lattices: the closed subsets by size, those holding each element, the list of them, and their
// number up to the automorphisms, found by trying every order-preserving permutation; and the known
// answers for M_3, B_2 and chains.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <numeric>
#include <set>
#include <vector>

#include "core/closed_set_lister.h"
#include "core/count.h"
#include "core/derivation.h"
#include "core/internal/closure.h"
#include "core/symmetry.h"
#include "core/wide_lattice.h"
#include "families/lattices.h"
#include "input/input_reader.h"
#include "input/lattice_file.h"
#include "read_file.h"

namespace mirelkon {

namespace fs = std::filesystem;

namespace {

struct Job {
  std::string name;
  Order order;
  std::vector<Equation> table;
};

// The jobs of the example input files with at most 10 elements, derived.
std::vector<Job> SmallExampleJobs() {
  std::vector<Job> jobs;
  for (const auto& entry : fs::directory_iterator(fs::path(MIRELKON_SOURCE_DIR) / "examples")) {
    if (IsLatticeFileText(ReadFile(entry.path()))) continue;
    InputFile file;
    file.Open(entry.path());
    NullSink sink;
    InputReader reader(file, sink);
    ReadRunHeader(reader);
    for (bool first = true;; first = false) {
      const ParsedJob job = ReadJob(reader, first);
      if (job.lattice.Size() <= 10)
        jobs.push_back({entry.path().filename().string() + " " + job.name, job.lattice.order,
                        Derive(job.lattice).table});
      if (AtEndOfData(reader)) break;
    }
  }
  return jobs;
}

bool Closed(const std::vector<Rule>& rules, Mask set) {
  for (const Rule& r : rules)
    if (Holds(set, r.left) && Holds(set, r.right) && !Holds(set, r.result)) return false;
  return true;
}

// Every permutation keeping the order and the set of equations, found by extending partial
// maps element by element.
std::vector<std::vector<int>> Automorphisms(const Job& job) {
  const int n = job.order.size;
  std::set<std::tuple<char, int, int, int>> equations;
  for (const Equation& e : job.table)
    equations.insert({e.operation, std::min(e.left, e.right), std::max(e.left, e.right), e.result});
  std::vector<std::vector<int>> found;
  std::vector<int> image(n, -1);
  std::vector<bool> used(n, false);
  auto extend = [&](auto& self, int x) -> void {
    if (x == n) {
      for (const auto& [op, l, r, z] : equations)
        if (!equations.count(
                {op, std::min(image[l], image[r]), std::max(image[l], image[r]), image[z]}))
          return;
      found.push_back(image);
      return;
    }
    for (int y = 0; y < n; ++y) {
      if (used[y]) continue;
      bool keeps = true;
      for (int w = 0; w < x && keeps; ++w)
        keeps = job.order.Below(w, x) == job.order.Below(image[w], y) &&
                job.order.Below(x, w) == job.order.Below(y, image[w]);
      if (!keeps) continue;
      image[x] = y;
      used[y] = true;
      self(self, x + 1);
      used[y] = false;
    }
  };
  extend(extend, 0);
  return found;
}

TEST(SublatticeQueries, AgreeWithBruteForceOnTheSmallExamples) {
  const std::vector<Job> jobs = SmallExampleJobs();
  ASSERT_GE(jobs.size(), 5u);
  for (const Job& job : jobs) {
    const int n = job.order.size;
    const std::vector<Rule> rules = RulesOf(job.table);
    std::vector<Mask> closedSets;
    for (Mask set = 0; set < Bit(n); ++set)
      if (Closed(rules, set)) closedSets.push_back(set);
    const auto bySizeHolding = [&](Mask required) {
      std::vector<std::uint64_t> bySize(n + 1, 0);
      for (Mask s : closedSets)
        if ((s & required) == required) ++bySize[Size(s)];
      return bySize;
    };
    ClosedSetCounter counter;
    EXPECT_EQ(Problem(job.order, job.table).CountBySize(counter), bySizeHolding(0)) << job.name;
    for (int x = 0; x < n; ++x) {
      EXPECT_EQ(Problem(job.order, job.table).CountBySize(counter, Bit(x)), bySizeHolding(Bit(x)))
          << job.name << " holding " << x;
      const Restriction restriction = RestrictToSupersets(n, rules, Bit(x));
      const auto holding =
          std::count_if(closedSets.begin(), closedSets.end(), [&](Mask s) { return Holds(s, x); });
      EXPECT_EQ(counter.Count(static_cast<int>(restriction.elements.size()), restriction.rules),
                static_cast<SubsetCount>(holding))
          << job.name << " holding " << x;
    }
    // The listing meets the sets as binary numbers with element 0 the most significant digit.
    std::vector<Mask> listed, expected = closedSets;
    ListClosedSets(n, rules, 0, [&](Mask s) {
      listed.push_back(s);
      return true;
    });
    auto reversedBits = [&](Mask s) {
      Mask r = 0;
      for (int e = 0; e < n; ++e)
        if (Holds(s, e)) r |= Bit(n - 1 - e);
      return r;
    };
    std::sort(expected.begin(), expected.end(),
              [&](Mask a, Mask b) { return reversedBits(a) < reversedBits(b); });
    EXPECT_EQ(listed, expected) << job.name;
    // Orbits: each closed set stands for its orbit by its least image.
    const auto group = Automorphisms(job);
    std::set<Mask> orbits;
    for (Mask s : closedSets) {
      Mask least = s;
      for (const auto& g : group) {
        Mask image = 0;
        for (Mask m = s; m != 0; m &= m - 1) image |= Bit(g[Lowest(m)]);
        least = std::min(least, image);
      }
      orbits.insert(least);
    }
    const SymmetryCount symmetry = Problem(job.order, job.table).CountUpToSymmetry(counter, 0);
    EXPECT_EQ(symmetry.automorphisms, std::to_string(group.size())) << job.name;
    ASSERT_TRUE(symmetry.orbits) << job.name;
    EXPECT_EQ(*symmetry.orbits, orbits.size()) << job.name;
    // Holding an element: the orbits under the automorphisms that keep it.
    for (int x = 0; x < n; ++x) {
      std::set<Mask> holdingOrbits;
      std::uint64_t keeping = 0;
      for (const auto& g : group) keeping += g[x] == x;
      for (Mask s : closedSets) {
        if (!Holds(s, x)) continue;
        Mask least = s;
        for (const auto& g : group) {
          if (g[x] != x) continue;
          Mask image = 0;
          for (Mask m = s; m != 0; m &= m - 1) image |= Bit(g[Lowest(m)]);
          least = std::min(least, image);
        }
        holdingOrbits.insert(least);
      }
      const SymmetryCount holding =
          Problem(job.order, job.table).CountUpToSymmetry(counter, Bit(x));
      EXPECT_EQ(holding.stabilizer, keeping) << job.name << " holding " << x;
      ASSERT_TRUE(holding.orbits) << job.name;
      EXPECT_EQ(*holding.orbits, holdingOrbits.size()) << job.name << " holding " << x;
    }
  }
}

TEST(SublatticeQueries, KnownAnswers) {
  struct Case {
    std::string name;
    std::vector<std::pair<int, int>> covers;
    int n;
    std::string automorphisms;
    SubsetCount sub, orbits;
    std::vector<std::uint64_t> bySize;
  };
  const Case cases[] = {
      {"M_3", {{0, 1}, {0, 2}, {0, 3}, {1, 4}, {2, 4}, {3, 4}}, 5, "6", 20, 10, {1, 5, 7, 3, 3, 1}},
      {"B_2", {{0, 1}, {0, 2}, {1, 3}, {2, 3}}, 4, "2", 13, 9, {1, 4, 5, 2, 1}},
      {"chain of 6",
       {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}},
       6,
       "1",
       64,
       64,
       {1, 6, 15, 20, 15, 6, 1}},
  };
  for (const Case& c : cases) {
    Order order = Order::Identity(c.n);
    for (auto [x, y] : c.covers) order.Add(x, y);
    order.Close();
    const PartialLattice lattice = LatticeOf(order);
    ClosedSetCounter counter;
    EXPECT_EQ(Problem(order, lattice.equations).Count(counter), c.sub) << c.name;
    EXPECT_EQ(Problem(order, lattice.equations).CountBySize(counter), c.bySize) << c.name;
    const SymmetryCount symmetry = Problem(order, lattice.equations).CountUpToSymmetry(counter, 0);
    EXPECT_EQ(symmetry.automorphisms, c.automorphisms) << c.name;
    EXPECT_EQ(symmetry.orbits, c.orbits) << c.name;
  }
}

// Burnside's sum takes one count per class of conjugate automorphisms: M_k, whose |Aut| is k!,
// has k + 7 sublattices up to symmetry (none, one or both of bottom and top with at most one
// atom, or both with 2..k atoms), counted in a fraction of a second where one count per
// automorphism took seconds; many commuting automorphisms withhold the count.
TEST(SublatticeQueries, LargeGroupsAreCountedByClassesOfConjugates) {
  for (int k : {3, 6, 9}) {
    const Order order = NarrowOrder(Diamond(k).order);
    const PartialLattice lattice = LatticeOf(order);
    ClosedSetCounter counter;
    const std::clock_t start = std::clock();
    const SymmetryCount symmetry = Problem(order, lattice.equations).CountUpToSymmetry(counter, 0);
    const double seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
    EXPECT_EQ(symmetry.orbits, SubsetCount(k + 7)) << "M_" << k;
    EXPECT_LT(seconds, 10.0) << "M_" << k;
  }
  // Sixteen squares glued in a chain: 2^16 commuting automorphisms, each its own class, are
  // counted; nineteen, 2^19 classes, are not.
  for (int squares : {16, 19}) {
    Order order = Order::Identity(3 * squares + 1);
    for (int s = 0; s < squares; ++s) {
      order.Add(3 * s, 3 * s + 1);
      order.Add(3 * s, 3 * s + 2);
      order.Add(3 * s + 1, 3 * s + 3);
      order.Add(3 * s + 2, 3 * s + 3);
    }
    order.Close();
    const PartialLattice lattice = LatticeOf(order);
    ClosedSetCounter counter;
    const SymmetryCount symmetry = Problem(order, lattice.equations).CountUpToSymmetry(counter, 0);
    EXPECT_EQ(symmetry.classes, std::uint64_t{1} << squares);
    EXPECT_EQ(symmetry.orbits.has_value(), squares == 16) << squares;
  }
}

TEST(SublatticeQueries, GroupsBeyondTheLimitAreSizedButNotRunThrough) {
  const Order order = NarrowOrder(Diamond(12).order);  // M_12: 12! automorphisms
  const PartialLattice m12 = LatticeOf(order);
  ClosedSetCounter counter;
  const SymmetryCount symmetry = Problem(order, m12.equations).CountUpToSymmetry(counter, 0);
  EXPECT_EQ(symmetry.automorphisms, "479001600");
  EXPECT_FALSE(symmetry.orbits);
}

}  // namespace

}  // namespace mirelkon
