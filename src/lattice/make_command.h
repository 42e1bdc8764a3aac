// The command "make": the input file of a well-known lattice or of a direct product of
// several, with every join and meet of two incomparable elements.
#pragma once

#include <string>
#include <vector>

#include "families/lattice_families.h"

namespace mirelkon {

struct MakeRequest {
  std::vector<std::string> words;  // the term: "chain", "5", "x", "chain", "6", ...
  int subtrahend = 0;              // 0..20
  bool verbose = false;
};

// The lattice of a term with the name and the element symbols make gives it.
struct MadeLattice {
  std::string name;       // the term's words separated by single blanks
  LatticeFactor lattice;  // the elements bottom first, their names and the order
  std::string symbols;    // element x is symbols[x]
};

// A malformed term or a lattice above the element limit comes as a CommandError.
MadeLattice MakeLattice(const std::vector<std::string>& words);

// Answers the written input file; a malformed term or a lattice above the element limit
// comes as a CommandError.
std::string MakeInputFile(const MakeRequest& request);

}  // namespace mirelkon
