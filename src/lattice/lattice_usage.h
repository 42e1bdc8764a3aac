// The usage text of mirelkon-lattice.
#pragma once

#include <string>

std::string LatticeUsageText();
