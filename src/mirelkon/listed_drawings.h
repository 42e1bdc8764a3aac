// --draw DIR: each listed closed subset marked in the Hasse diagram of L, one SVG file each,
// so that a sublattice can be seen where it lies.
#pragma once

#include <string>

#include "core/bits.h"
#include "core/derivation.h"
#include "input/input_reader.h"

namespace mirelkon {

// Draws the first drawnSubsetLimit closed subsets holding the required elements, in the order
// --list writes them, into DIR/STEM_J_K.svg: STEM the input file's name without its folder and
// extension, J the job's number in the file, K the subset's. The folder is made if missing; a
// file that exists is never replaced: that ends the run with an IoFailure, as does a failed
// write. A job whose order has a cycle is not drawn.
void DrawListedSubsets(const std::string& folder, const std::string& inputName, int jobNumber,
                       const ParsedJob& job, const Derivation& derivation, Mask required);

// False when the job's order has a cycle, which no Hasse diagram shows.
bool DrawableOrder(const Order& order);

}  // namespace mirelkon
