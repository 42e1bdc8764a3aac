// The sizes the library is built for.
#pragma once

namespace mirelkon {

// Elements of a partial lattice: an element is a bit of a 64-bit mask.
constexpr int maxElements = 64;

// Equations of one partial lattice, typed and derived together.
constexpr int maxConstraints = 4096;

// Elements of a lattice counted over sets wider than a 64-bit mask (a lattice file, a large
// term of mirelkon-lattice make): the widest set the counter is built for.
constexpr int maxWideElements = 1024;

}  // namespace mirelkon
