// How the generation of the lattices of one size is split. The lattices of partLevel
// elements are dealt round-robin, in the order the walk meets them, to the parts, whose
// processes need not talk to each other: each walks the tree above that level by itself.
// Within a part, the lattices of taskLevel elements are tasks that the threads claim one at
// a time, so a thread that drew small subtrees takes more of them.
#pragma once

struct GenerationPlan {
  int size = 1;
  int part = 0;  // numbered from 0
  int parts = 1;
  int partLevel = 1;
  int taskLevel = 1;
};

// The levels are the first with enough lattices for every part (and every thread) to draw
// many subtrees, so that sizes even out; at most the size itself, where the lattices are
// dealt out one by one.
GenerationPlan PlanGeneration(int size, int part, int parts, int threads);
