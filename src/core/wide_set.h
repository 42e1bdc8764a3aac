// Sets of more than 64 elements as a fixed number of 64-bit words, element e being bit e % 64
// of word e / 64. The type behaves as an unsigned integer of 64 * W bits for the operations
// the counter uses on its masks (&, |, ^, ~, comparison, shifts, m - 1 and -m), so that the
// same code counts over a 64-bit Mask and over a WideSet; the bit idioms of core/bits.h have
// their overloads here.
#pragma once

#include <array>
#include <bit>
#include <cassert>
#include <cstdint>
#include <type_traits>

#include "core/bits.h"

namespace mirelkon {

template <int W>
struct WideSet {
  static_assert(W >= 2, "one word is a Mask");
  static constexpr int words = W;
  static constexpr int bits = 64 * W;

  std::array<std::uint64_t, W> word;

  // Uninitialised, as a Mask is: the counter's arrays of sets are filled before they are read,
  // and clearing them would cost more than the count. WideSet{} is the empty set.
  constexpr WideSet() = default;
  // The set of the bits of one word: 0 for the empty set, as for a Mask.
  constexpr WideSet(std::uint64_t low) : word{} { word[0] = low; }

  friend constexpr WideSet operator&(WideSet a, const WideSet& b) { return a &= b; }
  friend constexpr WideSet operator|(WideSet a, const WideSet& b) { return a |= b; }
  friend constexpr WideSet operator^(WideSet a, const WideSet& b) { return a ^= b; }
  constexpr WideSet& operator&=(const WideSet& b) {
    for (int k = 0; k < W; ++k) word[k] &= b.word[k];
    return *this;
  }
  constexpr WideSet& operator|=(const WideSet& b) {
    for (int k = 0; k < W; ++k) word[k] |= b.word[k];
    return *this;
  }
  constexpr WideSet& operator^=(const WideSet& b) {
    for (int k = 0; k < W; ++k) word[k] ^= b.word[k];
    return *this;
  }
  friend constexpr WideSet operator~(WideSet a) {
    for (int k = 0; k < W; ++k) a.word[k] = ~a.word[k];
    return a;
  }
  friend constexpr bool operator==(const WideSet& a, const WideSet& b) = default;

  // a - b modulo 2^bits, borrowing from word to word: m & (m - 1) drops the lowest element.
  friend constexpr WideSet operator-(WideSet a, const WideSet& b) {
    std::uint64_t borrow = 0;
    for (int k = 0; k < W; ++k) {
      const std::uint64_t x = a.word[k], y = b.word[k];
      a.word[k] = x - y - borrow;
      borrow = (x < y || (x == y && borrow != 0)) ? 1 : 0;
    }
    return a;
  }
  // -m = ~m + 1: m & -m keeps the lowest element.
  friend constexpr WideSet operator-(const WideSet& a) { return WideSet{} - a; }

  friend constexpr WideSet operator<<(const WideSet& a, int shift) {
    assert(0 <= shift && shift < bits);
    WideSet r;
    const int whole = shift / 64, part = shift % 64;
    for (int k = 0; k < W; ++k) {
      const std::uint64_t here = k >= whole ? a.word[k - whole] << part : 0;
      const std::uint64_t carried =
          part != 0 && k > whole ? a.word[k - whole - 1] >> (64 - part) : 0;
      r.word[k] = here | carried;
    }
    return r;
  }
  friend constexpr WideSet operator>>(const WideSet& a, int shift) {
    assert(0 <= shift && shift < bits);
    WideSet r{};
    const int whole = shift / 64, part = shift % 64;
    for (int k = 0; k + whole < W; ++k) {
      r.word[k] = a.word[k + whole] >> part;
      if (part != 0 && k + whole + 1 < W) r.word[k] |= a.word[k + whole + 1] << (64 - part);
    }
    return r;
  }
};

// Sets are built word by word in a fixed order: a word stored at a computed place and read back
// with its neighbours as one set would stall the processor on every element the search takes.
template <int W>
WideSet<W> SingleElement(int e) {
  WideSet<W> s;
  const std::uint64_t bit = std::uint64_t{1} << (e % 64);
  for (int k = 0; k < W; ++k) s.word[k] = k == e / 64 ? bit : 0;
  return s;
}

template <int W>
WideSet<W> FirstElementsOf(int n) {
  assert(0 <= n && n <= WideSet<W>::bits);
  WideSet<W> s{};
  for (int k = 0; k < W; ++k) s.word[k] = FirstElements(n - 64 * k < 0 ? 0 : n - 64 * k);
  return s;
}

// The lowest element; m must not be empty.
template <int W>
int Lowest(const WideSet<W>& m) {
  for (int k = 0;; ++k)
    if (m.word[k] != 0) return 64 * k + std::countr_zero(m.word[k]);
}

// The element with the highest number; m must not be empty.
template <int W>
int Highest(const WideSet<W>& m) {
  for (int k = W - 1;; --k)
    if (m.word[k] != 0) return 64 * k + Highest(m.word[k]);
}

template <int W>
WideSet<W> LowestBit(const WideSet<W>& m) {
  WideSet<W> r;
  bool below = false;  // a lower word holds an element
  for (int k = 0; k < W; ++k) {
    r.word[k] = below ? 0 : LowestBit(m.word[k]);
    below = below || m.word[k] != 0;
  }
  return r;
}

template <int W>
bool Holds(const WideSet<W>& m, int e) {
  return Holds(m.word[e / 64], e % 64);
}

template <int W>
int Size(const WideSet<W>& m) {
  int size = 0;
  for (std::uint64_t w : m.word) size += Size(w);
  return size;
}

// The words of a set, as the cache and the hash take them.
template <int W>
const std::uint64_t* WordsOf(const WideSet<W>& m) {
  return m.word.data();
}
inline const std::uint64_t* WordsOf(const Mask& m) {
  return &m;
}

// One 64-bit word that depends on every word of the set, to be mixed into a hash.
template <int W>
std::uint64_t Folded(const WideSet<W>& m) {
  std::uint64_t h = 0;
  for (std::uint64_t w : m.word) h = std::rotl(h, 23) ^ w;
  return h;
}
inline std::uint64_t Folded(Mask m) {
  return m;
}

// The elements a set can hold: 64 for a Mask, 64 * W for a WideSet<W>.
template <class Set>
constexpr int elementsOf = 8 * sizeof(Set);

// The element sets by their number of elements: generic code asks for ElementBit<Set>(e).
template <class Set>
Set ElementBit(int e) {
  if constexpr (std::is_same_v<Set, Mask>)
    return Bit(e);
  else
    return SingleElement<Set::words>(e);
}
template <class Set>
Set ElementsBelow(int n) {
  if constexpr (std::is_same_v<Set, Mask>)
    return FirstElements(n);
  else
    return FirstElementsOf<Set::words>(n);
}

}  // namespace mirelkon
