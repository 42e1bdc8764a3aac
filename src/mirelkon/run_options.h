// What the command line asks of every run on an input file, beside what its header says.
#pragma once

#include <cstddef>
#include <string>

#include "core/closed_set_counter.h"

namespace mirelkon {

struct RunOptions {
  bool lattice = false;       // --lattice: each job's order completed to its lattice first
  bool batch = false;         // --batch or --json: result names no glob of inputs matches
  bool verbose = false;       // --verbose: as "\verbose=true" in every input file
  bool resultFiles = true;    // false with --no-results, and with --json unless --results
  std::string resultsFolder;  // --results DIR; empty: beside a regular input file
  bool counterStats = false;  // --stats: what the counter did, on standard error
  CounterOptions counter;     // --cache-mb: the bound of the counter's cache
};

}  // namespace mirelkon
