// What the command line asks of every run on an input file, beside what its header says.
#pragma once

#include <string>

struct RunOptions {
  bool lattice = false;       // --lattice: each job's order completed to its lattice first
  bool resultFiles = true;    // false with --no-results, and with --json unless --results
  std::string resultsFolder;  // --results DIR; empty: beside a regular input file
};
