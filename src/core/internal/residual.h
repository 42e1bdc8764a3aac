// The residual problem of a search for closed sets: the rules as masks, the decisions made so
// far with the implications and exclusions they leave, propagation, and the links that split
// the undecided elements into parts to be counted apart.
//
// Elements are the bits of a 64-bit mask. A rule (l, r, z) is the Horn clause "l and r force
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
#include "core/limits.h"
#include "core/rule.h"

namespace mirelkon {

// The rules as masks, fixed during a count.
struct RuleMasks {
  Mask partners[maxElements];    // [x]: the r != x with a rule (x, r, z)
  Mask results[maxElements];     // [x]: the z of the rules (x, r, z), r != x
  Mask concluders[maxElements];  // [z]: the l with a rule (l, r, z), r != l
  // [x][r]: the z of the rules (x, r, z), symmetric in x and r; [x][x]: what x alone forces.
  Mask conclusions[maxElements][maxElements];
  Mask otherPremises[maxElements][maxElements];  // [z][l]: the r != l of the rules (l, r, z)
};

// Where a search stands: the decided elements and, for each undecided element, the
// implications and exclusions the decisions have left on it.
struct Decisions {
  Mask in, out;
  Mask implied[maxElements];   // [r]: the z that r forces in
  Mask implying[maxElements];  // [z]: the r that force z in
  Mask excluded[maxElements];  // [l]: the r that cannot be in together with l
};

// The links among the elements of a part (two elements are linked when an open rule,
// implication or exclusion names both) and the number of those each element is in.
struct Links {
  Mask linked[maxElements];
  int occurrences[maxElements];
};

// A part's key: its mask, the masks of its elements with implications and with exclusions,
// and those nonzero masks; with a hash of these words.
struct PartKey {
  static constexpr int maxLength = 3 + 2 * maxElements;
  Mask words[maxLength];
  int length;
  std::uint64_t hash;

  std::span<const Mask> Words() const { return {words, static_cast<std::size_t>(length)}; }
};

// Fills the rule masks, and the decisions before the first branch, when the only
// implications are those of rules with equal premises.
void LoadRules(int n, std::span<const Rule> list, RuleMasks& rules, Decisions& d);

// Copies what the decisions say about the elements of a part.
void CopyPart(const Decisions& from, Mask part, Decisions& to);

// Adds the decisions newIn and newOut and what they imply within `scope` (the undecided
// elements of the part being counted), to a fixed point; false when they contradict a rule.
// `linked` holds the links of the part.
bool Decide(const RuleMasks& rules, Decisions& d, Mask newIn, Mask newOut, Mask scope,
            const Mask* linked);

// The part of `seed` among the undecided elements `rest` (of the undecided `open`):
// everything linked to it. linkedBefore holds links found earlier, which can only have been
// lost since.
Mask PartOf(const RuleMasks& rules, const Decisions& d, Mask seed, Mask open, Mask rest,
            const Mask* linkedBefore);

// The links within a part and the open clauses of each of its elements.
void LinkPart(const RuleMasks& rules, const Decisions& d, Mask part, const Mask* linkedBefore,
              Links& links);

// The key of a part, in one pass over its elements.
void FindKey(const Decisions& d, Mask part, PartKey& key);

}  // namespace mirelkon
