// The usage text and the version line of mirelkon-lattice.
#pragma once

#include <string>

std::string LatticeUsageText();

// "mirelkon-lattice " and the version, one line.
std::string LatticeVersionText();
