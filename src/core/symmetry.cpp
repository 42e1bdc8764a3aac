// Automorphism groups from nauty. The partial lattice becomes a coloured digraph: an arc
// x -> y for every x strictly below y, and one vertex per distinct equation, coloured by its
// operation, with arcs from its arguments and to its result. The automorphisms of that graph,
// on the element vertices, are those of the partial lattice. nauty reports generators of the
// group and, level by level of its search, the orbit sizes whose product is the group's order;
// a group small enough is then run through by closing the generators under composition.
#include "core/symmetry.h"

#include <nauty/nausparse.h>

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <unordered_set>
#include <vector>

#include "core/closure.h"
#include "core/limits.h"
#include "core/nauty_storage.h"

namespace {

// A whole number of any size as base 10^9 digits, least significant first.
struct BigNumber {
  std::vector<std::uint32_t> digits{1};

  void MultiplyBy(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& digit : digits) {
      carry += std::uint64_t{digit} * factor;
      digit = static_cast<std::uint32_t>(carry % 1000000000);
      carry /= 1000000000;
    }
    if (carry != 0) digits.push_back(static_cast<std::uint32_t>(carry));
  }
  bool AtMost(std::uint64_t bound) const { return digits.size() <= 2 && Value() <= bound; }
  // The value of a number of at most two digits.
  std::uint64_t Value() const {
    assert(digits.size() <= 2);
    return digits.size() == 1 ? digits[0] : digits[1] * 1000000000ull + digits[0];
  }
  std::string Text() const {
    std::string text = std::to_string(digits.back());
    for (std::size_t i = digits.size() - 1; i-- > 0;) {
      const std::string part = std::to_string(digits[i]);
      text += std::string(9 - part.size(), '0') + part;
    }
    return text;
  }
};

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

// The coloured digraph of the partial lattice, with its colour classes in lab and ptn.
struct LatticeGraph {
  LatticeGraph(const Order& order, const std::vector<Equation>& equations) {
    const int n = order.size;
    const int vertices = n + static_cast<int>(equations.size());
    std::vector<std::vector<int>> arcs(vertices);
    for (int x = 0; x < n; ++x)
      for (int y = 0; y < n; ++y)
        if (x != y && order.Below(x, y)) arcs[x].push_back(y);
    for (std::size_t k = 0; k < equations.size(); ++k) {
      const Equation& e = equations[k];
      const int vertex = n + static_cast<int>(k);
      arcs[e.left].push_back(vertex);
      if (e.right != e.left) arcs[e.right].push_back(vertex);
      arcs[vertex].push_back(e.result);
    }
    std::size_t arcCount = 0;
    for (const auto& list : arcs) arcCount += list.size();
    SG_INIT(graph);
    SG_ALLOC(graph, static_cast<std::size_t>(vertices), arcCount, "LatticeGraph");
    graph.nv = vertices;
    graph.nde = arcCount;
    std::size_t at = 0;
    for (int v = 0; v < vertices; ++v) {
      graph.v[v] = at;
      graph.d[v] = static_cast<int>(arcs[v].size());
      for (int w : arcs[v]) graph.e[at++] = w;
    }
    // The elements are one colour; the equations are sorted by operation, one colour each.
    for (int v = 0; v < vertices; ++v) {
      lab.push_back(v);
      const bool lastOfColour =
          v == n - 1 || v == vertices - 1 ||
          (v >= n && equations[v - n].operation != equations[v + 1 - n].operation);
      ptn.push_back(lastOfColour ? 0 : 1);
    }
  }
  ~LatticeGraph() { SG_FREE(graph); }
  LatticeGraph(const LatticeGraph&) = delete;
  LatticeGraph& operator=(const LatticeGraph&) = delete;

  sparsegraph graph;
  std::vector<int> lab, ptn;
};

// A permutation of the elements: [x] is the image of x.
using Permutation = std::string;

// One search of nauty. Its callbacks come with the orbits array they were given and no pointer
// of the caller's own, so the orbits come first and the callbacks find the search by them.
struct NautySearch {
  std::array<int, maxElements + maxConstraints> orbits;
  int elements;
  std::vector<Permutation> generators;
  BigNumber order;
};
static_assert(std::is_standard_layout_v<NautySearch>);

NautySearch& SearchOf(int* orbits) {
  return *reinterpret_cast<NautySearch*>(orbits);
}

void CollectGenerator(int, int* permutation, int* orbits, int, int, int) {
  NautySearch& search = SearchOf(orbits);
  Permutation& g = search.generators.emplace_back(search.elements, '\0');
  for (int x = 0; x < search.elements; ++x) g[x] = static_cast<char>(permutation[x]);
}

void MultiplyOrder(int*, int*, int, int* orbits, statsblk*, int, int index, int, int, int, int) {
  SearchOf(orbits).order.MultiplyBy(static_cast<std::uint32_t>(index));
}

Permutation Compose(const Permutation& g, const Permutation& h) {  // x -> g(h(x))
  Permutation gh(h.size(), '\0');
  for (std::size_t x = 0; x < h.size(); ++x) gh[x] = g[static_cast<unsigned char>(h[x])];
  return gh;
}

// Every element of the group the generators generate, the identity first. A million of them
// take seconds, so a stop asked of the counter ends this too.
std::vector<Permutation> GroupElements(const std::vector<Permutation>& generators, int n,
                                       const ClosedSetCounter& counter) {
  Permutation identity(n, '\0');
  for (int x = 0; x < n; ++x) identity[x] = static_cast<char>(x);
  std::vector<Permutation> elements{identity};
  std::unordered_set<Permutation> seen{identity};
  for (std::size_t next = 0; next < elements.size(); ++next) {
    if (next % stopCheckInterval == 0) counter.StopIfAsked();
    for (const Permutation& g : generators) {
      Permutation product = Compose(g, elements[next]);
      if (seen.insert(product).second) elements.push_back(std::move(product));
    }
  }
  return elements;
}

// The closed subsets holding `required` that g fixes: the unions of its cycles that are
// closed, counted as the closed subsets of the rules its cycles obey as elements.
SubsetCount FixedClosedSets(ClosedSetCounter& counter, const std::vector<Rule>& rules,
                            const Permutation& g, Mask required) {
  const int n = static_cast<int>(g.size());
  int cycleOf[maxElements];
  int cycles = 0;
  std::fill(cycleOf, cycleOf + n, -1);
  for (int x = 0; x < n; ++x) {
    if (cycleOf[x] >= 0) continue;
    for (int y = x; cycleOf[y] < 0; y = static_cast<unsigned char>(g[y])) cycleOf[y] = cycles;
    ++cycles;
  }
  std::vector<Rule> quotient;
  quotient.reserve(rules.size());
  for (const Rule& r : rules)
    quotient.push_back({static_cast<std::uint8_t>(cycleOf[r.left]),
                        static_cast<std::uint8_t>(cycleOf[r.right]),
                        static_cast<std::uint8_t>(cycleOf[r.result])});
  Mask requiredCycles = 0;
  for (Mask m = required; m != 0; m &= m - 1) requiredCycles |= Bit(cycleOf[Lowest(m)]);
  const Restriction restriction = RestrictToSupersets(cycles, quotient, requiredCycles);
  return counter.Count(static_cast<int>(restriction.elements.size()), restriction.rules);
}

bool Keeps(const Permutation& g, Mask set) {
  Mask image = 0;
  for (Mask m = set; m != 0; m &= m - 1) image |= Bit(static_cast<unsigned char>(g[Lowest(m)]));
  return image == set;
}

}  // namespace

SymmetryCount CountUpToSymmetry(ClosedSetCounter& counter, const Order& order,
                                std::span<const Equation> equations, Mask required) {
  const std::vector<Equation> distinct = Distinct(equations);
  if (order.size == 0) return {std::string(1, '1'), 1, SubsetCount{1}};
  const NautyStorage releasedAtTheEnd;  // the caller may be a thread that ends soon
  LatticeGraph lattice(order, distinct);
  DEFAULTOPTIONS_SPARSEDIGRAPH(options);
  options.defaultptn = FALSE;
  options.userautomproc = CollectGenerator;
  options.userlevelproc = MultiplyOrder;
  statsblk stats;
  auto search = std::make_unique<NautySearch>();
  search->elements = order.size;
  sparsenauty(&lattice.graph, lattice.lab.data(), lattice.ptn.data(), search->orbits.data(),
              &options, &stats, nullptr);
  SymmetryCount result{search->order.Text(), 0, std::nullopt};
  if (!search->order.AtMost(maxEnumeratedAutomorphisms)) return result;
  std::vector<Rule> rules;
  for (const Equation& e : distinct) rules.push_back({e.left, e.right, e.result});
  SubsetCount fixedSets = 0;
  const std::vector<Permutation> group = GroupElements(search->generators, order.size, counter);
  assert(group.size() == search->order.Value());
  for (const Permutation& g : group) {
    if (!Keeps(g, required)) continue;
    ++result.stabilizer;
    fixedSets += FixedClosedSets(counter, rules, g, required);
  }
  assert(result.stabilizer > 0 && fixedSets % result.stabilizer == 0);
  result.orbits = fixedSets / result.stabilizer;
  return result;
}
