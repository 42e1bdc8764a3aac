// The lattice generator in process: as many lattices as published for every size up to 11,
// with or without building the last ones, each a lattice numbered along a linear extension
// whose masks agree with its order, and parts and threads that split the same set without
// overlap. The lines of mirelkon-lattice all are checked in generation_command_test.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "core/lattice.h"
#include "generate/lattice_checks.h"
#include "generate/lattice_counts.h"
#include "generate/lattice_generator.h"

namespace mirelkon {

namespace {

std::vector<UpSets> Generated(const GenerationPlan& plan, TaskDispenser* tasks = nullptr) {
  std::vector<UpSets> lattices;
  LatticeGenerator generator(plan, tasks);
  generator.Run([&](const GeneratedLattice& lattice) { lattices.push_back(lattice.up); });
  EXPECT_EQ(generator.Stats().lattices, lattices.size());
  return lattices;
}

TEST(Generator, EverySizeUpTo11GivesThePublishedNumberOfLattices) {
  for (int n = 1; n <= 11; ++n) {
    LatticeGenerator counting(PlanGeneration(n, 0, 1, 1));
    counting.Run();
    EXPECT_EQ(counting.Stats().lattices, KnownLatticeCount(n)) << n;

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
    });
    EXPECT_EQ(generator.Stats().lattices, KnownLatticeCount(n)) << n;
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

  // Three threads on part 2 of 2 of the lattices of 11 elements together find what one
  // finds alone.
  const GenerationPlan plan = PlanGeneration(11, 1, 2, 3);
  ASSERT_GT(plan.taskLevel, plan.partLevel);
  std::vector<UpSets> alone = Generated(PlanGeneration(11, 1, 2, 1));
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

}  // namespace mirelkon
