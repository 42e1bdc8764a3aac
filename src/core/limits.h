// The sizes the library is built for.
#pragma once

namespace mirelkon {

// Elements of a partial lattice: an element is a bit of a 64-bit mask.
constexpr int maxElements = 64;

// Equations of one partial lattice, typed and derived together.
constexpr int maxConstraints = 4096;

}  // namespace mirelkon
