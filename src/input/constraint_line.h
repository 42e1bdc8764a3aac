// Constraint lines: items "xoy=z", the equation x o y = z for an operation symbol o.
#pragma once

#include "input/input_reader.h"

namespace mirelkon {

// Parses the line in hand into the job's equations, as typed; normal form and derivation come
// after the whole section has been read.
void ParseConstraintLine(InputReader& reader);

}  // namespace mirelkon
