// Automorphism groups from nauty. The partial lattice becomes a coloured digraph: an arc
// x -> y for every x strictly below y, and one vertex per distinct equation, coloured by its
// operation, with arcs from its arguments and to its result. The automorphisms of that graph,
// on the element vertices, are those of the partial lattice; a lattice given whole needs no
// equation vertices, its order fixing its joins and meets. nauty reports generators of the
// group and, level by level of its search, the orbit sizes whose product is the group's order;
// a group small enough is then run through by closing the generators under composition. A
// permutation holds one byte per element up to 64 elements and two beyond, so that the group
// of a small lattice takes no more room than before wide lattices were counted.
#include "core/symmetry.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <memory>
#include <numeric>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/internal/automorphism_search.h"
#include "core/internal/closure.h"
#include "core/internal/contracts.h"
#include "core/internal/nauty_storage.h"
#include "core/limits.h"

namespace mirelkon {

namespace {

std::vector<Equation> Distinct(std::span<const Equation> equations) {
  std::vector<Equation> distinct(equations.begin(), equations.end());
  auto key = [](const Equation& e) {
    return std::tuple(e.operation, std::min(e.left, e.right), std::max(e.left, e.right), e.result);
  };
  std::sort(distinct.begin(), distinct.end(),
            [&](const Equation& a, const Equation& b) { return key(a) < key(b); });
  distinct.erase(
      std::unique(distinct.begin(), distinct.end(),
                  [&](const Equation& a, const Equation& b) { return key(a) == key(b); }),
      distinct.end());
  return distinct;
}

// The coloured digraph of the partial lattice on n elements, below(x, y) telling x <= y: an
// arc x -> y for every x strictly below y, and a vertex for each equation, its operation's
// colour, with arcs from its arguments and to its result. The equations come sorted by
// operation (Distinct).
template <class Below>
ColouredDigraph LatticeDigraph(int n, const Below& below, const std::vector<Equation>& equations) {
  ColouredDigraph graph(n);
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y)
      if (x != y && below(x, y)) graph.arcs[x].push_back(y);
  for (std::size_t k = 0; k < equations.size(); ++k) {
    const Equation& e = equations[k];
    const int vertex = graph.AddVertex(k == 0 || equations[k - 1].operation != e.operation);
    graph.arcs[e.left].push_back(vertex);
    if (e.right != e.left) graph.arcs[e.right].push_back(vertex);
    graph.arcs[vertex].push_back(e.result);
  }
  return graph;
}

template <class Point>
Permutation<Point> Inverse(PermutationView<Point> g) {
  Permutation<Point> inverse(g.size());
  for (std::size_t x = 0; x < g.size(); ++x) inverse[g[x]] = static_cast<Point>(x);
  return inverse;
}

template <class Point>
std::size_t HashOf(PermutationView<Point> g) {
  return std::hash<std::string_view>{}(
      std::string_view(reinterpret_cast<const char*>(g.data()), g.size_bytes()));
}

// A group run through: its elements, the identity first, side by side in one array, with an
// open-addressing table of their places; a million permutations take a few tens of
// megabytes and no allocation each.
template <class Point>
class Group {
 public:
  explicit Group(int n) : n_(n), slots_(1024, 0) {}

  std::size_t Size() const { return flat_.size() / n_; }
  PermutationView<Point> Element(std::size_t i) const {
    return {flat_.data() + i * n_, std::size_t(n_)};
  }

  // The place of g, or Size() when g is none of the elements.
  std::size_t Find(PermutationView<Point> g) const {
    const std::size_t hash = HashOf(g);
    const std::uint32_t tag = static_cast<std::uint32_t>(hash >> 32);
    for (std::size_t slot = hash & (slots_.size() - 1);; slot = (slot + 1) & (slots_.size() - 1)) {
      if (slots_[slot] == 0) return Size();
      const std::size_t i = (slots_[slot] & 0xffffffff) - 1;
      if (slots_[slot] >> 32 == tag && std::ranges::equal(Element(i), g)) return i;
    }
  }
  void Add(PermutationView<Point> g) {
    if (Find(g) != Size()) return;
    flat_.insert(flat_.end(), g.begin(), g.end());
    if (2 * Size() > slots_.size()) {
      slots_.assign(2 * slots_.size(), 0);
      for (std::size_t i = 0; i < Size(); ++i) Place(i);
    } else {
      Place(Size() - 1);
    }
  }

 private:
  // Each slot holds the place + 1 of an element (0: empty) and, above it, 32 bits of the
  // element's hash, so that a probe compares the elements themselves only when these agree.
  void Place(std::size_t i) {
    const std::size_t hash = HashOf(Element(i));
    std::size_t slot = hash & (slots_.size() - 1);
    while (slots_[slot] != 0) slot = (slot + 1) & (slots_.size() - 1);
    slots_[slot] = (hash >> 32 << 32) | (i + 1);
  }

  int n_;
  std::vector<Point> flat_;
  std::vector<std::uint64_t> slots_;
};

// x -> g(h(x)) into `into`.
template <class Point>
void ComposeInto(PermutationView<Point> g, PermutationView<Point> h, Permutation<Point>& into) {
  for (std::size_t x = 0; x < h.size(); ++x) into[x] = g[h[x]];
}

// Every element of the group the generators generate. A million of them take a second, so a
// stop asked of the counter ends this too.
template <class Point>
Group<Point> GroupOf(const std::vector<Permutation<Point>>& generators, int n,
                     const ClosedSetCounter& counter) {
  Permutation<Point> product(n);
  for (int x = 0; x < n; ++x) product[x] = static_cast<Point>(x);
  Group<Point> group(n);
  group.Add(product);
  for (std::size_t next = 0; next < group.Size(); ++next) {
    if (next % stopCheckInterval == 0) counter.StopIfAsked();
    for (const Permutation<Point>& g : generators) {
      ComposeInto<Point>(g, group.Element(next), product);
      group.Add(product);
    }
  }
  return group;
}

// Generators of the subgroup of the elements `inSubgroup` picks: each element not generated by
// those before it is one, so there are at most log2 of the subgroup's order.
template <class Point, class InSubgroup>
std::vector<Permutation<Point>> SubgroupGenerators(const Group<Point>& group,
                                                   const InSubgroup& inSubgroup, int n,
                                                   const ClosedSetCounter& counter) {
  std::vector<Permutation<Point>> generators;
  Group<Point> generated = GroupOf(generators, n, counter);
  for (std::size_t i = 0; i < group.Size(); ++i) {
    const PermutationView<Point> g = group.Element(i);
    if (inSubgroup(g) && generated.Find(g) == generated.Size()) {
      generators.emplace_back(g.begin(), g.end());
      generated = GroupOf(generators, n, counter);
    }
  }
  return generators;
}

// The conjugacy classes of a group, as a representative (its place among the elements) and
// the class's size: conjugate automorphisms fix as many closed subsets, so Burnside's sum
// needs one count per class, not one per element (30 instead of 362880 for M_9 x C_5).
template <class Point>
std::vector<std::pair<std::size_t, std::uint64_t>> ConjugacyClasses(
    const Group<Point>& group, const std::vector<Permutation<Point>>& generators,
    const ClosedSetCounter& counter) {
  std::vector<Permutation<Point>> inverses;
  for (const Permutation<Point>& s : generators) inverses.push_back(Inverse<Point>(s));
  std::vector<bool> met(group.Size(), false);
  std::vector<std::pair<std::size_t, std::uint64_t>> classes;
  std::vector<std::size_t> pending;
  Permutation<Point> left(generators.empty() ? 0 : generators[0].size()), conjugate = left;
  for (std::size_t first = 0; first < group.Size(); ++first) {
    if (first % stopCheckInterval == 0) counter.StopIfAsked();
    if (met[first]) continue;
    met[first] = true;
    pending.assign(1, first);
    std::uint64_t size = 0;
    while (!pending.empty()) {
      const PermutationView<Point> g = group.Element(pending.back());
      pending.pop_back();
      ++size;
      for (std::size_t k = 0; k < generators.size(); ++k) {
        ComposeInto<Point>(generators[k], g, left);
        ComposeInto<Point>(left, inverses[k], conjugate);
        const std::size_t image = group.Find(conjugate);
        assert(image < group.Size());
        if (!met[image]) {
          met[image] = true;
          pending.push_back(image);
        }
      }
    }
    classes.emplace_back(first, size);
  }
  return classes;
}

// The elements every counted subset holds, as a list and by membership.
struct RequiredSet {
  RequiredSet(int n, std::span<const int> list) : elements(list.begin(), list.end()), holds(n) {
    for (int x : elements) holds[x] = true;
  }
  std::vector<int> elements;
  std::vector<bool> holds;
};

// g keeps the required elements as a set: being one-to-one, it does when it takes each of them
// to one of them.
template <class Point>
bool Keeps(PermutationView<Point> g, const RequiredSet& required) {
  return std::ranges::all_of(required.elements, [&](int x) { return required.holds[g[x]]; });
}

// The cycles of a permutation, numbered in the order of their least elements.
struct Cycles {
  std::vector<int> of;     // [x]: the cycle of x
  std::vector<int> first;  // [c]: the least element of cycle c

  int Count() const { return static_cast<int>(first.size()); }
};

template <class Point>
Cycles CyclesOf(PermutationView<Point> g) {
  Cycles cycles{std::vector<int>(g.size(), -1), {}};
  for (int x = 0; x < static_cast<int>(g.size()); ++x) {
    if (cycles.of[x] >= 0) continue;
    for (int y = x; cycles.of[y] < 0; y = g[y]) cycles.of[y] = cycles.Count();
    cycles.first.push_back(x);
  }
  return cycles;
}

// The rules the cycles obey as elements of their own: a union of cycles is closed exactly when
// the set of its cycles is closed under these.
template <class Quotient, class R>
std::vector<Quotient> QuotientRules(std::span<const R> rules, const Cycles& cycles) {
  using Number = decltype(Quotient::left);
  std::vector<Quotient> quotient;
  quotient.reserve(rules.size());
  for (const R& r : rules)
    quotient.push_back({static_cast<Number>(cycles.of[r.left]),
                        static_cast<Number>(cycles.of[r.right]),
                        static_cast<Number>(cycles.of[r.result])});
  return quotient;
}

// The level of each of the given cycles, that of its least element: an automorphism keeps
// levels, so all elements of a cycle share one. None without levels.
std::vector<int> CycleLevels(std::span<const int> levels, const Cycles& cycles,
                             std::span<const int> counted) {
  std::vector<int> cycleLevels;
  if (levels.empty()) return cycleLevels;
  for (int c : counted) cycleLevels.push_back(levels[cycles.first[c]]);
  return cycleLevels;
}

// The closed subsets holding the required elements that an automorphism of at most 64 cycles
// fixes: the closed subsets of the quotient rules, restricted to those holding the required
// cycles.
template <class R>
SubsetCount FixedClosedSets(ClosedSetCounter& counter, std::span<const R> rules,
                            const Cycles& cycles, const RequiredSet& required,
                            std::span<const int> levels) {
  assert(cycles.Count() <= maxElements);
  const std::vector<Rule> quotient = QuotientRules<Rule>(rules, cycles);
  Mask requiredCycles = 0;
  for (int x : required.elements) requiredCycles |= Bit(cycles.of[x]);
  const Restriction restriction = RestrictToSupersets(cycles.Count(), quotient, requiredCycles);
  return counter.Count(static_cast<int>(restriction.elements.size()), restriction.rules,
                       CycleLevels(levels, cycles, restriction.elements));
}

// The same for an automorphism of a wide lattice: a quotient of more than 64 cycles is counted
// over wide sets, the required cycles put into every nonempty closed set by rules of their own.
BigCount FixedSublattices(WideSetCounter& wide, ClosedSetCounter& narrow,
                          std::span<const WideRule> rules, const Cycles& cycles,
                          const RequiredSet& required, std::span<const int> levels) {
  if (cycles.Count() <= maxElements)
    return BigCountOf(FixedClosedSets(narrow, rules, cycles, required, levels));
  std::vector<WideRule> quotient = QuotientRules<WideRule>(rules, cycles);
  std::vector<int> requiredCycles;
  for (int x : required.elements) requiredCycles.push_back(cycles.of[x]);
  RequireElements(cycles.Count(), requiredCycles, quotient);
  std::vector<int> all(cycles.Count());
  std::iota(all.begin(), all.end(), 0);
  const BigCount closed = wide.Count(cycles.Count(), quotient, CycleLevels(levels, cycles, all));
  return required.elements.empty() ? closed : closed - 1;
}

// Burnside's sum over the automorphisms the search found that keep the required elements, one
// count per class of conjugates by fixedSets(cycles of its representative).
template <class Count, class Point, class FixedSets>
SymmetryCountOf<Count> CountOrbits(const Automorphisms<Point>& search, int n,
                                   const RequiredSet& required, const ClosedSetCounter& counter,
                                   const FixedSets& fixedSets) {
  SymmetryCountOf<Count> result{DecimalText(search.order), 0, 0, std::nullopt};
  if (search.order > maxEnumeratedAutomorphisms) return result;
  Group<Point> group = GroupOf(search.generators, n, counter);
  assert(group.Size() == search.order.get_ui());
  // Burnside's sum runs over the automorphisms that keep `required`: all of them, or a
  // subgroup, whose classes are those of its own generators.
  std::vector<Permutation<Point>> generators = search.generators;
  const auto keeps = [&](PermutationView<Point> g) { return Keeps(g, required); };
  std::size_t keeping = 0;
  for (std::size_t i = 0; i < group.Size(); ++i) keeping += keeps(group.Element(i));
  if (keeping < group.Size()) {
    generators = SubgroupGenerators(group, keeps, n, counter);
    group = GroupOf(generators, n, counter);
  }
  result.stabilizer = group.Size();
  const auto classes = ConjugacyClasses(group, generators, counter);
  result.classes = classes.size();
  if (result.classes > maxCountedClasses) return result;
  Count total = 0;
  for (const auto& [representative, size] : classes)
    total += size * fixedSets(CyclesOf(group.Element(representative)));
  assert(total % result.stabilizer == 0);
  result.orbits = Count(total / result.stabilizer);
  return result;
}

std::vector<int> ElementsOf(Mask set) {
  std::vector<int> elements;
  for (Mask m = set; m != 0; m &= m - 1) elements.push_back(Lowest(m));
  return elements;
}

}  // namespace

SymmetryCount CountUpToSymmetry(ClosedSetCounter& counter, const Order& order,
                                std::span<const Equation> equations, Mask required) {
  CheckEquations("CountUpToSymmetry", order.size, equations);
  CheckRequired("CountUpToSymmetry", order.size, required);
  const std::vector<Equation> distinct = Distinct(equations);
  if (order.size == 0) return {std::string(1, '1'), 1, 1, SubsetCount{1}};
  const NautyStorage releasedAtTheEnd;  // the caller may be a thread that ends soon
  const auto search = AutomorphismsOf<std::uint8_t>(
      LatticeDigraph(
          order.size, [&](int x, int y) { return order.Below(x, y); }, distinct),
      order.size);
  const std::vector<Rule> rules = RulesOf(distinct);
  const RequiredSet requiredSet(order.size, ElementsOf(required));
  return CountOrbits<SubsetCount>(
      search, order.size, requiredSet, counter, [&](const Cycles& cycles) {
        return FixedClosedSets<Rule>(counter, rules, cycles, requiredSet, {});
      });
}

WideSymmetryCount CountSublatticesUpToSymmetry(WideSetCounter& wide, ClosedSetCounter& narrow,
                                               const WideOrder& order,
                                               const WideLatticeTables& tables,
                                               std::span<const int> required,
                                               std::span<const int> levels) {
  const int n = order.Size();
  CheckSize("CountSublatticesUpToSymmetry", n, maxWideElements);
  CheckLevels("CountSublatticesUpToSymmetry", n, levels);
  CheckRequired("CountSublatticesUpToSymmetry", n, required);
  assert(tables.size == n);
  if (n == 0) return {std::string(1, '1'), 1, 1, BigCount(1)};
  const NautyStorage releasedAtTheEnd;  // the caller may be a thread that ends soon
  const auto search = AutomorphismsOf<std::uint16_t>(
      LatticeDigraph(n, [&](int x, int y) { return order.Below(x, y); }, {}), n);
  const std::vector<WideRule> rules = SublatticeRules(order, tables);
  const RequiredSet requiredSet(n, required);
  return CountOrbits<BigCount>(search, n, requiredSet, narrow, [&](const Cycles& cycles) {
    return FixedSublattices(wide, narrow, rules, cycles, requiredSet, levels);
  });
}

}  // namespace mirelkon
