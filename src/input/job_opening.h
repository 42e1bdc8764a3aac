// The first sections of every job: the name of L, its size and its element symbols, echoed as
// they are read and checked before any edge is read.
#pragma once

#include "input/input_reader.h"

namespace mirelkon {

// Called with the line holding "\name" in hand; leaves the element line there.
void ReadNameSizeAndElements(InputReader& reader);

}  // namespace mirelkon
