// Choosing the levels at which a generation is split.
#include "generate/generation_plan.h"

#include <cassert>
#include <cstdint>

#include "generate/lattice_counts.h"

namespace {

// Subtrees per part, and tasks per thread: the largest subtrees at a level are a few
// hundred times the average, so a part needs a few hundred of them to stay within twice the
// average share.
constexpr std::uint64_t subtreesPerPart = 256;
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
