// The written forms of a generated lattice, one line each without its line end: digraph6 of
// the Hasse diagram (the format of nauty's tools for directed graphs, an arc from each
// element to each element covering it) and the plain list of cover pairs.
#pragma once

#include <string>
#include <vector>

#include "generate/generated_lattice.h"

namespace mirelkon {

// "&", the number of vertices, then the adjacency matrix row by row, six bits to a
// character; for instance "&BH?" for the chain of three.
void AppendDigraph6(const GeneratedLattice& lattice, std::string& text);

// "0<1 0<2 1<3 2<3": each pair lower<upper, separated by blanks; empty for one element.
void AppendCoverList(const std::vector<CoverPair>& pairs, std::string& text);

}  // namespace mirelkon
