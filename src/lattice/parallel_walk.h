// The walk through the lattices of one size on several threads: each thread has its own
// generator and claims the part's tasks one at a time, while the calling thread shows the
// progress.
#pragma once

#include <functional>

#include "generate/lattice_generator.h"

namespace mirelkon {

struct WalkSetup {
  int size = 1;
  int part = 0, parts = 1;
  int threads = 1;
};

// visitorFor(t) is called on thread t and answers its visitor (an empty one only counts).
// An exception thrown by a visitor stops every thread and is thrown again here. Answers the
// statistics of all threads added up.
GeneratorStats WalkInParallel(const WalkSetup& setup,
                              const std::function<LatticeGenerator::Visitor(int)>& visitorFor);

}  // namespace mirelkon
