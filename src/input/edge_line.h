// Edge lines: items "xy", each stating that element x lies below element y.
#pragma once

#include "input/input_reader.h"

namespace mirelkon {

// Parses the line in hand into the job's order and edges.
void ParseEdgeLine(InputReader& reader);

}  // namespace mirelkon
