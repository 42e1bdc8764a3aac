// Choosing the levels at which a generation is split.
#include "generate/generation_plan.h"

#include <cassert>
#include <cstdint>

#include "generate/lattice_counts.h"

namespace {

// Subtrees per part, and tasks per thread. The largest subtrees below a level are 100 to 300
// times the average (measured for 14 and 15 elements below 10 to 12), so with round-robin
// dealing a part of 260 subtrees drew up to 2.3 times the average, one of 2000 to 2600 at
// most 1.2 times. Every part also walks the tree above the split level; for 1000 parts that
// is the 2 million lattices of 13 elements, a second each. Threads claim their tasks as they
// go, which evens out the sizes by itself.
constexpr std::uint64_t subtreesPerPart = 2000;
constexpr std::uint64_t tasksPerThread = 1024;

// The first level from `from` on with at least `wanted` lattices, or the size itself.
int LevelWith(std::uint64_t wanted, int from, int size) {
  for (int level = from; level < size; ++level)
    if (KnownLatticeCount(level) >= wanted) return level;
  return size;
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
  plan.partLevel = LevelWith(subtreesPerPart * parts, first, size);
  plan.taskLevel = LevelWith(tasksPerThread * parts * threads, plan.partLevel, size);
  return plan;
}
