// The usage text of mirelkon-lattice.
#pragma once

#include <cstdio>

void WriteUsage(std::FILE* stream);
