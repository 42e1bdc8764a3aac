// The command "make": the input file of a well-known lattice or of a direct product of
// several, with every join and meet of two incomparable elements.
#pragma once

#include <string>
#include <vector>

struct MakeRequest {
  std::vector<std::string> words;  // the term: "chain", "5", "x", "chain", "6", ...
  int subtrahend = 0;              // 0..20
  bool verbose = false;
};

// Answers the written input file; a malformed term or a lattice above the element limit
// comes as a CommandError.
std::string MakeInputFile(const MakeRequest& request);
