// The subuniverses of a partial lattice: the subsets of its elements closed under every
// equation, counted exactly, by size, up to symmetry and one by one, and
// sigma(L) = |Sub(L)| * 2^(subtrahend - |L|).
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "core/bits.h"
#include "core/closed_set_counter.h"
#include "core/equation.h"
#include "core/order.h"
#include "core/subset_count.h"
#include "core/symmetry.h"

namespace mirelkon {

// One job's counting problem: the subsets of an order's elements closed under equations (a
// subset holding the arguments of an equation holds its result). The rules and the levels
// that guide the search are found once, when the problem is made; every question below is
// asked of the closed subsets holding `required` (0: of all of them), and each takes a
// counter, whose working memory serves one problem after another.
class Problem {
 public:
  // Throws std::invalid_argument when the order has more than maxElements elements or an
  // equation names an element outside it. The order plays no part in the answers; where it is
  // a lattice the equations state whole, and distributive or long and narrow, it guides the
  // search.
  Problem(const Order& order, std::vector<Equation> equations);

  int Size() const { return order_.size; }
  const Order& GetOrder() const { return order_; }
  std::span<const Equation> Equations() const { return equations_; }
  std::span<const Rule> Rules() const { return rules_; }

  SubsetCount Count(ClosedSetCounter& counter, Mask required = 0) const;
  // Entry k, for k = 0..n, is the number of closed subsets of k elements.
  std::vector<std::uint64_t> CountBySize(ClosedSetCounter& counter, Mask required = 0) const;
  // The closed subsets up to the automorphisms of the partial lattice that keep `required`
  // as a set (see core/symmetry.h).
  SymmetryCount CountUpToSymmetry(ClosedSetCounter& counter, Mask required = 0) const;
  // Calls visit with each closed subset, in the order of core/closed_set_lister.h; stops
  // early, answering false, when visit does.
  bool List(Mask required, const std::function<bool(Mask)>& visit) const;

 private:
  Order order_;
  std::vector<Equation> equations_;
  std::vector<Rule> rules_;
  std::vector<int> levels_;  // one per element where they guide the search, else none
};

// |Sub(L)| * 2^(subtrahend - n), one halving or doubling at a time. Only the conversion of a
// count above 2^53 rounds; every later step is exact.
double Sigma(SubsetCount count, int n, int subtrahend);

}  // namespace mirelkon
