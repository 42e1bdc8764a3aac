// Closures under rules "left and right force result in" over sets of any width. As ClosureRules
// does for a Mask, an element that joins the set fires the rules it is a premise of with
// partners already in the set, found by a set of partners per element; the results of a pair
// are a short list rather than a set, which would take n^3 / 8 bytes (128 MB at 1024
// elements). A closure that is to avoid some elements stops at the first it reaches: a listing
// drops such a branch whatever the rest of the closure holds.
#pragma once

#include <bit>
#include <cstdint>
#include <span>
#include <vector>

#include "core/rule.h"
#include "core/wide_set.h"

namespace mirelkon {

class WideClosure {
 public:
  WideClosure(int n, std::span<const WideRule> rules);

  // The closure of a set.
  template <class Set>
  Set Close(const Set& set) const {
    return Extend(Set{}, set, Set{});
  }

  // The closure of a closed set with further elements, where only rules that name one of the
  // new elements can fire; or, once it reaches an element of `avoided`, a set that holds it.
  template <class Set>
  Set Extend(const Set& closed, const Set& added, const Set& avoided) const;

 private:
  int n_;
  int words_;                            // of a set of n elements
  std::vector<std::uint64_t> partners_;  // words_ words from x * words_: the y of rules (x, y, z)
  std::vector<std::uint32_t> first_;     // the z of rules (x, y, z) from first_[x * n + y] on
  std::vector<std::uint16_t> results_;
};

template <class Set>
Set WideClosure::Extend(const Set& closed, const Set& added, const Set& avoided) const {
  Set set = closed | added;
  for (Set fresh = added & ~closed; fresh != 0;) {
    const int x = Lowest(fresh);
    fresh &= fresh - 1;
    const std::uint64_t* partners = &partners_[static_cast<std::size_t>(x) * words_];
    const std::uint32_t* first = &first_[static_cast<std::size_t>(x) * n_];
    for (int k = 0; k < words_; ++k)
      for (std::uint64_t w = partners[k] & set.word[k]; w != 0; w &= w - 1) {
        const int y = 64 * k + std::countr_zero(w);
        for (std::uint32_t r = first[y]; r < first[y + 1]; ++r) {
          const int z = results_[r];
          if (Holds(set, z)) continue;
          const std::uint64_t bit = std::uint64_t{1} << (z % 64);
          set.word[z / 64] |= bit;
          if (Holds(avoided, z)) return set;
          fresh.word[z / 64] |= bit;
        }
      }
  }
  return set;
}

}  // namespace mirelkon
