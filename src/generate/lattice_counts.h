// The numbers of lattices of n elements up to isomorphism, as published (OEIS A006966), for
// planning how a generation is split and for checking it.
#pragma once

#include <cstdint>

#include "generate/generated_lattice.h"

namespace mirelkon {

// 1 <= n <= maxGeneratedSize.
std::uint64_t KnownLatticeCount(int n);

}  // namespace mirelkon
