// The closed-set counter: depth-first branching on one element at a time, with propagation,
// free elements counted as factors of two, independent parts counted apart, and a cache of
// counted parts keyed by the residual problem itself.
//
// Elements are the bits of a 64-bit mask. A rule (l, r, z) is the Horn clause "l and r force
// z". Once some elements are decided, a rule is satisfied, or forces an element, or leaves an
// implication "r forces z" (l is in) or an exclusion "not both l and r" (z is out), or stays
// untouched with its three elements undecided. The untouched rules of a part are exactly the
// rules among its elements, so a part is fully described by its element mask and the
// implications and exclusions on its elements, one mask of each per element: the search
// works on these masks, and they are the cache key.
#include "core/closed_set_counter.h"

#include <sys/mman.h>

#include <algorithm>
#include <cassert>
#include <cstring>
#include <new>

#include "core/bits.h"

static_assert(maxElements <= 64, "an element is a bit of a 64-bit mask");

namespace {

// The rules as masks, fixed during a count.
struct RuleMasks {
  Mask partners[maxElements];    // [x]: the r != x with a rule (x, r, z)
  Mask concluders[maxElements];  // [z]: the l with a rule (l, r, z), r != l
  // [x][r]: the z of the rules (x, r, z), symmetric in x and r; [x][x]: what x alone forces.
  Mask conclusions[maxElements][maxElements];
  Mask otherPremises[maxElements][maxElements];  // [z][l]: the r != l of the rules (l, r, z)
  int rank[maxElements];                         // see BranchElement
};

// Where the search stands: the decided elements and, for each undecided element, the
// implications and exclusions the decisions have left on it.
struct Decisions {
  Mask in, out;
  Mask implied[maxElements];   // [r]: the z that r forces in
  Mask excluded[maxElements];  // [l]: the r that cannot be in together with l
};

// The links among the undecided elements of a scope (two elements are linked when a rule,
// implication or exclusion left open names both) and the number of those each element is in,
// which guides the choice of the branch element.
struct Links {
  Mask linked[maxElements];
  int occurrences[maxElements];
  Mask withImplied, withExcluded;  // the elements with implications, with exclusions left
};

// Counted parts. A key is the part's element mask, the masks of its elements with
// implications and with exclusions, and those nonzero masks in element order. Entries and
// keys are stored densely in the order they were counted and found through an
// open-addressing index, which starts small for every count and doubles as entries arrive, so
// a count touches memory in proportion to what it stores. An index slot holds an entry number
// and twelve bits of the key's hash, so most slots of other keys are passed over without a
// look at their entries. The storage is fixed: 4 MB of index, 12 MB of entries and 32 MB of
// keys.
struct PartCache {
  struct Entry {
    std::uint32_t hash;
    std::uint32_t keyStart;
    std::uint32_t keyLength;
    std::uint32_t count[3];  // least significant word first: 2^64 needs 65 bits
  };
  static constexpr int firstIndexBits = 12;
  static constexpr int maxIndexBits = 20;
  static constexpr std::uint32_t entryCapacity = std::uint32_t{1} << (maxIndexBits - 1);
  static constexpr std::uint32_t keyCapacity = std::uint32_t{1} << 22;
  static constexpr int maxKeyLength = 3 + 2 * maxElements;
  static constexpr int tagShift = 20;  // entry numbers + 1 fill the bits below
  static_assert(entryCapacity < std::uint32_t{1} << tagShift);
  std::uint32_t index[std::uint32_t{1} << maxIndexBits];  // 0 is empty, else tag, entry + 1
  Entry entries[entryCapacity];
  Mask keys[keyCapacity];
  int indexBits;
  std::uint32_t entryCount;
  std::uint32_t keyTop;
};

// The cache is touched page by page as a count stores entries. On 4 KB pages a count of a
// large lattice spends a third of its time in page faults; on huge pages, where the system
// offers them on request, there are few faults. A refusal costs only speed. The mapping is
// reserved, not committed: a count touches only what it stores.
class CacheMemory {
 public:
  CacheMemory() {
    void* at = mmap(nullptr, sizeof(PartCache), PROT_READ | PROT_WRITE,
                    MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (at == MAP_FAILED) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    madvise(at, sizeof(PartCache), MADV_HUGEPAGE);
#endif
    cache_ = static_cast<PartCache*>(at);
  }
  ~CacheMemory() {
    munmap(cache_, sizeof(PartCache));
  }
  CacheMemory(const CacheMemory&) = delete;
  CacheMemory& operator=(const CacheMemory&) = delete;
  PartCache& operator*() const {
    return *cache_;
  }

 private:
  PartCache* cache_;
};

std::uint32_t HashOf(const Mask* key, int length) {
  std::uint64_t h = static_cast<std::uint64_t>(length);
  for (int i = 0; i < length; ++i) h = (h ^ key[i]) * 0x9E3779B97F4A7C15u;
  return static_cast<std::uint32_t>((h ^ h >> 29) >> 32);
}

std::uint32_t Tag(std::uint32_t hash) {
  return hash << PartCache::tagShift;
}

SubsetCount StoredCount(const PartCache::Entry& e) {
  SubsetCount count = 0;
  for (int i = 2; i >= 0; --i) count = count << 32 | e.count[i];
  return count;
}

// The connected part of `seed` in the graph of `linked`, found breadth first.
Mask ConnectedPart(Mask seed, const Mask* linked) {
  Mask part = seed;
  for (Mask reached = seed; reached != 0;) {
    Mask next = 0;
    for (Mask m = reached; m != 0; m &= m - 1) next |= linked[Lowest(m)];
    reached = next & ~part;
    part |= reached;
  }
  return part;
}

// The element in the most open clauses, less rankWeight for each step of rank. Deciding an
// element in many clauses settles or shortens the most of them; the rank makes the search
// sweep a long lattice from the bottom up, so that its residual problems depend on a narrow
// band of decided elements and come again, while in a wide lattice the elements in the most
// clauses still go first.
constexpr int rankWeight = 16;

}  // namespace

struct ClosedSetCounter::Engine {
  explicit Engine(Search s) : plain(s == Search::plain) {}

  SubsetCount Count(int n, std::span<const Rule> list, std::span<const int> rankOf);

  void EmptyCache();
  std::uint32_t& IndexSlot(const Mask* key, int length, std::uint32_t hash);
  const PartCache::Entry& EntryOf(std::uint32_t slot) const;
  void GrowIndex();
  void Remember(const Mask* key, int length, std::uint32_t hash, SubsetCount count);
  bool Decide(Decisions& d, Mask newIn, Mask newOut, Mask scope, const Mask* linked) const;
  void FindLinks(const Decisions& d, Mask scope, const Mask* linkedBefore, Links& links) const;
  int BranchElement(Mask part, const Links& links) const;
  SubsetCount CountBranches(const Decisions& d, Mask part, const Links& links);
  SubsetCount CountPart(const Decisions& d, Mask part, const Links& links);
  SubsetCount CountResidual(const Decisions& d, Mask scope, const Mask* linkedBefore);
  void LoadRules(int n, std::span<const Rule> list, std::span<const int> rankOf, Decisions& d);

  const bool plain;  // no cache and no splitting into parts
  RuleMasks rules;
  CacheMemory cacheMemory;
  PartCache& cache = *cacheMemory;
  CounterStats stats;
};

void ClosedSetCounter::Engine::EmptyCache() {
  cache.indexBits = PartCache::firstIndexBits;
  std::memset(cache.index, 0, sizeof(std::uint32_t) << cache.indexBits);
  cache.entryCount = 0;
  cache.keyTop = 0;
}

// The index slot holding this key's entry, or the empty slot where it belongs.
std::uint32_t& ClosedSetCounter::Engine::IndexSlot(const Mask* key, int length,
                                                   std::uint32_t hash) {
  const std::uint32_t mask = (std::uint32_t{1} << cache.indexBits) - 1;
  const std::uint32_t tag = Tag(hash), tagBits = Tag(~std::uint32_t{0});
  for (std::uint32_t at = hash >> (32 - cache.indexBits);; at = (at + 1) & mask) {
    std::uint32_t& slot = cache.index[at];
    if (slot == 0) return slot;
    if ((slot & tagBits) != tag) continue;
    const PartCache::Entry& e = cache.entries[(slot & ~tagBits) - 1];
    if (e.hash == hash && e.keyLength == static_cast<std::uint32_t>(length) &&
        std::memcmp(cache.keys + e.keyStart, key, length * sizeof(Mask)) == 0)
      return slot;
  }
}

const PartCache::Entry& ClosedSetCounter::Engine::EntryOf(std::uint32_t slot) const {
  return cache.entries[(slot & ~Tag(~std::uint32_t{0})) - 1];
}

// Doubles the index, keeping it at most half full, and files every entry anew.
void ClosedSetCounter::Engine::GrowIndex() {
  ++cache.indexBits;
  std::memset(cache.index, 0, sizeof(std::uint32_t) << cache.indexBits);
  for (std::uint32_t i = 0; i < cache.entryCount; ++i) {
    const PartCache::Entry& e = cache.entries[i];
    IndexSlot(cache.keys + e.keyStart, static_cast<int>(e.keyLength), e.hash) =
        Tag(e.hash) | (i + 1);
  }
}

// Stores a counted part. A full cache is emptied rather than enlarged: its contents only save
// time, so the counts found afterwards are the same.
void ClosedSetCounter::Engine::Remember(const Mask* key, int length, std::uint32_t hash,
                                        SubsetCount count) {
  if (cache.entryCount == PartCache::entryCapacity ||
      cache.keyTop + static_cast<std::uint32_t>(length) > PartCache::keyCapacity) {
    EmptyCache();
    ++stats.cacheEmptied;
  }
  if (2 * (cache.entryCount + 1) > std::uint32_t{1} << cache.indexBits) GrowIndex();
  std::memcpy(cache.keys + cache.keyTop, key, length * sizeof(Mask));
  PartCache::Entry& e = cache.entries[cache.entryCount];
  e = {hash, cache.keyTop, static_cast<std::uint32_t>(length), {}};
  for (int i = 0; i < 3; ++i) e.count[i] = static_cast<std::uint32_t>(count >> (32 * i));
  IndexSlot(key, length, hash) = Tag(hash) | (cache.entryCount + 1);
  ++cache.entryCount;
  cache.keyTop += length;
}

namespace {

// Writes the key of a part and answers its length.
int PartKey(const Decisions& d, Mask part, const Links& links, Mask* key) {
  int length = 0;
  key[length++] = part;
  key[length++] = links.withImplied & part;
  key[length++] = links.withExcluded & part;
  for (Mask m = links.withImplied & part; m != 0; m &= m - 1)
    key[length++] = d.implied[Lowest(m)] & part;
  for (Mask m = links.withExcluded & part; m != 0; m &= m - 1)
    key[length++] = d.excluded[Lowest(m)] & part;
  return length;
}

}  // namespace

// Adds the decisions newIn and newOut and what they imply within `scope` (the undecided
// elements of the part being counted), to a fixed point; false when they contradict a rule.
// `linked` holds the links of the part. Deciding elements never links two elements that were
// not linked before, so only linked elements need a look.
bool ClosedSetCounter::Engine::Decide(Decisions& d, Mask newIn, Mask newOut, Mask scope,
                                      const Mask* linked) const {
  while ((newIn | newOut) != 0) {
    d.in |= newIn;
    d.out |= newOut;
    if ((d.in & d.out) != 0) return false;
    const Mask open = scope & ~(d.in | d.out);
    Mask forcedIn = 0, forcedOut = 0;
    for (Mask m = newIn; m != 0; m &= m - 1) {
      const int x = Lowest(m);
      forcedIn |= d.implied[x];
      forcedOut |= d.excluded[x] & open;
      // A partner that was in before this round has left its implication on x already.
      for (Mask p = rules.partners[x] & (newIn | (open & linked[x])); p != 0; p &= p - 1) {
        const int r = Lowest(p);
        const Mask c = rules.conclusions[x][r];
        if (Holds(newIn, r)) {
          forcedIn |= c;
        } else {
          d.implied[r] |= c;
          if ((c & d.out) != 0) forcedOut |= Bit(r);
        }
      }
    }
    for (Mask m = newOut; m != 0; m &= m - 1) {
      const int z = Lowest(m);
      for (Mask p = rules.concluders[z] & open & linked[z]; p != 0; p &= p - 1) {
        const int l = Lowest(p);
        const Mask others = rules.otherPremises[z][l];
        d.excluded[l] |= others;
        if ((others & d.in) != 0) forcedOut |= Bit(l);
      }
    }
    if (newOut != 0)
      for (Mask m = open; m != 0; m &= m - 1)
        if ((d.implied[Lowest(m)] & newOut) != 0) forcedOut |= LowestBit(m);
    newIn = forcedIn & ~d.in;
    newOut = forcedOut & ~d.out;
  }
  return true;
}

// Finds the links within the scope: through implications and exclusions, and through each
// pair of premises whose rules are not all satisfied. Only pairs linked before are looked at.
void ClosedSetCounter::Engine::FindLinks(const Decisions& d, Mask scope, const Mask* linkedBefore,
                                         Links& links) const {
  for (Mask m = scope; m != 0; m &= m - 1) {
    links.linked[Lowest(m)] = 0;
    links.occurrences[Lowest(m)] = 0;
  }
  links.withImplied = links.withExcluded = 0;
  for (Mask m = scope; m != 0; m &= m - 1) {
    const int x = Lowest(m);
    const Mask implied = d.implied[x] & scope, excluded = d.excluded[x] & scope;
    links.linked[x] |= implied | excluded;
    if (implied != 0) links.withImplied |= LowestBit(m);
    if (excluded != 0) {
      links.withExcluded |= LowestBit(m);
      links.occurrences[x] += Size(excluded);
    }
    for (Mask i = implied; i != 0; i &= i - 1) {
      links.linked[Lowest(i)] |= Bit(x);
      ++links.occurrences[Lowest(i)];
      ++links.occurrences[x];
    }
    const Mask later = ~((Bit(x) << 1) - 1);
    for (Mask p = rules.partners[x] & linkedBefore[x] & scope & later; p != 0; p &= p - 1) {
      const int r = Lowest(p);
      const Mask c = rules.conclusions[x][r];
      if ((c & ~d.in) == 0) continue;
      const Mask open = c & scope, pair = Bit(x) | Bit(r);
      links.linked[x] |= pair | open;
      links.linked[r] |= pair | open;
      for (Mask z = open; z != 0; z &= z - 1) {
        links.linked[Lowest(z)] |= pair;
        ++links.occurrences[Lowest(z)];
        ++links.occurrences[x];
        ++links.occurrences[r];
      }
    }
  }
  for (Mask m = scope; m != 0; m &= m - 1) links.linked[Lowest(m)] &= ~LowestBit(m);
}

int ClosedSetCounter::Engine::BranchElement(Mask part, const Links& links) const {
  auto score = [&](int e) { return links.occurrences[e] - rankWeight * rules.rank[e]; };
  int chosen = Lowest(part);
  for (Mask m = part & (part - 1); m != 0; m &= m - 1)
    if (score(Lowest(m)) > score(chosen)) chosen = Lowest(m);
  return chosen;
}

// Counts the closed assignments of one part: undecided elements all connected through the
// rules, implications and exclusions left on them. Branches on one element, in and out.
SubsetCount ClosedSetCounter::Engine::CountBranches(const Decisions& d, Mask part,
                                                    const Links& links) {
  ++stats.partsCounted;
  stats.largestPart = std::max(stats.largestPart, Size(part));
  const Mask chosen = Bit(BranchElement(part, links));
  SubsetCount count = 0;
  for (bool inside : {true, false}) {
    Decisions next;
    next.in = d.in;
    next.out = d.out;
    for (Mask m = part; m != 0; m &= m - 1) {
      next.implied[Lowest(m)] = d.implied[Lowest(m)];
      next.excluded[Lowest(m)] = d.excluded[Lowest(m)];
    }
    if (!Decide(next, inside ? chosen : 0, inside ? 0 : chosen, part, links.linked)) continue;
    count += CountResidual(next, part & ~(next.in | next.out), links.linked);
  }
  return count;
}

// Counts one part, through the cache.
SubsetCount ClosedSetCounter::Engine::CountPart(const Decisions& d, Mask part, const Links& links) {
  if (plain) return CountBranches(d, part, links);
  Mask key[PartCache::maxKeyLength];
  const int length = PartKey(d, part, links, key);
  const std::uint32_t hash = HashOf(key, length);
  if (std::uint32_t slot = IndexSlot(key, length, hash); slot != 0) {
    ++stats.cacheHits;
    return StoredCount(EntryOf(slot));
  }
  const SubsetCount count = CountBranches(d, part, links);
  Remember(key, length, hash, count);
  return count;
}

// Counts the undecided elements of `scope`: elements linked to none double the count, and
// parts linked to each other by nothing are counted apart and multiplied.
SubsetCount ClosedSetCounter::Engine::CountResidual(const Decisions& d, Mask scope,
                                                    const Mask* linkedBefore) {
  Links links;
  FindLinks(d, scope, linkedBefore, links);
  Mask touched = 0;
  for (Mask m = scope; m != 0; m &= m - 1) touched |= links.linked[Lowest(m)];
  SubsetCount count = SubsetCount{1} << Size(scope & ~touched);
  for (Mask rest = touched; rest != 0 && count != 0;) {
    const Mask part = plain ? rest : ConnectedPart(LowestBit(rest), links.linked);
    rest &= ~part;
    count *= CountPart(d, part, links);
  }
  return count;
}

// Fills the rule masks and the decisions before the first branch, when the only
// implications are those of rules with equal premises.
void ClosedSetCounter::Engine::LoadRules(int n, std::span<const Rule> list,
                                         std::span<const int> rankOf, Decisions& d) {
  for (int x = 0; x < n; ++x) {
    rules.partners[x] = rules.concluders[x] = 0;
    std::fill(rules.conclusions[x], rules.conclusions[x] + n, 0);
    std::fill(rules.otherPremises[x], rules.otherPremises[x] + n, 0);
    rules.rank[x] = rankOf.empty() ? 0 : rankOf[x];
  }
  for (const Rule& rule : list) {
    const int l = rule.left, r = rule.right, z = rule.result;
    assert(l < n && r < n && z < n);
    if (z == l || z == r) continue;  // the result is an argument: no subset breaks the rule
    rules.conclusions[l][r] |= Bit(z);
    rules.conclusions[r][l] |= Bit(z);
    if (l == r) continue;
    rules.partners[l] |= Bit(r);
    rules.partners[r] |= Bit(l);
    rules.concluders[z] |= Bit(l) | Bit(r);
    rules.otherPremises[z][l] |= Bit(r);
    rules.otherPremises[z][r] |= Bit(l);
  }
  d.in = d.out = 0;
  for (int x = 0; x < n; ++x) {
    d.implied[x] = rules.conclusions[x][x];
    d.excluded[x] = 0;
  }
}

SubsetCount ClosedSetCounter::Engine::Count(int n, std::span<const Rule> list,
                                            std::span<const int> rankOf) {
  assert(0 <= n && n <= maxElements);
  assert(rankOf.empty() || static_cast<int>(rankOf.size()) >= n);
  stats = {};
  EmptyCache();
  Decisions d;
  LoadRules(n, list, rankOf, d);
  Mask everyPair[maxElements];
  std::fill(everyPair, everyPair + maxElements, ~Mask{0});
  return CountResidual(d, FirstElements(n), everyPair);
}

ClosedSetCounter::ClosedSetCounter(Search search) : engine_(std::make_unique<Engine>(search)) {}

ClosedSetCounter::~ClosedSetCounter() = default;

SubsetCount ClosedSetCounter::Count(int n, std::span<const Rule> rules, std::span<const int> rank) {
  return engine_->Count(n, rules, rank);
}

const CounterStats& ClosedSetCounter::Stats() const {
  return engine_->stats;
}
