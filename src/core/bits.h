// Sets of up to 64 elements as the bits of a 64-bit mask, and the few bit idioms the library
// uses on them, each named once.
#pragma once

#include <bit>
#include <cstdint>

namespace mirelkon {

using Mask = std::uint64_t;

inline Mask Bit(int e) {
  return Mask{1} << e;
}

// The elements 0..n-1.
inline Mask FirstElements(int n) {
  return n >= 64 ? ~Mask{0} : Bit(n) - 1;
}

inline int Lowest(Mask m) {
  return std::countr_zero(m);
}

// The element with the highest number; m must not be empty.
inline int Highest(Mask m) {
  return 63 - std::countl_zero(m);
}

inline Mask LowestBit(Mask m) {
  return m & -m;
}

inline bool Holds(Mask m, int e) {
  return (m >> e & 1) != 0;
}

// The number of elements in a mask. Where the build may not assume the popcnt instruction,
// std::popcount is a call into the runtime library; this sum of bit fields takes a dozen
// instructions instead.
inline int Size(Mask m) {
#ifdef __POPCNT__
  return std::popcount(m);
#else
  m -= (m >> 1) & 0x5555555555555555u;
  m = (m & 0x3333333333333333u) + ((m >> 2) & 0x3333333333333333u);
  m = (m + (m >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
  return static_cast<int>((m * 0x0101010101010101u) >> 56);
#endif
}

}  // namespace mirelkon
