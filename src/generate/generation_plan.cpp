// Choosing the levels at which a generation is split.
#include "generate/generation_plan.h"

#include <cassert>
#include <cstdint>

#include "generate/lattice_counts.h"

namespace mirelkon {

namespace {

// Tasks per thread. Threads claim their tasks as they go, which evens out the sizes by
// itself, so the level of the tasks is the first with many for every thread.
constexpr std::uint64_t tasksPerThread = 1024;

// The first level from `from` on with at least `wanted` lattices, or the size itself.
int LevelWith(std::uint64_t wanted, int from, int size) {
  for (int level = from; level < size; ++level)
    if (KnownLatticeCount(level) >= wanted) return level;
  return size;
}

// The level whose lattices are dealt to the parts. Every part walks the tree down to it by
// itself, which costs about as much as making its lattices; a shallower level gives each part
// fewer subtrees, which even out worse. The largest subtrees below a level are 100 to 300
// times the average (measured for 14 and 15 elements below 10 to 12): the largest of parts of
// k subtrees each drew about 1 + 300/k times the average share (2.3 times for 260, 1.2 times
// for 2000). The level chosen makes the largest part cheapest, its walk and its share
// together: for 10^4 parts of 18 elements the 17 million lattices of 14, not the 152 million
// of 15 that the first level with 2000 subtrees a part would cost each of them.
constexpr double imbalancePerSubtree = 300;

int SplitLevel(int size, int parts, int first) {
  const double share = static_cast<double>(KnownLatticeCount(size)) / parts;
  int best = size;
  double bestCost = 0;
  for (int level = first; level <= size; ++level) {
    const double lattices = static_cast<double>(KnownLatticeCount(level));
    const double cost = lattices + share * (1 + imbalancePerSubtree * parts / lattices);
    if (level == first || cost < bestCost) {
      best = level;
      bestCost = cost;
    }
  }
  return best;
}

}  // namespace

GenerationPlan PlanGeneration(int size, int part, int parts, int threads) {
  assert(1 <= size && size <= maxGeneratedSize);
  assert(0 <= part && part < parts && threads >= 1);
  GenerationPlan plan;
  plan.size = size;
  plan.part = part;
  plan.parts = parts;
  const int first = size >= 2 ? 2 : 1;  // the walk starts at the chain of two
  plan.partLevel = parts == 1 ? first : SplitLevel(size, parts, first);  // one part deals nothing
  plan.taskLevel = LevelWith(tasksPerThread * parts * threads, plan.partLevel, size);
  return plan;
}

}  // namespace mirelkon
