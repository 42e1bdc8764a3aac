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
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/internal/closure.h"
#include "core/internal/nauty_storage.h"
#include "core/limits.h"

namespace mirelkon {

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

Permutation Inverse(const Permutation& g) {
  Permutation inverse(g.size(), '\0');
  for (std::size_t x = 0; x < g.size(); ++x)
    inverse[static_cast<unsigned char>(g[x])] = static_cast<char>(x);
  return inverse;
}

// A group run through: its elements, the identity first, side by side in one array, with an
// open-addressing table of their places; a million permutations take a few tens of
// megabytes and no allocation each.
class Group {
 public:
  explicit Group(int n) : n_(n), slots_(1024, 0) {}

  std::size_t Size() const { return flat_.size() / n_; }
  std::string_view Element(std::size_t i) const { return {flat_.data() + i * n_, std::size_t(n_)}; }

  // The place of g, or Size() when g is none of the elements.
  std::size_t Find(std::string_view g) const {
    const std::size_t hash = std::hash<std::string_view>{}(g);
    const std::uint32_t tag = static_cast<std::uint32_t>(hash >> 32);
    for (std::size_t slot = hash & (slots_.size() - 1);; slot = (slot + 1) & (slots_.size() - 1)) {
      if (slots_[slot] == 0) return Size();
      const std::size_t i = (slots_[slot] & 0xffffffff) - 1;
      if (slots_[slot] >> 32 == tag && Element(i) == g) return i;
    }
  }
  void Add(std::string_view g) {
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
    const std::size_t hash = std::hash<std::string_view>{}(Element(i));
    std::size_t slot = hash & (slots_.size() - 1);
    while (slots_[slot] != 0) slot = (slot + 1) & (slots_.size() - 1);
    slots_[slot] = (hash >> 32 << 32) | (i + 1);
  }

  int n_;
  std::vector<char> flat_;
  std::vector<std::uint64_t> slots_;
};

// x -> g(h(x)) into `into`.
void ComposeInto(std::string_view g, std::string_view h, Permutation& into) {
  for (std::size_t x = 0; x < h.size(); ++x) into[x] = g[static_cast<unsigned char>(h[x])];
}

// Every element of the group the generators generate. A million of them take a second, so a
// stop asked of the counter ends this too.
Group GroupOf(const std::vector<Permutation>& generators, int n, const ClosedSetCounter& counter) {
  Permutation product(n, '\0');
  for (int x = 0; x < n; ++x) product[x] = static_cast<char>(x);
  Group group(n);
  group.Add(product);
  for (std::size_t next = 0; next < group.Size(); ++next) {
    if (next % stopCheckInterval == 0) counter.StopIfAsked();
    for (const Permutation& g : generators) {
      ComposeInto(g, group.Element(next), product);
      group.Add(product);
    }
  }
  return group;
}

// Generators of a subgroup given by its elements: each element not generated by those before
// it is one, so there are at most log2 of the subgroup's order.
std::vector<Permutation> GeneratorsOf(const std::vector<Permutation>& elements, int n,
                                      const ClosedSetCounter& counter) {
  std::vector<Permutation> generators;
  Group generated = GroupOf(generators, n, counter);
  for (const Permutation& g : elements)
    if (generated.Find(g) == generated.Size()) {
      generators.push_back(g);
      generated = GroupOf(generators, n, counter);
    }
  return generators;
}

// The conjugacy classes of a group, as a representative (its place among the elements) and
// the class's size: conjugate automorphisms fix as many closed subsets, so Burnside's sum
// needs one count per class, not one per element (30 instead of 362880 for M_9 x C_5).
std::vector<std::pair<std::size_t, std::uint64_t>> ConjugacyClasses(
    const Group& group, const std::vector<Permutation>& generators,
    const ClosedSetCounter& counter) {
  std::vector<Permutation> inverses;
  for (const Permutation& s : generators) inverses.push_back(Inverse(s));
  std::vector<bool> met(group.Size(), false);
  std::vector<std::pair<std::size_t, std::uint64_t>> classes;
  std::vector<std::size_t> pending;
  Permutation left(generators.empty() ? 0 : generators[0].size(), '\0'), conjugate = left;
  for (std::size_t first = 0; first < group.Size(); ++first) {
    if (first % stopCheckInterval == 0) counter.StopIfAsked();
    if (met[first]) continue;
    met[first] = true;
    pending.assign(1, first);
    std::uint64_t size = 0;
    while (!pending.empty()) {
      const std::string_view g = group.Element(pending.back());
      pending.pop_back();
      ++size;
      for (std::size_t k = 0; k < generators.size(); ++k) {
        ComposeInto(generators[k], g, left);
        ComposeInto(left, inverses[k], conjugate);
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

// The closed subsets holding `required` that g fixes: the unions of its cycles that are
// closed, counted as the closed subsets of the rules its cycles obey as elements.
SubsetCount FixedClosedSets(ClosedSetCounter& counter, const std::vector<Rule>& rules,
                            std::string_view g, Mask required) {
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

bool Keeps(std::string_view g, Mask set) {
  Mask image = 0;
  for (Mask m = set; m != 0; m &= m - 1) image |= Bit(static_cast<unsigned char>(g[Lowest(m)]));
  return image == set;
}

}  // namespace

SymmetryCount CountUpToSymmetry(ClosedSetCounter& counter, const Order& order,
                                std::span<const Equation> equations, Mask required) {
  const std::vector<Equation> distinct = Distinct(equations);
  if (order.size == 0) return {std::string(1, '1'), 1, 1, SubsetCount{1}};
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
  SymmetryCount result{search->order.Text(), 0, 0, std::nullopt};
  if (!search->order.AtMost(maxEnumeratedAutomorphisms)) return result;
  std::vector<Rule> rules;
  for (const Equation& e : distinct) rules.push_back({e.left, e.right, e.result});
  Group group = GroupOf(search->generators, order.size, counter);
  assert(group.Size() == search->order.Value());
  // Burnside's sum runs over the automorphisms that keep `required`: all of them, or a
  // subgroup, whose classes are those of its own generators.
  std::vector<Permutation> generators = search->generators;
  if (required != 0) {
    std::vector<Permutation> keeping;
    for (std::size_t i = 0; i < group.Size(); ++i)
      if (Keeps(group.Element(i), required)) keeping.emplace_back(group.Element(i));
    if (keeping.size() < group.Size()) {
      generators = GeneratorsOf(keeping, order.size, counter);
      group = GroupOf(generators, order.size, counter);
    }
  }
  result.stabilizer = group.Size();
  const auto classes = ConjugacyClasses(group, generators, counter);
  result.classes = classes.size();
  if (result.classes > maxCountedClasses) return result;
  SubsetCount fixedSets = 0;
  for (const auto& [representative, size] : classes)
    fixedSets += size * FixedClosedSets(counter, rules, group.Element(representative), required);
  assert(fixedSets % result.stabilizer == 0);
  result.orbits = fixedSets / result.stabilizer;
  return result;
}

}  // namespace mirelkon
