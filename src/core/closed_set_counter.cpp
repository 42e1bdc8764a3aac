// The closed-set counter: depth-first branching on one element at a time, with propagation
// and parts as in core/internal/residual.h, free elements counted as factors of two, independent
// parts counted apart and multiplied, and a cache of counted parts keyed by the residual problem
// itself (core/internal/part_cache.h).
//
// The branch element is the one whose decision simplifies most of its part, a choice made
// afresh in every part from what is left of the problem there, unless an order fixed in
// advance is known to pay. Deciding the elements from the root of a min-fill elimination tree
// down cuts narrow problems (bands, grids, chains and rings of dense clusters) into
// independent parts early: 10 to 100 times fewer parts where the tree's width is at most a
// quarter of the elements. Where it is wider, such an order and a lattice's levels lose 1.5 to 3
// times on random lattices and up to a thousandfold on rules over levels, random rule sets and
// lattices given by their joins or meets alone. So levels are only a hint the caller gives
// where it knows they pay, the count of a lattice given whole (core/count.h), and the counter
// keeps them only where the rules go up or down them as a lattice's joins and meets do.
//
// A count that runs long looks for the symmetries of its rules once, and where deciding an
// orbit of elements first falls into few classes of ways, counts one way of each class
// (core/internal/symmetric_split.h): B6 by its joins alone in 0.05 of the time, B6 given
// whole in 0.18, C4 x C4 x C4 in 0.53. It looks only after some thousands of parts, as the
// look costs 0.05 to 0.3 ms on random lattices and 28 ms on M62, whose count takes 0.1 ms.
// A count that finds no split goes on where it was; one that finds a split starts afresh by
// it, served by the parts it has cached.
#include "core/closed_set_counter.h"
#include "core/wide_set_counter.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "core/bits.h"
#include "core/internal/big_counter_values.h"
#include "core/internal/big_stack.h"
#include "core/internal/cache_policy.h"
#include "core/internal/contracts.h"
#include "core/internal/counter_values.h"
#include "core/internal/elimination_order.h"
#include "core/internal/part_cache.h"
#include "core/internal/residual.h"
#include "core/internal/symmetric_split.h"
#include "core/wide_set.h"

namespace mirelkon {

static_assert(maxElements <= 64, "an element is a bit of a 64-bit mask");

// How the branch choice weighs the open clauses of an element (see BranchScore).
struct BranchWeights {
  int binary = 2;         // an implication or exclusion counts as this many halves of a rule
  bool balanced = false;  // the product of what either decision simplifies, not the sum
  int level = 0;          // an element is held back by this much for each of its levels
};

// The engine of a counter over one kind of set (Set) and rule (R).
template <class Set, class R>
struct CountingEngine {
  static constexpr int capacity = elementsOf<Set>;

  CountingEngine(Search search, const CounterOptions& options)
      : plain(search == Search::plain),
        symmetryAfterParts(options.symmetryAfterParts),
        cache(options.cacheBytes),
        policy(capacity) {
    std::fill(everyPair, everyPair + capacity, ~Set{0});
  }

  void StopIfAsked() const {
    if (stop.stop_requested()) throw CountStopped{};
  }

  void ChooseOrder(int n, std::span<const R> list, std::span<const int> levels);
  void ChooseEliminationOrder(int n);
  template <class A>
  typename A::Value Run(int n, std::span<const R> list, std::span<const int> levels);
  template <class A>
  typename A::Value CountBranches(const Decisions<Set>& d, Set part, const Links<Set>& links);
  template <class A>
  typename A::Value CountPart(const Decisions<Set>& d, Set part, const Links<Set>& links);
  template <class A>
  typename A::Value CountSmall(const Decisions<Set>& d, Set elements);
  template <class A>
  typename A::Value CountResidual(const Decisions<Set>& d, Set open, const Set* linkedBefore);
  template <class A>
  typename A::Value CountPlain(const Decisions<Set>& d, Set open);
  void LookForSymmetry();
  template <class A>
  typename A::Value CountAll(int n, const Decisions<Set>& root);
  template <class A>
  typename A::Value CountSplit(int n, const Decisions<Set>& root);

  const bool plain;  // no cache and no splitting into parts
  const std::uint64_t symmetryAfterParts;
  Set everyPair[capacity];  // links before any decision: every pair may be linked
  // The count under way: its elements and decisions before the first branch, the parts
  // counted when it looks for symmetry (0: never), and the split it found.
  int elements = 0;
  const Decisions<Set>* rootDecisions = nullptr;
  std::uint64_t lookForSymmetryAt = 0;
  SymmetricSplit<Set> split;
  std::stop_token stop;
  RuleMasks<Set> rules;
  int level[capacity];  // see BranchElement
  BranchWeights weights;
  PartCache cache;
  CachePolicy policy;
  CounterStats stats;
};

namespace {

// Ends a count that has found a split by symmetry; it starts afresh by the split.
struct SplitFound {};

// sum += times * v * x^shift, doubling v.
template <class A>
void AddTimes(typename A::Value& sum, typename A::Value v, int shift, std::uint64_t times) {
  for (; times != 0; times >>= 1) {
    if (times & 1) A::Add(sum, v, shift);
    if (times > 1) {
      const typename A::Value once = v;
      A::Add(v, once, 0);
    }
  }
}

// Levels given by the caller hold an element back by 16 open clauses each; the depth in an
// elimination tree holds it back by more than any element has, so the tree alone decides.
// (Scores count in halves of an open rule.)
constexpr int givenLevelWeight = 2 * 16;
constexpr int depthWeight = 1 << 17;

// What deciding an element simplifies, in halves of an open rule: the open rules it is in and
// its implications and exclusions, less the weight of its levels. Balanced, it is the product
// of what deciding it in simplifies (the rules it is a premise of turn into implications or
// go) and what deciding it out does (the rules it is the result of turn into exclusions), each
// side with its implications and exclusions and a floor of 8 rules, as the product heuristics
// of SAT solvers weigh both branches.
template <class Set>
std::int64_t BranchScore(const Links<Set>& links, int e, const int* level,
                         const BranchWeights& weights) {
  constexpr std::int64_t floor = 2 * 8;
  const std::int64_t premises = 2 * links.premises[e], results = 2 * links.results[e],
                     binaries = std::int64_t{weights.binary} * links.binaries[e];
  if (weights.balanced) return (premises + binaries + floor) * (results + binaries + floor);
  return premises + results + binaries - std::int64_t{weights.level} * level[e];
}

// The element of the part that deciding simplifies most, the lowest of those on a tie.
template <class Set>
int BranchElement(Set part, const Links<Set>& links, const int* level,
                  const BranchWeights& weights) {
  int chosen = Lowest(part);
  std::int64_t best = BranchScore(links, chosen, level, weights);
  for (Set m = part & (part - 1); m != 0; m &= m - 1) {
    const std::int64_t score = BranchScore(links, Lowest(m), level, weights);
    if (score > best) best = score, chosen = Lowest(m);
  }
  return chosen;
}

// Whether the rules go up or down the levels as a lattice's joins and meets do: every rule
// that excludes a set has its result above both arguments or below both. Levels that the
// rules cross would hold the search back on elements the rules do not order, which costs up
// to ten thousand times the time of the counter's own choice.
template <class R>
bool LevelsFit(int n, std::span<const R> list, std::span<const int> levels) {
  if (levels.size() != static_cast<std::size_t>(n)) return false;
  if (std::any_of(levels.begin(), levels.end(), [n](int l) { return l < 0 || l >= n; }))
    return false;
  return std::all_of(list.begin(), list.end(), [&](const R& r) {
    const auto [low, high] = std::minmax(levels[r.left], levels[r.right]);
    return r.result == r.left || r.result == r.right || levels[r.result] > high ||
           levels[r.result] < low;
  });
}

// The elimination tree pays where its width is at most a quarter of the elements: bands,
// grids, chains of dense cores and rings of them then split early and count up to a
// hundred times faster. Wider trees are nearly paths, and deciding by them was 10 times
// slower on random rule sets and over 35 times on midpoint rules than the counter's own
// choice.
constexpr int widthShare = 4;

// Whether an element of the tree has two children. A tree of paths cuts no part in two: the
// rules of 28 elements in four cliques of 4 counted in twice the parts by it.
bool Forks(int n, const EliminationTree& tree) {
  Mask parents = 0;
  for (int x = 0; x < n; ++x) {
    const int p = tree.parent[x];
    if (p < 0) continue;
    if (Holds(parents, p)) return true;
    parents |= Bit(p);
  }
  return false;
}

// Whether the rules absorb as a lattice's joins and meets do: a rule's result is never an
// argument beside either of its arguments in another rule, as x v y is comparable to x and y.
// The implications and exclusions of such rules then tell more than their open rules: with
// each counted twice, as short clauses weigh more in the choices of SAT solvers, lattices
// given by their joins or meets alone count in 10 to 30% fewer parts, and most other lattices
// in up to a third fewer (a few in up to a fifth more), while random rule sets, midpoint and
// sum rules, which do not absorb, counted in up to twice as many.
//
// Without levels the balanced choice counts absorbing rules in fewer parts still than that
// sum: B6 by its joins in 0.58 of them, B4 x C4 and B2 x C4 x C4 by their joins or meets in
// 0.47 to 0.55, random lattices of 28 to 62 elements by their joins or their meets alone in
// 0.42 to 0.89, by both in 0.70 to 1.02. Over levels it took up to 4 times the parts, and on
// rules that do not absorb up to 3 times.
template <class Set>
bool Absorbs(int n, const RuleMasks<Set>& rules) {
  for (int x = 0; x < n; ++x)
    if ((rules.results[x] & rules.partners[x]) != 0) return false;
  return true;
}

// Whether the rules go one way, as a lattice's joins alone or its meets alone: no element is
// above itself when a rule's result is above its premises. There the balanced choice counts an
// implication or exclusion as half a rule, else as a whole one: so counted, the joins alone of
// random lattices take a fifth fewer parts, but their joins and meets together a fifth more.
template <class Set>
bool GoesOneWay(int n, const RuleMasks<Set>& rules) {
  Set left = ElementsBelow<Set>(n);
  for (bool removed = true; removed && left != 0;) {
    removed = false;
    for (Set m = left; m != 0; m &= m - 1)
      if ((rules.concluders[Lowest(m)] & left) == 0) {
        left &= ~ElementBit<Set>(Lowest(m));
        removed = true;
      }
  }
  return left == 0;
}

}  // namespace

// The levels the branch choice holds elements back by, once the rules are loaded: the
// caller's where the rules fit them, else the depths in the elimination tree of the rules
// where it is narrow (sets of one word), else none.
template <class Set, class R>
void CountingEngine<Set, R>::ChooseOrder(int n, std::span<const R> list,
                                         std::span<const int> levels) {
  std::fill(level, level + n, 0);
  weights = {};
  const bool absorbs = Absorbs(n, rules);
  weights.binary = absorbs ? 4 : 2;
  if (!levels.empty() && LevelsFit(n, list, levels)) {
    std::copy(levels.begin(), levels.end(), level);
    weights.level = givenLevelWeight;
    return;
  }
  // With fewer rules than elements most elements are free or nearly so and a count takes
  // microseconds, less than the order would cost.
  if constexpr (std::is_same_v<Set, Mask>)
    if (list.size() >= static_cast<std::size_t>(n)) ChooseEliminationOrder(n);
  if (!absorbs || weights.level != 0) return;
  weights.balanced = true;
  weights.binary = GoesOneWay(n, rules) ? 1 : 2;
}

template <class Set, class R>
void CountingEngine<Set, R>::ChooseEliminationOrder(int n) {
  // Two elements are adjacent when a rule names both, read off the rule masks.
  Mask adjacent[maxElements] = {};
  for (int x = 0; x < n; ++x) {
    const Mask alone = rules.conclusions[x][x] & ~Bit(x);  // rules (x, x, z)
    adjacent[x] |= rules.partners[x] | rules.results[x] | rules.concluders[x] | alone;
    for (Mask m = alone; m != 0; m &= m - 1) adjacent[Lowest(m)] |= Bit(x);
  }
  const EliminationTree tree = MinFillTree(n, adjacent, n / widthShare);
  if (tree.width > n / widthShare || !Forks(n, tree)) return;
  std::copy(tree.depth, tree.depth + n, level);
  weights.level = depthWeight;
}

// Counts the closed assignments of one part: undecided elements all connected through open
// rules, implications and exclusions, whose links are known. Branches on one element, in and
// out; the elements a side decides in count towards the size of every set on that side.
template <class Set, class R>
template <class A>
typename A::Value CountingEngine<Set, R>::CountBranches(const Decisions<Set>& d, Set part,
                                                        const Links<Set>& links) {
  if (++stats.partsCounted % stopCheckInterval == 0) StopIfAsked();
  if (stats.partsCounted == lookForSymmetryAt) LookForSymmetry();
  stats.largestPart = std::max(stats.largestPart, Size(part));
  const Set chosen = ElementBit<Set>(BranchElement(part, links, level, weights));
  typename A::Value count{};
  for (bool inside : {true, false}) {
    Decisions<Set> next;
    CopyPart(d, part, next);
    if (!Decide(rules, next, inside ? chosen : 0, inside ? 0 : chosen, part, links.linked))
      continue;
    assert((next.in & ~d.in & ~part) == 0 && (next.out & ~d.out & ~part) == 0);
    const Set open = part & ~(next.in | next.out);
    A::Add(count, plain ? CountPlain<A>(next, open) : CountResidual<A>(next, open, links.linked),
           Size(next.in & ~d.in));
  }
  return count;
}

// Counts one part, through the cache where looks pay at its size.
template <class Set, class R>
template <class A>
typename A::Value CountingEngine<Set, R>::CountPart(const Decisions<Set>& d, Set part,
                                                    const Links<Set>& links) {
  const int size = Size(part);
  const bool looks = policy.Looks(size, Folded(part));
  PartKey<Set> key;
  if (looks) {
    FindKey(d, part, key);
    std::span<const Mask> stored;
    const bool found = cache.Find(key.Words(), key.hash, stored);
    policy.NoteLook(size, found);
    if (found) {
      ++stats.cacheHits;
      return A::Decode(stored);
    }
    ++stats.cacheMisses;
  }
  const std::uint64_t partsBefore = stats.partsCounted;
  const typename A::Value count = CountBranches<A>(d, part, links);
  policy.NoteCounted(size, stats.partsCounted - partsBefore);
  if (looks) cache.Store(key.Words(), key.hash, A::Encode(count));
  return count;
}

// Counts at most smallPartElements undecided elements on the spot, whatever their links.
template <class Set, class R>
template <class A>
typename A::Value CountingEngine<Set, R>::CountSmall(const Decisions<Set>& d, Set elements) {
  return A::OfSubsets(ClosedSubsetsOfSmallPart(rules, d, elements), Size(elements));
}

// Counts the undecided elements `open`: elements linked to none are free, parts linked to
// each other by nothing are counted apart and multiplied, small parts on the spot, and so are
// a few undecided elements, whatever their parts. Most parts the cache does not hold, and
// counting one starts from its links, so the links of all of `open` are found once, and the
// parts read off them.
template <class Set, class R>
template <class A>
typename A::Value CountingEngine<Set, R>::CountResidual(const Decisions<Set>& d, Set open,
                                                        const Set* linkedBefore) {
  if (Size(open) <= smallPartElements) return CountSmall<A>(d, open);
  Links<Set> links;
  LinkPart(rules, d, open, linkedBefore, links);
  typename A::Value count = A::One();
  int free = 0;
  for (Set rest = open; rest != 0 && !A::IsZero(count);) {
    const Set part = LinkedPart(links, LowestBit(rest), rest);
    rest &= ~part;
    if (part == LowestBit(part))
      ++free;
    else if (Size(part) <= smallPartElements)
      A::Multiply(count, CountSmall<A>(d, part));
    else
      A::Multiply(count, CountPart<A>(d, part, links));
  }
  if (free > 0 && !A::IsZero(count)) A::Multiply(count, A::Free(free));
  return count;
}

// Counts the undecided elements `open` in the plain search: the free elements apart, all
// the others as one part.
template <class Set, class R>
template <class A>
typename A::Value CountingEngine<Set, R>::CountPlain(const Decisions<Set>& d, Set open) {
  Links<Set> links;
  LinkPart(rules, d, open, everyPair, links);
  Set touched = 0;
  for (Set m = open; m != 0; m &= m - 1) touched |= links.linked[Lowest(m)];
  typename A::Value count = A::Free(Size(open & ~touched));
  if (touched != 0) A::Multiply(count, CountBranches<A>(d, touched, links));
  return count;
}

// A count that has run this long plans a split by symmetry; where none pays, it goes on.
template <class Set, class R>
void CountingEngine<Set, R>::LookForSymmetry() {
  lookForSymmetryAt = 0;  // a count looks once
  Links<Set> links;
  LinkPart(rules, *rootDecisions, ElementsBelow<Set>(elements), everyPair, links);
  std::vector<std::int64_t> score(elements);
  for (int x = 0; x < elements; ++x) score[x] = BranchScore(links, x, level, weights);
  split = PlanSymmetricSplit(elements, rules, score);
  if (split.decided != 0) throw SplitFound{};
}

// Counts every closed set: by a split by symmetry where one pays, which a count looks for
// once it has run long enough, else in one search.
template <class Set, class R>
template <class A>
typename A::Value CountingEngine<Set, R>::CountAll(int n, const Decisions<Set>& root) {
  elements = n;
  rootDecisions = &root;
  split = {};
  lookForSymmetryAt = symmetryAfterParts;
  try {
    if (lookForSymmetryAt == 0) LookForSymmetry();
    return CountResidual<A>(root, ElementsBelow<Set>(n), everyPair);
  } catch (const SplitFound&) {
    return CountSplit<A>(n, root);
  }
}

// Counts one way of each class of the split, times the class's size.
template <class Set, class R>
template <class A>
typename A::Value CountingEngine<Set, R>::CountSplit(int n, const Decisions<Set>& root) {
  stats.splitElements = Size(split.decided);
  stats.splitClasses = split.classes.size();
  typename A::Value count{};
  for (const typename SymmetricSplit<Set>::Class& c : split.classes) {
    Decisions<Set> d = root;
    if (!Decide(rules, d, c.in, split.decided & ~c.in, ElementsBelow<Set>(n), everyPair)) continue;
    AddTimes<A>(count, CountResidual<A>(d, ElementsBelow<Set>(n) & ~(d.in | d.out), everyPair),
                Size(d.in), c.size);
  }
  return count;
}

template <class Set, class R>
template <class A>
typename A::Value CountingEngine<Set, R>::Run(int n, std::span<const R> list,
                                              std::span<const int> levels) {
  assert(0 <= n && n <= capacity);
  assert(levels.empty() || levels.size() == static_cast<std::size_t>(n));
  stats = {};
  StopIfAsked();
  Decisions<Set> root;
  LoadRules(n, list, rules, root);
  ChooseOrder(n, list, levels);
  // The empty set is closed, so nothing is in before the first branch.
  assert(root.in == 0);
  if (plain) return CountPlain<A>(root, ElementsBelow<Set>(n));
  cache.Clear();
  policy.Clear();
  const typename A::Value count = CountAll<A>(n, root);
  stats.cacheReplaced = cache.Replaced();
  stats.cacheBytes = cache.PeakBytes();
  return count;
}

struct ClosedSetCounter::Engine : CountingEngine<Mask, Rule> {
  using CountingEngine::CountingEngine;
};

ClosedSetCounter::ClosedSetCounter(Search search, CounterOptions options)
    : engine_(std::make_unique<Engine>(search, options)) {}

ClosedSetCounter::~ClosedSetCounter() = default;

SubsetCount ClosedSetCounter::Count(int n, std::span<const Rule> rules,
                                    std::span<const int> levels) {
  CheckRules("Count", n, rules);
  CheckLevels("Count", n, levels);
  return engine_->Run<TotalCount>(n, rules, levels);
}

std::vector<std::uint64_t> ClosedSetCounter::CountBySize(int n, std::span<const Rule> rules,
                                                         std::span<const int> levels) {
  CheckRules("CountBySize", n, rules);
  CheckLevels("CountBySize", n, levels);
  const SizeCounts::Value counts = engine_->Run<SizeCounts>(n, rules, levels);
  std::vector<std::uint64_t> bySize(n + 1, 0);
  std::copy(counts.coefficient, counts.coefficient + counts.length, bySize.begin());
  return bySize;
}

const CounterStats& ClosedSetCounter::Stats() const {
  return engine_->stats;
}

void ClosedSetCounter::StopIfAsked() const {
  engine_->StopIfAsked();
}

void ClosedSetCounter::SetStopToken(std::stop_token stop) {
  engine_->stop = std::move(stop);
}

// The wide counter keeps the engine of the width it counted last, and gives up the others, so
// that only one set of rule masks is held.
struct WideSetCounter::Engines {
  template <int W>
  using Engine = CountingEngine<WideSet<W>, WideRule>;

  explicit Engines(const CounterOptions& options) : options(options) {}

  template <int W, class A>
  typename A::Value CountOver(std::unique_ptr<Engine<W>>& engine, int n,
                              std::span<const WideRule> list, std::span<const int> levels,
                              const std::stop_token& stop, CounterStats& stats) {
    if (!engine) {
      two.reset(), four.reset(), eight.reset(), sixteen.reset();
      engine = std::make_unique<Engine<W>>(Search::full, options);
    }
    engine->stop = stop;
    typename A::Value value;
    RunOnStack(StackBytes(n), [&] { value = engine->template Run<A>(n, list, levels); });
    stats = engine->stats;
    return value;
  }

  template <class A>
  typename A::Value Count(int n, std::span<const WideRule> list, std::span<const int> levels,
                          const std::stop_token& stop, CounterStats& stats) {
    assert(0 <= n && n <= maxWideElements);
    if (n <= 128) return CountOver<2, A>(two, n, list, levels, stop, stats);
    if (n <= 256) return CountOver<4, A>(four, n, list, levels, stop, stats);
    if (n <= 512) return CountOver<8, A>(eight, n, list, levels, stop, stats);
    return CountOver<16, A>(sixteen, n, list, levels, stop, stats);
  }

  CounterOptions options;
  std::unique_ptr<Engine<2>> two;
  std::unique_ptr<Engine<4>> four;
  std::unique_ptr<Engine<8>> eight;
  std::unique_ptr<Engine<16>> sixteen;
};

static_assert(maxWideElements <= 1024, "the widest set holds 16 words");

namespace {

// What one level of the search holds on the stack: the decisions of a branch, the links and
// key of its part, and room for the rest of its frames.
template <int W>
std::size_t LevelBytes() {
  using Set = WideSet<W>;
  return sizeof(Decisions<Set>) + sizeof(Links<Set>) + sizeof(PartKey<Set>) +
         sizeof(Set) * elementsOf<Set> + 4096;
}

}  // namespace

std::size_t WideSetCounter::StackBytes(int n) {
  const std::size_t level = n <= 128   ? LevelBytes<2>()
                            : n <= 256 ? LevelBytes<4>()
                            : n <= 512 ? LevelBytes<8>()
                                       : LevelBytes<16>();
  return (static_cast<std::size_t>(n) + 2) * level + (std::size_t{8} << 20);
}

WideSetCounter::WideSetCounter(CounterOptions options)
    : engines_(std::make_unique<Engines>(options)) {}

WideSetCounter::~WideSetCounter() = default;

BigCount WideSetCounter::Count(int n, std::span<const WideRule> rules,
                               std::span<const int> levels) {
  CheckRules("WideSetCounter::Count", n, rules);
  CheckLevels("WideSetCounter::Count", n, levels);
  return engines_->Count<BigTotalCount>(n, rules, levels, stop_, stats_);
}

std::vector<BigCount> WideSetCounter::CountBySize(int n, std::span<const WideRule> rules,
                                                  std::span<const int> levels) {
  CheckRules("WideSetCounter::CountBySize", n, rules);
  CheckLevels("WideSetCounter::CountBySize", n, levels);
  std::vector<BigCount> bySize = engines_->Count<BigSizeCounts>(n, rules, levels, stop_, stats_);
  bySize.resize(n + 1);
  return bySize;
}

}  // namespace mirelkon
