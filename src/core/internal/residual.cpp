// Rule masks, propagation, links and keys of the residual problem.
#include "core/internal/residual.h"

#include <algorithm>
#include <cassert>

namespace mirelkon {

namespace {

template <class Set>
void AddImplications(Decisions<Set>& d, int r, Set results, Set scope) {
  d.implied[r] |= results;
  for (Set m = results & scope; m != 0; m &= m - 1) d.implying[Lowest(m)] |= ElementBit<Set>(r);
}

}  // namespace

template <class Set, class R>
void LoadRules(int n, std::span<const R> list, RuleMasks<Set>& rules, Decisions<Set>& d) {
  for (int x = 0; x < n; ++x) {
    rules.partners[x] = rules.results[x] = rules.concluders[x] = 0;
    std::fill(rules.conclusions[x], rules.conclusions[x] + n, 0);
    std::fill(rules.otherPremises[x], rules.otherPremises[x] + n, 0);
  }
  for (const R& rule : list) {
    const int l = rule.left, r = rule.right, z = rule.result;
    assert(l < n && r < n && z < n);
    if (z == l || z == r) continue;  // the result is an argument: no subset breaks the rule
    rules.conclusions[l][r] |= ElementBit<Set>(z);
    rules.conclusions[r][l] |= ElementBit<Set>(z);
    if (l == r) continue;
    rules.partners[l] |= ElementBit<Set>(r);
    rules.partners[r] |= ElementBit<Set>(l);
    rules.results[l] |= ElementBit<Set>(z);
    rules.results[r] |= ElementBit<Set>(z);
    rules.concluders[z] |= ElementBit<Set>(l) | ElementBit<Set>(r);
    rules.otherPremises[z][l] |= ElementBit<Set>(r);
    rules.otherPremises[z][r] |= ElementBit<Set>(l);
  }
  d.in = d.out = 0;
  for (int x = 0; x < n; ++x) d.implied[x] = d.implying[x] = d.excluded[x] = 0;
  for (int x = 0; x < n; ++x) AddImplications(d, x, rules.conclusions[x][x], ElementsBelow<Set>(n));
}

template <class Set>
void CopyPart(const Decisions<Set>& from, Set part, Decisions<Set>& to) {
  to.in = from.in;
  to.out = from.out;
  for (Set m = part; m != 0; m &= m - 1) {
    const int x = Lowest(m);
    to.implied[x] = from.implied[x];
    to.implying[x] = from.implying[x];
    to.excluded[x] = from.excluded[x];
  }
}

// Deciding elements never links two elements that were not linked before, so only linked
// elements need a look.
template <class Set>
bool Decide(const RuleMasks<Set>& rules, Decisions<Set>& d, Set newIn, Set newOut, Set scope,
            const Set* linked) {
  while ((newIn | newOut) != 0) {
    d.in |= newIn;
    d.out |= newOut;
    if ((d.in & d.out) != 0) return false;
    const Set open = scope & ~(d.in | d.out);
    Set forcedIn = 0, forcedOut = 0;
    for (Set m = newIn; m != 0; m &= m - 1) {
      const int x = Lowest(m);
      forcedIn |= d.implied[x];
      forcedOut |= d.excluded[x] & open;
      // A partner that was in before this round has left its implication on x already.
      for (Set p = rules.partners[x] & (newIn | (open & linked[x])); p != 0; p &= p - 1) {
        const int r = Lowest(p);
        const Set c = rules.conclusions[x][r];
        if (Holds(newIn, r)) {
          forcedIn |= c;
        } else {
          AddImplications(d, r, c, scope);
          if ((c & d.out) != 0) forcedOut |= ElementBit<Set>(r);
        }
      }
    }
    for (Set m = newOut; m != 0; m &= m - 1) {
      const int z = Lowest(m);
      forcedOut |= d.implying[z] & open;
      for (Set p = rules.concluders[z] & open & linked[z]; p != 0; p &= p - 1) {
        const int l = Lowest(p);
        const Set others = rules.otherPremises[z][l];
        d.excluded[l] |= others;
        if ((others & d.in) != 0) forcedOut |= ElementBit<Set>(l);
      }
    }
    newIn = forcedIn & ~d.in;
    newOut = forcedOut & ~d.out;
  }
  return true;
}

// Through implications and exclusions, and through each pair of premises with an open rule.
// Only pairs linked before are looked at.
template <class Set>
void LinkPart(const RuleMasks<Set>& rules, const Decisions<Set>& d, Set part,
              const Set* linkedBefore, Links<Set>& links) {
  for (Set m = part; m != 0; m &= m - 1) {
    const int x = Lowest(m);
    links.linked[x] = 0;
    links.premises[x] = links.results[x] = links.binaries[x] = 0;
  }
  for (Set m = part; m != 0; m &= m - 1) {
    const int x = Lowest(m);
    const Set implied = d.implied[x] & part, excluded = d.excluded[x] & part;
    links.linked[x] |= implied | excluded;
    if (excluded != 0) links.binaries[x] += Size(excluded);
    for (Set i = implied; i != 0; i &= i - 1) {
      links.linked[Lowest(i)] |= ElementBit<Set>(x);
      ++links.binaries[Lowest(i)];
      ++links.binaries[x];
    }
    const Set later = ~((ElementBit<Set>(x) << 1) - 1);
    for (Set p = rules.partners[x] & linkedBefore[x] & part & later & ~excluded; p != 0;
         p &= p - 1) {
      const int r = Lowest(p);
      const Set open = rules.conclusions[x][r] & part & ~d.implied[x] & ~d.implied[r];
      if (open == 0) continue;
      const Set pair = ElementBit<Set>(x) | ElementBit<Set>(r);
      links.linked[x] |= pair | open;
      links.linked[r] |= pair | open;
      for (Set z = open; z != 0; z &= z - 1) {
        links.linked[Lowest(z)] |= pair;
        ++links.results[Lowest(z)];
        ++links.premises[x];
        ++links.premises[r];
      }
    }
  }
  for (Set m = part; m != 0; m &= m - 1) {
    links.linked[Lowest(m)] &= ~LowestBit(m);
    assert((links.linked[Lowest(m)] & ~part) == 0);  // links stay within the part
  }
}

// Every constraint is a pattern of places no closed subset holds: an implication i => j rules
// out the subsets with i but not j, an exclusion those with both, a rule (i, j, z) those with
// i and j but not z. With the subsets as the bits of one word, each pattern is a few ands.
template <class Set>
std::uint64_t ClosedSubsetsOfSmallPart(const RuleMasks<Set>& rules, const Decisions<Set>& d,
                                       Set part) {
  int place[Decisions<Set>::capacity];  // set for the elements of the part only
  int k = 0;
  for (Set m = part; m != 0; m &= m - 1) place[Lowest(m)] = k++;
  assert(k <= smallPartElements);
  const auto holdingAll = [&](Set elements) {
    std::uint64_t holding = ~std::uint64_t{0};
    for (Set m = elements; m != 0; m &= m - 1) holding &= subsetsHolding[place[Lowest(m)]];
    return holding;
  };
  const auto holdingAny = [&](Set elements) {
    std::uint64_t holding = 0;
    for (Set m = elements; m != 0; m &= m - 1) holding |= subsetsHolding[place[Lowest(m)]];
    return holding;
  };
  std::uint64_t broken = 0;
  for (Set m = part; m != 0; m &= m - 1) {
    const int x = Lowest(m);
    const std::uint64_t withX = subsetsHolding[place[x]];
    broken |= withX & ~holdingAll(d.implied[x] & part);
    broken |= withX & holdingAny(d.excluded[x] & part);
    for (Set p = rules.partners[x] & part & (m & (m - 1)); p != 0; p &= p - 1) {
      const int r = Lowest(p);
      broken |= withX & subsetsHolding[place[r]] & ~holdingAll(rules.conclusions[x][r] & part);
    }
  }
  const std::uint64_t subsets = k == 6 ? ~std::uint64_t{0} : (std::uint64_t{1} << (1 << k)) - 1;
  return subsets & ~broken;
}

template <class Set>
void FindKey(const Decisions<Set>& d, Set part, PartKey<Set>& key) {
  constexpr std::uint64_t spread = 0x9E3779B97F4A7C15u;
  Set withImplied = 0, withExcluded = 0, excluded[Decisions<Set>::capacity];
  int implications = 0, exclusions = 0;
  std::uint64_t h = 0;
  for (Set m = part; m != 0; m &= m - 1) {
    const Set i = d.implied[Lowest(m)] & part, e = d.excluded[Lowest(m)] & part;
    if (i != 0) {
      withImplied |= LowestBit(m);
      key.words[3 + implications++] = i;
      h = (h ^ Folded(i)) * spread;
    }
    if (e != 0) {
      withExcluded |= LowestBit(m);
      excluded[exclusions++] = e;
    }
  }
  for (int k = 0; k < exclusions; ++k) {
    key.words[3 + implications + k] = excluded[k];
    h = (h ^ Folded(excluded[k])) * spread;
  }
  key.words[0] = part;
  key.words[1] = withImplied;
  key.words[2] = withExcluded;
  key.length = 3 + implications + exclusions;
  assert(key.length <= PartKey<Set>::maxLength);
  h = (h ^ Folded(part) ^ (Folded(withImplied) << 1) ^ (Folded(withExcluded) << 2) ^
       std::uint64_t(key.length)) *
      spread;
  h ^= h >> 32;
  h *= 0xFF51AFD7ED558CCDu;
  key.hash = h ^ (h >> 29);
}

// The sets the counter is built for: a 64-bit mask with its byte-numbered rules, and wide
// sets of 2, 4, 8 and 16 words with rules numbered by 16 bits.
#define MIRELKON_RESIDUAL_FOR(Set, R)                                                           \
  template void LoadRules(int, std::span<const R>, RuleMasks<Set>&, Decisions<Set>&);           \
  template void CopyPart(const Decisions<Set>&, Set, Decisions<Set>&);                          \
  template bool Decide(const RuleMasks<Set>&, Decisions<Set>&, Set, Set, Set, const Set*);      \
  template void LinkPart(const RuleMasks<Set>&, const Decisions<Set>&, Set, const Set*,         \
                         Links<Set>&);                                                          \
  template void FindKey(const Decisions<Set>&, Set, PartKey<Set>&);                             \
  template std::uint64_t ClosedSubsetsOfSmallPart(const RuleMasks<Set>&, const Decisions<Set>&, \
                                                  Set);
MIRELKON_RESIDUAL_FOR(Mask, Rule)
MIRELKON_RESIDUAL_FOR(WideSet<2>, WideRule)
MIRELKON_RESIDUAL_FOR(WideSet<4>, WideRule)
MIRELKON_RESIDUAL_FOR(WideSet<8>, WideRule)
MIRELKON_RESIDUAL_FOR(WideSet<16>, WideRule)
#undef MIRELKON_RESIDUAL_FOR

}  // namespace mirelkon
