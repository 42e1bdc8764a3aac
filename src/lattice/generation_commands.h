// The commands that generate every lattice of a size (all, survey) and the one that adds
// up the surveys of parts (merge), as mirelkon-lattice runs them.
#pragma once

#include "lattice/generation_request.h"

namespace mirelkon {

// Runs the command of argv[1] (see IsGenerationCommand) and answers the exit status: 0, or 1
// after a refusal, whose line is written to standard error.
int RunGenerationCommand(int argc, char** argv);

}  // namespace mirelkon
