// The entry of mirelkon-lattice: the command line, the command and its output or refusal.
// Returns the exit status: 0 after success and after --help, 1 after any refusal.
#pragma once

namespace mirelkon {

int LatticeMain(int argc, char** argv);

}  // namespace mirelkon
