// The closed-set counter: depth-first branching on one element at a time, with propagation,
// free elements counted as factors of two, independent parts counted apart, and a cache of
// counted parts keyed by the residual problem itself.
//
// A rule (l, r, z) is the Horn clause "l and r force z". Deciding elements turns such clauses
// into implications "a forces c", exclusions "not both a and b" or leaves them untouched; all
// three are held in one packed form, a premise of one or two elements and a conclusion that is
// an element or "false".
#include "model/closed_set_counter.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>

namespace {

// A residual clause in 15 bits: premise elements p <= q (p == q for a one-element premise) in
// bits 0-4 and 5-9, conclusion in bits 10-14. Elements are numbered 0..29 here; the conclusion
// falseElement means the premise must not hold. Sorting packed clauses gives the canonical
// form of a clause list.
using Clause = std::uint16_t;
constexpr int falseElement = 31;
// Kept in the "out" mask of every decision, so a false conclusion is never satisfied.
constexpr std::uint32_t falseBit = std::uint32_t{1} << falseElement;

Clause Pack(int p, int q, int conclusion) {
  return static_cast<Clause>(p | q << 5 | conclusion << 10);
}
std::uint32_t PremiseMask(Clause c) {
  return 1u << (c & 31) | 1u << (c >> 5 & 31);
}
std::uint32_t ConclusionMask(Clause c) {
  return 1u << (c >> 10);
}
std::uint32_t ElementMask(Clause c) {
  return (PremiseMask(c) | ConclusionMask(c)) & ~falseBit;
}

// Clause lists of the search, stacked. A branching frame takes one list no longer than its
// parent's, and splitting that list into parts takes one more; every branch decides an
// element, so at most maxElements frames are open, and the input list comes on top of that.
struct ClauseStack {
  Clause clauses[(2 * maxElements + 1) * maxConstraints];
  int top = 0;
};

// Counted parts. A part's elements are exactly those its clauses name, so its canonical
// clause list alone is the key. Entries and keys are stored densely in the order they were
// counted and found through an open-addressing index of entry numbers. The index starts small
// for every count and doubles as entries arrive, so a count touches memory in proportion to
// what it stores rather than page after page of an index spread over 8 MB. The storage is
// fixed: 8 MB of index, 16 MB of entries and 32 MB of keys.
struct PartCache {
  struct Entry {
    std::uint32_t hash;
    std::uint32_t count;  // a part has at most 30 elements, so its count fits
    std::uint32_t keyStart;
    std::uint32_t keyLength;
  };
  static constexpr int firstIndexBits = 12;
  static constexpr int maxIndexBits = 21;
  static constexpr std::uint32_t entryCapacity = std::uint32_t{1} << (maxIndexBits - 1);
  static constexpr std::uint32_t keyCapacity = std::uint32_t{1} << 24;
  std::uint32_t index[std::uint32_t{1} << maxIndexBits];  // entry number + 1; 0 is empty
  Entry entries[entryCapacity];
  Clause keys[keyCapacity];
  int indexBits = firstIndexBits;
  std::uint32_t entryCount = 0;
  std::uint32_t keyTop = 0;
};

ClauseStack stack;
PartCache cache;

Clause* TakeClauses(int length) {
  assert(stack.top + length <= static_cast<int>(std::size(stack.clauses)));
  Clause* list = stack.clauses + stack.top;
  stack.top += length;
  return list;
}

void ReleaseClauses(Clause* list) {
  stack.top = static_cast<int>(list - stack.clauses);
}

void EmptyCache() {
  cache.indexBits = PartCache::firstIndexBits;
  std::memset(cache.index, 0, sizeof(std::uint32_t) << cache.indexBits);
  cache.entryCount = 0;
  cache.keyTop = 0;
}

std::uint32_t HashOf(const Clause* list, int length) {
  std::uint64_t h = static_cast<std::uint64_t>(length);
  for (int i = 0; i < length; ++i) h = (h ^ list[i]) * 0x9E3779B97F4A7C15u;
  return static_cast<std::uint32_t>(h >> 32);
}

// The index slot holding this key's entry, or the empty slot where it belongs.
std::uint32_t& IndexSlot(const Clause* list, int length, std::uint32_t hash) {
  const std::uint32_t mask = (std::uint32_t{1} << cache.indexBits) - 1;
  for (std::uint32_t at = hash >> (32 - cache.indexBits);; at = (at + 1) & mask) {
    std::uint32_t& slot = cache.index[at];
    if (slot == 0) return slot;
    const PartCache::Entry& e = cache.entries[slot - 1];
    if (e.hash == hash && e.keyLength == static_cast<std::uint32_t>(length) &&
        std::memcmp(cache.keys + e.keyStart, list, length * sizeof(Clause)) == 0)
      return slot;
  }
}

// Doubles the index, keeping it at most half full, and files every entry anew.
void GrowIndex() {
  ++cache.indexBits;
  std::memset(cache.index, 0, sizeof(std::uint32_t) << cache.indexBits);
  for (std::uint32_t i = 0; i < cache.entryCount; ++i) {
    const PartCache::Entry& e = cache.entries[i];
    IndexSlot(cache.keys + e.keyStart, static_cast<int>(e.keyLength), e.hash) = i + 1;
  }
}

// Stores a counted part. A full cache is emptied rather than enlarged: its contents only save
// time, so the counts found afterwards are the same.
void Remember(const Clause* list, int length, std::uint32_t hash, std::uint64_t count) {
  if (cache.entryCount == PartCache::entryCapacity ||
      cache.keyTop + static_cast<std::uint32_t>(length) > PartCache::keyCapacity)
    EmptyCache();
  if (2 * (cache.entryCount + 1) > std::uint32_t{1} << cache.indexBits) GrowIndex();
  std::memcpy(cache.keys + cache.keyTop, list, length * sizeof(Clause));
  cache.entries[cache.entryCount] = {hash, static_cast<std::uint32_t>(count), cache.keyTop,
                                     static_cast<std::uint32_t>(length)};
  IndexSlot(list, length, hash) = cache.entryCount + 1;
  ++cache.entryCount;
  cache.keyTop += length;
}

// Decides what the decisions in `in` and `out` imply, to a fixed point, copying the clauses
// still open into `kept`. Answers their number, or -1 when the decisions contradict a clause.
// A clause with every premise element in forces its conclusion in; a clause whose conclusion
// is out and that has one premise element left forces that element out.
int Propagate(const Clause* list, int length, std::uint32_t& in, std::uint32_t& out, Clause* kept) {
  int keptLength = 0;
  for (bool changed = true; changed; list = kept, length = keptLength) {
    changed = false;
    keptLength = 0;
    for (int i = 0; i < length; ++i) {
      Clause c = list[i];
      std::uint32_t premise = PremiseMask(c), conclusion = ConclusionMask(c);
      if ((conclusion & in) != 0 || (premise & out) != 0) continue;
      std::uint32_t openPremise = premise & ~in, openConclusion = conclusion & ~out;
      if (openPremise == 0) {
        if (openConclusion == 0) return -1;
        in |= openConclusion;
        changed = true;
      } else if (openConclusion == 0 && std::has_single_bit(openPremise)) {
        out |= openPremise;
        changed = true;
      } else {
        kept[keptLength++] = c;
      }
    }
  }
  return keptLength;
}

// Rewrites the open clauses without their decided elements and brings the list into
// canonical form (sorted, without repeats), so equal residual problems get equal keys.
int Canonicalize(Clause* list, int length, std::uint32_t in, std::uint32_t out) {
  for (int i = 0; i < length; ++i) {
    std::uint32_t premise = PremiseMask(list[i]) & ~in;
    std::uint32_t conclusion = ConclusionMask(list[i]) & ~out;
    int c = conclusion == 0 ? falseElement : std::countr_zero(conclusion);
    list[i] = Pack(std::countr_zero(premise), 31 - std::countl_zero(premise), c);
  }
  std::sort(list, list + length);
  return static_cast<int>(std::unique(list, list + length) - list);
}

std::uint64_t CountResidual(const Clause* list, int length, std::uint32_t undecided);

// The element in the most clauses: deciding it settles or shortens the most of them.
int BranchElement(const Clause* list, int length) {
  int occurrences[maxElements] = {};
  for (int i = 0; i < length; ++i)
    for (std::uint32_t m = ElementMask(list[i]); m != 0; m &= m - 1)
      ++occurrences[std::countr_zero(m)];
  return static_cast<int>(std::max_element(occurrences, occurrences + maxElements) - occurrences);
}

// Counts the closed assignments of one part: a canonical clause list whose elements are all
// connected through its clauses.
std::uint64_t CountPart(const Clause* list, int length, std::uint32_t elements) {
  const std::uint32_t hash = HashOf(list, length);
  if (std::uint32_t slot = IndexSlot(list, length, hash); slot != 0)
    return cache.entries[slot - 1].count;
  std::uint32_t chosen = std::uint32_t{1} << BranchElement(list, length);
  std::uint64_t count = 0;
  Clause* residual = TakeClauses(length);
  for (bool inside : {true, false}) {
    std::uint32_t in = inside ? chosen : 0, out = inside ? falseBit : falseBit | chosen;
    int residualLength = Propagate(list, length, in, out, residual);
    if (residualLength < 0) continue;
    residualLength = Canonicalize(residual, residualLength, in, out);
    count += CountResidual(residual, residualLength, elements & ~(in | out));
  }
  ReleaseClauses(residual);
  Remember(list, length, hash, count);
  return count;
}

// The connected part of `seed` in the graph where clauses join their elements.
std::uint32_t ConnectedPart(std::uint32_t seed, const std::uint32_t* neighbours) {
  for (std::uint32_t part = 0; part != seed;) {
    part = seed;
    for (std::uint32_t m = part; m != 0; m &= m - 1) seed |= neighbours[std::countr_zero(m)];
  }
  return seed;
}

// Counts a canonical clause list over the undecided elements: elements in no clause double
// the count, and parts sharing no element are counted apart and multiplied.
std::uint64_t CountResidual(const Clause* list, int length, std::uint32_t undecided) {
  std::uint32_t neighbours[maxElements] = {}, touched = 0;
  for (int i = 0; i < length; ++i) {
    std::uint32_t m = ElementMask(list[i]);
    touched |= m;
    for (std::uint32_t e = m; e != 0; e &= e - 1) neighbours[std::countr_zero(e)] |= m;
  }
  std::uint64_t count = std::uint64_t{1} << std::popcount(undecided & ~touched);
  if (length == 0) return count;
  std::uint32_t first = ConnectedPart(touched & -touched, neighbours);
  if (first == touched) return count * CountPart(list, length, touched);

  // Sort the clauses by part, keeping their canonical order within each part.
  int partOf[maxElements], partStart[maxElements + 1] = {}, parts = 0;
  std::uint32_t partElements[maxElements];
  for (std::uint32_t rest = touched; rest != 0; ++parts) {
    partElements[parts] = ConnectedPart(rest & -rest, neighbours);
    rest &= ~partElements[parts];
    for (std::uint32_t e = partElements[parts]; e != 0; e &= e - 1)
      partOf[std::countr_zero(e)] = parts;
  }
  for (int i = 0; i < length; ++i) ++partStart[partOf[std::countr_zero(ElementMask(list[i]))] + 1];
  for (int p = 0; p < parts; ++p) partStart[p + 1] += partStart[p];
  Clause* sorted = TakeClauses(length);
  int fill[maxElements];
  std::copy(partStart, partStart + parts, fill);
  for (int i = 0; i < length; ++i)
    sorted[fill[partOf[std::countr_zero(ElementMask(list[i]))]]++] = list[i];
  for (int p = 0; p < parts && count != 0; ++p)
    count *= CountPart(sorted + partStart[p], partStart[p + 1] - partStart[p], partElements[p]);
  ReleaseClauses(sorted);
  return count;
}

}  // namespace

std::uint64_t CountClosedSets(int n, const ConstraintRecord* rules, int ruleCount) {
  assert(0 <= n && n <= maxElements && 0 <= ruleCount && ruleCount <= maxConstraints);
  EmptyCache();
  Clause* list = TakeClauses(ruleCount);
  int length = 0;
  for (int k = 0; k < ruleCount; ++k) {
    int l = rules[k].left, r = rules[k].right, z = rules[k].result;
    assert(1 <= l && l <= n && 1 <= r && r <= n && 1 <= z && z <= n);
    if (z == l || z == r) continue;  // the result is an argument: no subset breaks the rule
    list[length++] = Pack(std::min(l, r) - 1, std::max(l, r) - 1, z - 1);
  }
  std::sort(list, list + length);
  length = static_cast<int>(std::unique(list, list + length) - list);
  auto all = static_cast<std::uint32_t>((std::uint64_t{1} << n) - 1);
  std::uint64_t count = CountResidual(list, length, all);
  ReleaseClauses(list);
  return count;
}
