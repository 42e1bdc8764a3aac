// Listing closed subsets by deciding the elements in order, "out" before "in". A decision
// "in" adds the closure of the element and fails when the closure meets an element decided
// "out"; a decision "out" never fails. So every path that fails does so one step after a
// success, and the work stays within n closures per subset listed.
#include "core/closed_set_lister.h"

#include "core/internal/closure.h"
#include "core/internal/contracts.h"
#include "core/internal/wide_closure.h"
#include "core/limits.h"
#include "core/wide_set.h"

namespace mirelkon {

namespace {

// The closure of `in` with one element more; where the closure can stop at the first element
// ruled out, as WideClosure's can, a set that meets `out`.
Mask Grown(const ClosureRules& rules, Mask in, Mask element, Mask) {
  return rules.Extend(in, element);
}
template <class Set>
Set Grown(const WideClosure& rules, const Set& in, const Set& element, const Set& out) {
  return rules.Extend(in, element, out);
}

// The same search over a 64-bit Mask with ClosureRules and over a WideSet with WideClosure.
template <class Set, class Closure, class Visit>
struct Listing {
  const Closure& rules;
  int n;
  const Visit& visit;

  // Decides elements e.. given the closed set `in` and the elements ruled `out`.
  bool From(int e, Set in, Set out) const {
    for (; e < n && Holds(in, e); ++e) {
    }
    if (e == n) return visit(in);
    const Set element = ElementBit<Set>(e);
    if (!From(e + 1, in, out | element)) return false;
    const Set grown = Grown(rules, in, element, out);
    return (grown & out) != 0 || From(e + 1, grown, out);
  }
};

template <int W>
bool ListOver(int n, std::span<const WideRule> rules, std::span<const int> required,
              const std::function<bool(std::span<const std::uint64_t>)>& visit) {
  using Set = WideSet<W>;
  const WideClosure closure(n, rules);
  Set start{};
  for (int r : required) start |= ElementBit<Set>(r);
  const auto words = static_cast<std::size_t>((n + 63) / 64);
  const auto visitWords = [&](const Set& set) { return visit({set.word.data(), words}); };
  return Listing<Set, WideClosure, decltype(visitWords)>{closure, n, visitWords}.From(
      0, closure.Close(start), Set{});
}

}  // namespace

bool ListClosedSets(int n, std::span<const Rule> rules, Mask required,
                    const std::function<bool(Mask)>& visit) {
  CheckRules("ListClosedSets", n, rules);
  CheckRequired("ListClosedSets", n, required);
  const ClosureRules closure(n, rules);
  return Listing<Mask, ClosureRules, std::function<bool(Mask)>>{closure, n, visit}.From(
      0, closure.Close(required), 0);
}

static_assert(maxWideElements <= 1024, "the widest set holds 16 words");

bool ListWideClosedSets(int n, std::span<const WideRule> rules, std::span<const int> required,
                        const std::function<bool(std::span<const std::uint64_t>)>& visit) {
  CheckRules("ListWideClosedSets", n, rules);
  CheckRequired("ListWideClosedSets", n, required);
  if (n <= 128) return ListOver<2>(n, rules, required, visit);
  if (n <= 256) return ListOver<4>(n, rules, required, visit);
  if (n <= 512) return ListOver<8>(n, rules, required, visit);
  return ListOver<16>(n, rules, required, visit);
}

}  // namespace mirelkon
