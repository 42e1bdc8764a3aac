// The first sections of every job: the name of L, its size and its element symbols,
// echoed as they are read and checked before any edge is read.
#pragma once

#include <string>

// Called with the line holding "\name" in the buffer; leaves the element line there.
void ReadNameSizeAndElements(std::string& line);
