// The command "survey N" (or A..B): counts |Sub(L)| of every lattice of each size in the same
// process, without writing the lattices, and reports the tally of each size.
#pragma once

#include "lattice/generation_request.h"

namespace mirelkon {

// Writes the whole report once every size is done: a refusal leaves nothing behind.
void RunSurveyCommand(const GenerationRequest& request);

}  // namespace mirelkon
