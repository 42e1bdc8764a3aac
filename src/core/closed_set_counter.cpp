// The closed-set counter: depth-first branching on one element at a time, with propagation
// and parts as in core/residual.h, free elements counted as factors of two, independent parts
// counted apart and multiplied, and a cache of counted parts keyed by the residual problem
// itself (core/part_cache.h).
//
// The branch element is the one in the most open clauses of its part, a choice made afresh
// in every part from what is left of the problem there. Orders fixed in advance were
// measured against it on every benchmark family. Deciding a lattice bottom-up by the level of
// each element, or a tree decomposition of the rules from its root down, wins on products of
// chains (3 to 6 times fewer parts) but loses 3 times on random lattices and up to a
// thousandfold on rules over levels, random rule sets and lattices given by their joins or
// meets alone. Two searches taking turns, one in such an order, bound that loss to about
// twice the time, but that is what they then cost nearly everywhere, and on the whole more
// than they save.
#include "core/closed_set_counter.h"

#include <algorithm>
#include <cassert>

#include "core/bits.h"
#include "core/part_cache.h"
#include "core/residual.h"

static_assert(maxElements <= 64, "an element is a bit of a 64-bit mask");

struct ClosedSetCounter::Engine {
  Engine(Search search, const CounterOptions& options)
      : plain(search == Search::plain), cache(options.cacheBytes) {}

  SubsetCount CountBranches(const Decisions& d, Mask part, const Mask* linkedBefore);
  SubsetCount CountPart(const Decisions& d, Mask part, const Mask* linkedBefore);
  SubsetCount CountResidual(const Decisions& d, Mask open, const Mask* linkedBefore);
  SubsetCount CountPlain(const Decisions& d, Mask open);

  const bool plain;  // no cache and no splitting into parts
  RuleMasks rules;
  PartCache cache;
  CounterStats stats;
};

namespace {

// The element in the most open clauses of the part, the lowest of those on a tie.
int BranchElement(Mask part, const Links& links) {
  int chosen = Lowest(part);
  for (Mask m = part & (part - 1); m != 0; m &= m - 1)
    if (links.occurrences[Lowest(m)] > links.occurrences[chosen]) chosen = Lowest(m);
  return chosen;
}

}  // namespace

// Counts the closed assignments of one part: undecided elements all connected through open
// rules, implications and exclusions. Branches on one element, in and out.
SubsetCount ClosedSetCounter::Engine::CountBranches(const Decisions& d, Mask part,
                                                    const Mask* linkedBefore) {
  ++stats.partsCounted;
  stats.largestPart = std::max(stats.largestPart, Size(part));
  Links links;
  LinkPart(rules, d, part, linkedBefore, links);
  const Mask chosen = Bit(BranchElement(part, links));
  SubsetCount count = 0;
  for (bool inside : {true, false}) {
    Decisions next;
    CopyPart(d, part, next);
    if (!Decide(rules, next, inside ? chosen : 0, inside ? 0 : chosen, part, links.linked))
      continue;
    const Mask open = part & ~(next.in | next.out);
    count += plain ? CountPlain(next, open) : CountResidual(next, open, links.linked);
  }
  return count;
}

// Counts one part, through the cache.
SubsetCount ClosedSetCounter::Engine::CountPart(const Decisions& d, Mask part,
                                                const Mask* linkedBefore) {
  PartKey key;
  FindKey(d, part, key);
  SubsetCount count;
  if (cache.Find(key.Words(), key.hash, count)) {
    ++stats.cacheHits;
    return count;
  }
  ++stats.cacheMisses;
  count = CountBranches(d, part, linkedBefore);
  cache.Store(key.Words(), key.hash, count);
  return count;
}

// Counts the undecided elements `open`: elements linked to none double the count, and parts
// linked to each other by nothing are counted apart and multiplied.
SubsetCount ClosedSetCounter::Engine::CountResidual(const Decisions& d, Mask open,
                                                    const Mask* linkedBefore) {
  SubsetCount count = 1;
  for (Mask rest = open; rest != 0 && count != 0;) {
    const Mask part = PartOf(rules, d, LowestBit(rest), open, rest, linkedBefore);
    rest &= ~part;
    count *= part == LowestBit(part) ? 2 : CountPart(d, part, linkedBefore);
  }
  return count;
}

// Counts the undecided elements `open` in the plain search: the free elements apart, all
// the others as one part.
SubsetCount ClosedSetCounter::Engine::CountPlain(const Decisions& d, Mask open) {
  Links links;
  Mask everyPair[maxElements];
  std::fill(everyPair, everyPair + maxElements, ~Mask{0});
  LinkPart(rules, d, open, everyPair, links);
  Mask touched = 0;
  for (Mask m = open; m != 0; m &= m - 1) touched |= links.linked[Lowest(m)];
  const SubsetCount free = SubsetCount{1} << Size(open & ~touched);
  return touched == 0 ? free : free * CountBranches(d, touched, everyPair);
}

ClosedSetCounter::ClosedSetCounter(Search search, CounterOptions options)
    : engine_(std::make_unique<Engine>(search, options)) {}

ClosedSetCounter::~ClosedSetCounter() = default;

SubsetCount ClosedSetCounter::Count(int n, std::span<const Rule> rules) {
  assert(0 <= n && n <= maxElements);
  Engine& e = *engine_;
  e.stats = {};
  Decisions root;
  LoadRules(n, rules, e.rules, root);
  if (e.plain) return e.CountPlain(root, FirstElements(n));
  e.cache.Clear();
  Mask everyPair[maxElements];
  std::fill(everyPair, everyPair + maxElements, ~Mask{0});
  const SubsetCount count = e.CountResidual(root, FirstElements(n), everyPair);
  e.stats.cacheReplaced = e.cache.Replaced();
  e.stats.cacheBytes = e.cache.PeakBytes();
  return count;
}

const CounterStats& ClosedSetCounter::Stats() const {
  return engine_->stats;
}
