// Closures by forward chaining on masks: each element that joins the set fires the rules it is
// a premise of, with partners already in the set.
#include "core/internal/closure.h"

#include <cassert>

namespace mirelkon {

ClosureRules::ClosureRules(int n, std::span<const Rule> rules) : n_(n) {
  assert(0 <= n && n <= maxElements);
  for (int x = 0; x < n; ++x) {
    partners_[x] = 0;
    for (int y = 0; y < n; ++y) conclusions_[x][y] = 0;
  }
  for (const Rule& rule : rules) {
    assert(rule.left < n && rule.right < n && rule.result < n);
    conclusions_[rule.left][rule.right] |= Bit(rule.result);
    conclusions_[rule.right][rule.left] |= Bit(rule.result);
    partners_[rule.left] |= Bit(rule.right);
    partners_[rule.right] |= Bit(rule.left);
  }
}

Mask ClosureRules::Extend(Mask closed, Mask added) const {
  Mask set = closed | added;
  for (Mask fresh = added & ~closed; fresh != 0;) {
    const int x = Lowest(fresh);
    fresh &= fresh - 1;
    Mask forced = 0;
    for (Mask p = partners_[x] & set; p != 0; p &= p - 1) forced |= conclusions_[x][Lowest(p)];
    forced &= ~set;
    set |= forced;
    fresh |= forced;
  }
  assert((set & ~FirstElements(n_)) == 0);
  return set;
}

Restriction RestrictToSupersets(int n, std::span<const Rule> rules, Mask required) {
  Restriction restriction;
  restriction.closure = ClosureRules(n, rules).Close(required);
  const Mask inside = restriction.closure;
  int number[maxElements];
  for (int x = 0; x < n; ++x) {
    if (Holds(inside, x)) continue;
    number[x] = static_cast<int>(restriction.elements.size());
    restriction.elements.push_back(x);
  }
  const auto renumbered = [&](int x) { return static_cast<std::uint8_t>(number[x]); };
  for (const Rule& rule : rules) {
    if (Holds(inside, rule.result)) continue;  // always met
    // The closure holds no premise pair of a result outside it.
    assert(!(Holds(inside, rule.left) && Holds(inside, rule.right)));
    const int l = Holds(inside, rule.left) ? rule.right : rule.left;
    const int r = Holds(inside, rule.right) ? rule.left : rule.right;
    restriction.rules.push_back({renumbered(l), renumbered(r), renumbered(rule.result)});
  }
  return restriction;
}

}  // namespace mirelkon
