// Closures under rules "left and right force result in": the least closed subset holding a
// given one, and the rules that the closed subsets holding some required elements obey on the
// other elements.
#pragma once

#include <span>
#include <vector>

#include "core/bits.h"
#include "core/limits.h"
#include "core/rule.h"

namespace mirelkon {

class ClosureRules {
 public:
  ClosureRules(int n, std::span<const Rule> rules);

  // The closure of a set.
  Mask Close(Mask set) const { return Extend(0, set); }

  // The closure of a closed set with further elements: only rules that name one of the new
  // elements can fire.
  Mask Extend(Mask closed, Mask added) const;

 private:
  int n_;
  Mask partners_[maxElements];                  // [x]: the y with a rule (x, y, z), y != x
  Mask conclusions_[maxElements][maxElements];  // [x][y]: the z of the rules (x, y, z)
};

// The closed subsets holding `required` are the unions of C, the closure of required, with the
// closed subsets of `rules` below; those rules name the elements outside C, numbered 0.. in
// the order of `elements`. A rule with one premise in C becomes an implication (r, r, z).
struct Restriction {
  Mask closure;
  std::vector<int> elements;  // the elements outside the closure, ascending
  std::vector<Rule> rules;
};

Restriction RestrictToSupersets(int n, std::span<const Rule> rules, Mask required);

}  // namespace mirelkon
