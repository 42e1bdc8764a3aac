// The lattice generator: as many lattices as published for every size up to 11, each a
// lattice numbered along a linear extension, no two isomorphic (checked without nauty up to
// 9 elements), and parts and threads that split the same set without overlap.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <numeric>
#include <thread>
#include <vector>

#include "core/lattice.h"
#include "generate/lattice_counts.h"
#include "generate/lattice_generator.h"

namespace {

// The lattices of one size in the order of the walk, by their masks of elements above.
using UpSets = std::array<Mask, maxGeneratedSize>;

std::vector<UpSets> Generated(const GenerationPlan& plan, TaskDispenser* tasks = nullptr) {
  std::vector<UpSets> lattices;
  LatticeGenerator generator(plan, tasks);
  generator.Run([&](const GeneratedLattice& lattice) { lattices.push_back(lattice.up); });
  EXPECT_EQ(generator.Stats().lattices, lattices.size());
  return lattices;
}

// The least relabelling of the order over all permutations of the elements between bottom
// and top: equal exactly for isomorphic lattices.
UpSets BruteForceCanonicalForm(const UpSets& up, int n) {
  if (n <= 2) return up;
  std::vector<int> image(n);
  std::iota(image.begin(), image.end(), 0);
  UpSets best{};
  best.fill(~Mask{0});
  do {
    UpSets relabelled{};
    for (int x = 0; x < n; ++x)
      for (Mask above = up[x]; above != 0; above &= above - 1)
        relabelled[image[x]] |= Bit(image[Lowest(above)]);
    best = std::min(best, relabelled);
  } while (std::next_permutation(image.begin() + 1, image.end() - 1));
  return best;
}

TEST(Generator, EverySizeUpTo11GivesThePublishedNumberOfLatticesOnce) {
  for (int n = 1; n <= 11; ++n) {
    LatticeGenerator counting(PlanGeneration(n, 0, 1, 1));
    counting.Run();
    EXPECT_EQ(counting.Stats().lattices, KnownLatticeCount(n)) << n;

    std::vector<UpSets> canonicalForms;
    LatticeGenerator generator(PlanGeneration(n, 0, 1, 1));
    generator.Run([&](const GeneratedLattice& lattice) {
      ASSERT_EQ(lattice.size, n);
      const Order order = lattice.AsOrder();
      const LatticeCheck check = CheckLattice(order);
      ASSERT_FALSE(check.fault) << n;
      for (int x = 0; x < n; ++x) {
        EXPECT_EQ(lattice.up[x] & FirstElements(x), 0u) << "not a linear extension";
        EXPECT_TRUE(order.Below(0, x) && order.Below(x, n - 1));
        for (int y = 0; y < n; ++y) {
          EXPECT_EQ(Holds(lattice.lowerCovers[y], x), order.Covers(x, y));
          EXPECT_EQ(Holds(lattice.down[y], x), order.Below(x, y));
        }
      }
      if (n <= 9) canonicalForms.push_back(BruteForceCanonicalForm(lattice.up, n));
    });
    EXPECT_EQ(generator.Stats().lattices, KnownLatticeCount(n)) << n;
    std::sort(canonicalForms.begin(), canonicalForms.end());
    EXPECT_EQ(std::adjacent_find(canonicalForms.begin(), canonicalForms.end()),
              canonicalForms.end())
        << "two isomorphic lattices of " << n << " elements";
  }
}

TEST(Generator, PartsAndThreadsSplitTheSetWithoutOverlap) {
  const int n = 10;
  std::vector<UpSets> whole = Generated(PlanGeneration(n, 0, 1, 1));
  std::sort(whole.begin(), whole.end());

  const int parts = 7;
  std::vector<UpSets> joined;
  std::vector<std::size_t> sizes;
  for (int part = 0; part < parts; ++part) {
    const std::vector<UpSets> lattices = Generated(PlanGeneration(n, part, parts, 1));
    sizes.push_back(lattices.size());
    joined.insert(joined.end(), lattices.begin(), lattices.end());
  }
  std::sort(joined.begin(), joined.end());
  EXPECT_EQ(joined, whole);  // as multisets: no lattice in two parts, none missing
  EXPECT_LE(*std::max_element(sizes.begin(), sizes.end()), 2 * whole.size() / parts);

  // Three threads on part 2 of 3 together find what one finds alone.
  const GenerationPlan plan = PlanGeneration(n, 1, 3, 3);
  ASSERT_GT(plan.taskLevel, plan.partLevel);
  std::vector<UpSets> alone = Generated(PlanGeneration(n, 1, 3, 1));
  TaskDispenser tasks;
  std::vector<UpSets> found[3];
  std::vector<std::thread> threads;
  for (auto& share : found) threads.emplace_back([&] { share = Generated(plan, &tasks); });
  for (std::thread& thread : threads) thread.join();
  std::vector<UpSets> together;
  for (const auto& share : found) together.insert(together.end(), share.begin(), share.end());
  std::sort(alone.begin(), alone.end());
  std::sort(together.begin(), together.end());
  EXPECT_EQ(together, alone);
}

}  // namespace
