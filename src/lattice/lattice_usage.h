// The usage text and the version line of mirelkon-lattice.
#pragma once

#include <string>

namespace mirelkon {

std::string LatticeUsageText();

// "mirelkon-lattice " and the version, one line.
std::string LatticeVersionText();

}  // namespace mirelkon
