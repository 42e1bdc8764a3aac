// Every lattice of a given size up to isomorphism, each exactly once, by canonical
// construction paths: a lattice of n + 1 >= 3 elements is the child of the lattice left when
// its canonical coatom is removed, and the walk from the chain of two adds one coatom at a
// time, accepting a child only when its new coatom is canonical.
//
// A generator walks one part of the tree (see GenerationPlan) on one thread. Threads that
// share a TaskDispenser split the part's tasks among themselves; each has its own generator.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "generate/coatom_extensions.h"
#include "generate/generated_lattice.h"
#include "generate/generation_plan.h"

namespace mirelkon {

// Hands out the numbers of a part's tasks to the threads that share it, each number once.
class TaskDispenser {
 public:
  std::int64_t Claim() { return next_.fetch_add(1, std::memory_order_relaxed); }

 private:
  std::atomic<std::int64_t> next_{0};
};

struct GeneratorStats : ExtensionStats {
  std::uint64_t lattices = 0;     // lattices of the plan's size met
  std::uint64_t expanded = 0;     // smaller lattices whose children were sought
  std::uint64_t tiesSettled = 0;  // new coatoms whose canonicity nauty decided

  GeneratorStats& operator+=(const GeneratorStats& other) {
    ExtensionStats::operator+=(other);
    lattices += other.lattices;
    expanded += other.expanded;
    tiesSettled += other.tiesSettled;
    return *this;
  }
};

class LatticeGenerator {
 public:
  using Visitor = std::function<void(const GeneratedLattice&)>;
  // Called on the generator's thread after every checkpointInterval lattices, for progress
  // reports; it may throw to end the walk.
  using Checkpoint = std::function<void(const LatticeGenerator&)>;
  static constexpr std::uint64_t checkpointInterval = 1 << 16;

  // `tasks` is shared by the threads that walk the same part together, or null for one
  // thread alone; a dispenser serves one walk.
  explicit LatticeGenerator(const GenerationPlan& plan, TaskDispenser* tasks = nullptr);

  // Calls `visit` with every lattice of the plan's size in this generator's share, in the
  // order of the walk. Without a visitor the lattices are only counted, which spares
  // building the last ones.
  void Run(const Visitor& visit = {}, const Checkpoint& checkpoint = {});

  const GeneratorStats& Stats() const { return stats_; }

  // The number, from 0 in the order of the walk over all parts, of the lattice of partLevel
  // elements whose subtree the walk is in: the subtree belongs to part SubtreeNumber() %
  // parts. For the visitor, to see how evenly the parts come out.
  std::uint64_t SubtreeNumber() const { return partIndex_ - 1; }

 private:
  void Expand(int size);
  bool Admit(int size);
  void Emit(const GeneratedLattice& lattice);

  GenerationPlan plan_;
  TaskDispenser* tasks_;
  const Visitor* visit_ = nullptr;
  const Checkpoint* checkpoint_ = nullptr;
  GeneratorStats stats_;
  ExtensionFinder finder_;
  // Indexed by size: the lattice on the walk's path and the extensions it has.
  std::vector<GeneratedLattice> path_;
  std::vector<std::vector<CoatomExtension>> extensions_;
  std::uint64_t partIndex_ = 0;  // lattices of partLevel elements met, in every part
  std::int64_t taskIndex_ = 0;   // lattices of taskLevel elements met in this part
  std::int64_t claimed_ = -1;    // the last task number this generator claimed
};

}  // namespace mirelkon
