// The command "all N": every lattice of N elements up to isomorphism, each once, one to a
// line as digraph6 of its Hasse diagram or as its cover pairs, or only their number, or each
// as an input file in a new folder.
#pragma once

#include "lattice/generation_request.h"

namespace mirelkon {

// Writes to standard output while the lattices are generated; a failed write ends it with a
// CommandError.
void RunAllCommand(const GenerationRequest& request);

}  // namespace mirelkon
