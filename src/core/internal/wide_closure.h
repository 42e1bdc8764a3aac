// Closures under rules "left and right force result in" over sets of any width: each element
// keeps the rules it is a premise of as (partner, result) pairs, since a table of result sets
// per pair, as ClosureRules keeps, would take n^3 / 8 bytes (128 MB at 1024 elements).
#pragma once

#include <cassert>
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
    return Extend(Set{}, set);
  }

  // The closure of a closed set with further elements: only rules that name one of the new
  // elements can fire.
  template <class Set>
  Set Extend(const Set& closed, const Set& added) const;

 private:
  struct Consequence {
    std::uint16_t partner;
    std::uint16_t result;
  };

  int n_;
  std::vector<std::uint32_t> first_;  // x's consequences are [first_[x], first_[x + 1])
  std::vector<Consequence> consequences_;
};

template <class Set>
Set WideClosure::Extend(const Set& closed, const Set& added) const {
  Set set = closed | added;
  for (Set fresh = added & ~closed; fresh != 0;) {
    const int x = Lowest(fresh);
    fresh &= fresh - 1;
    for (std::uint32_t k = first_[x]; k < first_[x + 1]; ++k) {
      const Consequence c = consequences_[k];
      if (!Holds(set, c.partner) || Holds(set, c.result)) continue;
      const Set forced = ElementBit<Set>(c.result);
      set |= forced;
      fresh |= forced;
    }
  }
  assert((set & ~ElementsBelow<Set>(n_)) == 0);
  return set;
}

}  // namespace mirelkon
