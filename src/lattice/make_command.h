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
  bool names = false;  // a lattice file, elements by name, whatever the size
};

// The lattice of a term with the name and the element symbols make gives it.
struct MadeLattice {
  std::string name;       // the term's words separated by single blanks
  LatticeFactor lattice;  // the elements bottom first, their names and the order
  std::string symbols;    // element x is symbols[x]
};

// A malformed term or a lattice of more than `largest` elements comes as a CommandError.
MadeLattice MakeLattice(const std::vector<std::string>& words, int largest = maxElements);

// Answers the written input file, or the lattice file for a lattice of more than maxElements
// elements or when names are asked for; a malformed term or a lattice above
// maxWideElements comes as a CommandError.
std::string MakeInputFile(const MakeRequest& request);

}  // namespace mirelkon
