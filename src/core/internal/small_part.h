// Parts of at most six elements, counted on the spot rather than through the cache: every
// subset of such a part is one bit of a word, bit t for the subset of the elements whose
// places in the part (lowest element first) are the bits of t. A set of subsets is then a
// word, and the subsets a constraint rules out are a few ands of the words below.
#pragma once

#include <cstdint>

namespace mirelkon {

constexpr int smallPartElements = 6;

// The subsets that hold place i.
constexpr std::uint64_t subsetsHolding[smallPartElements] = {
    0xAAAAAAAAAAAAAAAAu, 0xCCCCCCCCCCCCCCCCu, 0xF0F0F0F0F0F0F0F0u,
    0xFF00FF00FF00FF00u, 0xFFFF0000FFFF0000u, 0xFFFFFFFF00000000u};

// The subsets of s places.
constexpr std::uint64_t subsetsOfSize[smallPartElements + 1] = {
    0x0000000000000001u, 0x0000000100010116u, 0x0001011601161668u, 0x0116166816686880u,
    0x1668688068808000u, 0x6880800080000000u, 0x8000000000000000u};

}  // namespace mirelkon
