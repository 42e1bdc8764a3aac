// The data error a fault of the derivation makes, with the notes that name the typed
// equations behind it. mirelkon and mirelkon-lattice complete both go through here, so that
// complete refuses what mirelkon would refuse, in the same words.
#pragma once

#include "core/derivation.h"
#include "input/data_error.h"
#include "input/input_reader.h"

namespace mirelkon {

// The error for derivation.fault (which must be set). `line` is the line in hand, for a fault
// that has no line of its own. For a forbidden equation the message is "(code) as reported
// above", the screen having shown the equation just before; its `record` tells it in full.
DataError DerivationError(const ParsedJob& job, const Derivation& derivation, int line);

}  // namespace mirelkon
