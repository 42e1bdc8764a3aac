// How the generation of the lattices of one size is split. The lattices of partLevel
// elements are dealt round-robin, in the order the walk meets them, to the parts, whose
// processes need not talk to each other: each walks the tree above that level by itself.
// Within a part, the lattices of taskLevel elements are tasks that the threads claim one at
// a time, so a thread that drew small subtrees takes more of them.
#pragma once

namespace mirelkon {

struct GenerationPlan {
  int size = 1;
  int part = 0;  // numbered from 0
  int parts = 1;
  int partLevel = 1;
  int taskLevel = 1;
};

// The part level weighs the walk down to it, which every part makes, against the evenness of
// the parts, which wants many subtrees for each; the task level is the first with many tasks
// for every thread. At most the size itself, where the lattices are dealt out one by one.
GenerationPlan PlanGeneration(int size, int part, int parts, int threads);

}  // namespace mirelkon
