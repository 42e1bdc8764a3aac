// The residual problem of a search for closed sets: the rules as masks, the decisions made so
// far with the implications and exclusions they leave, propagation, and the links that split
// the undecided elements into parts to be counted apart.
//
// Elements are the bits of a set: a 64-bit mask, or for more than 64 elements a WideSet of
// several words, the same code serving both. A rule (l, r, z) is the Horn clause "l and r force
// z". Once some elements are decided, a rule is satisfied, or forces an element, or leaves an
// implication "r forces z" (l is in) or an exclusion "not both l and r" (z is out), or stays
// untouched with its three elements undecided. The untouched rules of a part are exactly the
// rules among its elements, so a part is fully described by its element mask and the
// implications and exclusions on its elements, one mask of each per element (PartKey).
//
// An untouched rule is open unless an implication or exclusion already implies it: "l forces
// z" or "r forces z" or "not both l and r". A rule that is not open constrains nothing more,
// so it links no elements: parts split earlier, and elements held only by such rules are free.
#pragma once

#include <cstdint>
#include <span>

#include "core/bits.h"
#include "core/internal/small_part.h"
#include "core/limits.h"
#include "core/rule.h"
#include "core/wide_set.h"

namespace mirelkon {

// The rules as masks, fixed during a count.
template <class Set>
struct RuleMasks {
  static constexpr int capacity = elementsOf<Set>;
  Set partners[capacity];    // [x]: the r != x with a rule (x, r, z)
  Set results[capacity];     // [x]: the z of the rules (x, r, z), r != x
  Set concluders[capacity];  // [z]: the l with a rule (l, r, z), r != l
  // [x][r]: the z of the rules (x, r, z), symmetric in x and r; [x][x]: what x alone forces.
  Set conclusions[capacity][capacity];
  Set otherPremises[capacity][capacity];  // [z][l]: the r != l of the rules (l, r, z)
};

// Where a search stands: the decided elements and, for each undecided element, the
// implications and exclusions the decisions have left on it.
template <class Set>
struct Decisions {
  static constexpr int capacity = elementsOf<Set>;
  Set in, out;
  Set implied[capacity];   // [r]: the z that r forces in
  Set implying[capacity];  // [z]: the r that force z in
  Set excluded[capacity];  // [l]: the r that cannot be in together with l
};

// The links among the elements of a part (two elements are linked when an open rule,
// implication or exclusion names both) and, for each element, the open rules it is a premise
// of, the open rules it is the result of, and the implications and exclusions it is in.
template <class Set>
struct Links {
  static constexpr int capacity = elementsOf<Set>;
  Set linked[capacity];
  int premises[capacity];
  int results[capacity];
  int binaries[capacity];
};

// A part's key: its mask, the masks of its elements with implications and with exclusions,
// and those nonzero masks; with a hash of these words.
template <class Set>
struct PartKey {
  static constexpr int maxLength = 3 + 2 * elementsOf<Set>;
  Set words[maxLength];
  int length;
  std::uint64_t hash;

  std::span<const Mask> Words() const {
    return {WordsOf(words[0]), length * sizeof(Set) / sizeof(Mask)};
  }
};

// Fills the rule masks, and the decisions before the first branch, when the only
// implications are those of rules with equal premises.
template <class Set, class R>
void LoadRules(int n, std::span<const R> list, RuleMasks<Set>& rules, Decisions<Set>& d);

// Copies what the decisions say about the elements of a part.
template <class Set>
void CopyPart(const Decisions<Set>& from, Set part, Decisions<Set>& to);

// Adds the decisions newIn and newOut and what they imply within `scope` (the undecided
// elements of the part being counted), to a fixed point; false when they contradict a rule.
// `linked` holds the links of the part.
template <class Set>
bool Decide(const RuleMasks<Set>& rules, Decisions<Set>& d, Set newIn, Set newOut, Set scope,
            const Set* linked);

// The part of `seed` among the elements `rest`: everything linked to it.
template <class Set>
Set LinkedPart(const Links<Set>& links, Set seed, Set rest) {
  Set part = seed;
  for (Set todo = seed; todo != 0 && part != rest;) {
    const Set found = links.linked[Lowest(todo)] & rest & ~part;
    part |= found;
    todo = (todo & (todo - 1)) | found;
  }
  return part;
}

// The links among the undecided elements `part` and the open clauses of each of them.
// linkedBefore holds links found earlier, which can only have been lost since.
template <class Set>
void LinkPart(const RuleMasks<Set>& rules, const Decisions<Set>& d, Set part,
              const Set* linkedBefore, Links<Set>& links);

// The closed assignments of a part of at most smallPartElements elements, one bit per subset
// (core/internal/small_part.h).
template <class Set>
std::uint64_t ClosedSubsetsOfSmallPart(const RuleMasks<Set>& rules, const Decisions<Set>& d,
                                       Set part);

// The key of a part, in one pass over its elements.
template <class Set>
void FindKey(const Decisions<Set>& d, Set part, PartKey<Set>& key);

}  // namespace mirelkon
