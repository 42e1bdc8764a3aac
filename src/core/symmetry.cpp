// Automorphism groups from nauty. The partial lattice becomes a coloured digraph: an arc
// x -> y for every x strictly below y, and one vertex per distinct equation, coloured by its
// operation, with arcs from its arguments and to its result. The automorphisms of that graph,
// on the element vertices, are those of the partial lattice. nauty hands over the group as a
// stabiliser chain, whose orbit sizes multiply to the group's order and whose coset
// representatives run through all its elements.
#include "core/symmetry.h"

#include <nauty/naugroup.h>
#include <nauty/nausparse.h>

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <vector>

#include "core/closure.h"

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

// Burnside's sum over the automorphisms that keep the required set.
struct BurnsideSum {
  ClosedSetCounter& counter;
  const std::vector<Rule>& rules;
  int n;
  Mask required;
  SubsetCount fixedSets = 0;
  std::uint64_t stabilizer = 0;

  // The closed subsets that g fixes: the unions of its cycles that are closed.
  void Add(const int* g) {
    Mask image = 0;
    for (Mask m = required; m != 0; m &= m - 1) image |= Bit(g[Lowest(m)]);
    if (image != required) return;
    ++stabilizer;
    int cycleOf[maxElements];
    int cycles = 0;
    std::fill(cycleOf, cycleOf + n, -1);
    for (int x = 0; x < n; ++x) {
      if (cycleOf[x] >= 0) continue;
      for (int y = x; cycleOf[y] < 0; y = g[y]) cycleOf[y] = cycles;
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
    fixedSets += counter.Count(static_cast<int>(restriction.elements.size()), restriction.rules);
  }
};

void AddToSum(int* g, int, int*, void* sum) {
  static_cast<BurnsideSum*>(sum)->Add(g);
}

}  // namespace

SymmetryCount CountUpToSymmetry(ClosedSetCounter& counter, const Order& order,
                                std::span<const Equation> equations, Mask required) {
  const std::vector<Equation> distinct = Distinct(equations);
  if (order.size == 0) return {std::string(1, '1'), 1, SubsetCount{1}};
  SymmetryCount result;
  LatticeGraph lattice(order, distinct);
  DEFAULTOPTIONS_SPARSEDIGRAPH(options);
  options.defaultptn = FALSE;
  options.userautomproc = groupautomproc;
  options.userlevelproc = grouplevelproc;
  statsblk stats;
  std::vector<int> orbits(lattice.graph.nv);
  sparsenauty(&lattice.graph, lattice.lab.data(), lattice.ptn.data(), orbits.data(), &options,
              &stats, nullptr);
  // nauty keeps the group in storage of its own, one per thread, which the next search reuses;
  // freegroup hands the permutations back to it.
  grouprec* group = groupptr(FALSE);
  BigNumber size;
  for (int level = 0; level < group->depth; ++level)
    size.MultiplyBy(static_cast<std::uint32_t>(group->levelinfo[level].orbitsize));
  result.automorphisms = size.Text();
  if (size.AtMost(maxEnumeratedAutomorphisms)) {
    std::vector<Rule> rules;
    for (const Equation& e : distinct) rules.push_back({e.left, e.right, e.result});
    BurnsideSum sum{counter, rules, order.size, required};
    makecosetreps(group);
    allgroup3(group, AddToSum, &sum);
    assert(sum.stabilizer > 0 && sum.fixedSets % sum.stabilizer == 0);
    result.stabilizer = sum.stabilizer;
    result.orbits = sum.fixedSets / sum.stabilizer;
  }
  freegroup(group);
  return result;
}
