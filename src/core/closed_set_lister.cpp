// Listing closed subsets by deciding the elements in order, "out" before "in". A decision
// "in" adds the closure of the element and fails when the closure meets an element decided
// "out"; a decision "out" never fails. So every path that fails does so one step after a
// success, and the work stays within n closures per subset listed.
#include "core/closed_set_lister.h"

#include "core/internal/closure.h"

namespace mirelkon {

namespace {

struct Listing {
  const ClosureRules& rules;
  int n;
  const std::function<bool(Mask)>& visit;

  // Decides elements e.. given the closed set `in` and the elements ruled `out`.
  bool From(int e, Mask in, Mask out) const {
    for (; e < n && Holds(in, e); ++e) {
    }
    if (e == n) return visit(in);
    if (!From(e + 1, in, out | Bit(e))) return false;
    const Mask grown = rules.Extend(in, Bit(e));
    return (grown & out) != 0 || From(e + 1, grown, out);
  }
};

}  // namespace

bool ListClosedSets(int n, std::span<const Rule> rules, Mask required,
                    const std::function<bool(Mask)>& visit) {
  const ClosureRules closure(n, rules);
  return Listing{closure, n, visit}.From(0, closure.Close(required), 0);
}

}  // namespace mirelkon
