// Orders and lattices of any size up to maxWideElements, for lattices beyond a 64-bit mask:
// the order as rows of bits, the lattice check with its join and meet tables, and the rules
// whose closed sets are the sublattices.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/lattice.h"
#include "core/limits.h"
#include "core/rule.h"

namespace mirelkon {

// A relation on the elements 0..n-1: row x holds the y with x <= y, once closed.
class WideOrder {
 public:
  WideOrder() : WideOrder(0) {}
  explicit WideOrder(int n);

  int Size() const { return size_; }
  bool Below(int x, int y) const { return (Row(x)[y / 64] >> (y % 64) & 1) != 0; }
  bool Incomparable(int x, int y) const { return !Below(x, y) && !Below(y, x); }
  void Add(int lower, int upper) {
    rows_[Offset(lower) + upper / 64] |= std::uint64_t{1} << (upper % 64);
  }

  // Makes the relation reflexive and transitive, keeping cycles as the 64-bit order does.
  void Close();

  // lower < upper with nothing strictly between them; the order must be closed.
  bool Covers(int lower, int upper) const;

  std::span<const std::uint64_t> Row(int x) const {
    return {rows_.data() + Offset(x), static_cast<std::size_t>(words_)};
  }

 private:
  std::size_t Offset(int x) const { return static_cast<std::size_t>(x) * words_; }

  int size_;
  int words_;  // per row
  std::vector<std::uint64_t> rows_;
};

// The same order as a 64-bit one; it has at most maxElements elements.
Order NarrowOrder(const WideOrder& order);

// Joins and meets of a lattice of any size.
struct WideLatticeTables {
  int size = 0;
  std::vector<std::uint16_t> join, meet;  // [x * size + y]

  int Join(int x, int y) const { return join[static_cast<std::size_t>(x) * size + y]; }
  int Meet(int x, int y) const { return meet[static_cast<std::size_t>(x) * size + y]; }
};

struct WideLatticeCheck {
  std::optional<LatticeFault> fault;
  WideLatticeTables tables;  // filled when there is no fault
};

// Checks a closed order as a lattice. The fault found first is the one CheckLattice finds on
// an order of at most 64 elements, so both refuse in the same words.
WideLatticeCheck CheckWideLattice(const WideOrder& order);

// Each element's level, the length of the longest chain below it, when the lattice is
// distributive and has at most maxLevelledElements elements; else none. The counter decides
// a distributive lattice faster from the bottom up (see core/count.h); the check costs n^3.
constexpr int maxLevelledElements = 512;
std::vector<int> DistributiveLevels(const WideOrder& order, const WideLatticeTables& tables);

// The join and the meet of every incomparable pair x < y: a subset closed under these rules is
// a sublattice.
std::vector<WideRule> SublatticeRules(const WideOrder& order, const WideLatticeTables& tables);

// Rules that put every required element into each nonempty closed set of {0..n-1}: the closed
// sets of `rules` with these added are the empty set and the closed sets holding the required
// elements.
void RequireElements(int n, std::span<const int> required, std::vector<WideRule>& rules);

}  // namespace mirelkon
