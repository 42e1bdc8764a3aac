// Rule masks, propagation, links and keys of the residual problem.
#include "core/internal/residual.h"

#include <algorithm>
#include <cassert>

namespace mirelkon {

namespace {

void AddImplications(Decisions& d, int r, Mask results, Mask scope) {
  d.implied[r] |= results;
  for (Mask m = results & scope; m != 0; m &= m - 1) d.implying[Lowest(m)] |= Bit(r);
}

// The candidates that share an open clause with x; `open` holds the undecided elements.
Mask LinkedTo(const RuleMasks& rules, const Decisions& d, int x, Mask open, Mask candidates) {
  Mask found = (d.implied[x] | d.implying[x] | d.excluded[x]) & candidates;
  // Rules (x, r, z): linked to r, ...
  for (Mask m = rules.partners[x] & candidates & ~found & ~d.excluded[x]; m != 0; m &= m - 1) {
    const int r = Lowest(m);
    if ((rules.conclusions[x][r] & open & ~d.implied[x] & ~d.implied[r]) != 0)
      found |= LowestBit(m);
  }
  // ... and to z, ...
  for (Mask m = rules.results[x] & candidates & ~found & ~d.implied[x]; m != 0; m &= m - 1) {
    const int z = Lowest(m);
    if ((rules.otherPremises[z][x] & open & ~d.excluded[x] & ~d.implying[z]) != 0)
      found |= LowestBit(m);
  }
  // ... and rules (l, r, x) to l.
  for (Mask m = rules.concluders[x] & candidates & ~found & ~d.implying[x]; m != 0; m &= m - 1) {
    const int l = Lowest(m);
    if ((rules.otherPremises[x][l] & open & ~d.excluded[l] & ~d.implying[x]) != 0)
      found |= LowestBit(m);
  }
  return found;
}

}  // namespace

void LoadRules(int n, std::span<const Rule> list, RuleMasks& rules, Decisions& d) {
  for (int x = 0; x < n; ++x) {
    rules.partners[x] = rules.results[x] = rules.concluders[x] = 0;
    std::fill(rules.conclusions[x], rules.conclusions[x] + n, 0);
    std::fill(rules.otherPremises[x], rules.otherPremises[x] + n, 0);
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
    rules.results[l] |= Bit(z);
    rules.results[r] |= Bit(z);
    rules.concluders[z] |= Bit(l) | Bit(r);
    rules.otherPremises[z][l] |= Bit(r);
    rules.otherPremises[z][r] |= Bit(l);
  }
  d.in = d.out = 0;
  for (int x = 0; x < n; ++x) d.implied[x] = d.implying[x] = d.excluded[x] = 0;
  for (int x = 0; x < n; ++x) AddImplications(d, x, rules.conclusions[x][x], FirstElements(n));
}

void CopyPart(const Decisions& from, Mask part, Decisions& to) {
  to.in = from.in;
  to.out = from.out;
  for (Mask m = part; m != 0; m &= m - 1) {
    const int x = Lowest(m);
    to.implied[x] = from.implied[x];
    to.implying[x] = from.implying[x];
    to.excluded[x] = from.excluded[x];
  }
}

// Deciding elements never links two elements that were not linked before, so only linked
// elements need a look.
bool Decide(const RuleMasks& rules, Decisions& d, Mask newIn, Mask newOut, Mask scope,
            const Mask* linked) {
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
          AddImplications(d, r, c, scope);
          if ((c & d.out) != 0) forcedOut |= Bit(r);
        }
      }
    }
    for (Mask m = newOut; m != 0; m &= m - 1) {
      const int z = Lowest(m);
      forcedOut |= d.implying[z] & open;
      for (Mask p = rules.concluders[z] & open & linked[z]; p != 0; p &= p - 1) {
        const int l = Lowest(p);
        const Mask others = rules.otherPremises[z][l];
        d.excluded[l] |= others;
        if ((others & d.in) != 0) forcedOut |= Bit(l);
      }
    }
    newIn = forcedIn & ~d.in;
    newOut = forcedOut & ~d.out;
  }
  return true;
}

// Found breadth first, looking at each element's links only towards elements not reached
// yet; most residual problems do not split, and the search stops once all are reached.
Mask PartOf(const RuleMasks& rules, const Decisions& d, Mask seed, Mask open, Mask rest,
            const Mask* linkedBefore) {
  Mask part = seed;
  for (Mask todo = seed; todo != 0 && part != rest;) {
    const int x = Lowest(todo);
    const Mask found = LinkedTo(rules, d, x, open, rest & ~part & linkedBefore[x]);
    part |= found;
    todo = (todo & (todo - 1)) | found;
  }
  assert((part & ~rest) == 0 && (part & (d.in | d.out)) == 0);
  return part;
}

// Through implications and exclusions, and through each pair of premises with an open rule.
// Only pairs linked before are looked at.
void LinkPart(const RuleMasks& rules, const Decisions& d, Mask part, const Mask* linkedBefore,
              Links& links) {
  for (Mask m = part; m != 0; m &= m - 1) {
    links.linked[Lowest(m)] = 0;
    links.occurrences[Lowest(m)] = 0;
  }
  for (Mask m = part; m != 0; m &= m - 1) {
    const int x = Lowest(m);
    const Mask implied = d.implied[x] & part, excluded = d.excluded[x] & part;
    links.linked[x] |= implied | excluded;
    if (excluded != 0) links.occurrences[x] += Size(excluded);
    for (Mask i = implied; i != 0; i &= i - 1) {
      links.linked[Lowest(i)] |= Bit(x);
      ++links.occurrences[Lowest(i)];
      ++links.occurrences[x];
    }
    const Mask later = ~((Bit(x) << 1) - 1);
    for (Mask p = rules.partners[x] & linkedBefore[x] & part & later & ~excluded; p != 0;
         p &= p - 1) {
      const int r = Lowest(p);
      const Mask open = rules.conclusions[x][r] & part & ~d.implied[x] & ~d.implied[r];
      if (open == 0) continue;
      const Mask pair = Bit(x) | Bit(r);
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
  for (Mask m = part; m != 0; m &= m - 1) {
    links.linked[Lowest(m)] &= ~LowestBit(m);
    assert((links.linked[Lowest(m)] & ~part) == 0);  // links stay within the part
  }
}

void FindKey(const Decisions& d, Mask part, PartKey& key) {
  constexpr std::uint64_t spread = 0x9E3779B97F4A7C15u;
  Mask withImplied = 0, withExcluded = 0, excluded[maxElements];
  int implications = 0, exclusions = 0;
  std::uint64_t h = 0;
  for (Mask m = part; m != 0; m &= m - 1) {
    const Mask i = d.implied[Lowest(m)] & part, e = d.excluded[Lowest(m)] & part;
    if (i != 0) {
      withImplied |= LowestBit(m);
      key.words[3 + implications++] = i;
      h = (h ^ i) * spread;
    }
    if (e != 0) {
      withExcluded |= LowestBit(m);
      excluded[exclusions++] = e;
    }
  }
  for (int k = 0; k < exclusions; ++k) {
    key.words[3 + implications + k] = excluded[k];
    h = (h ^ excluded[k]) * spread;
  }
  key.words[0] = part;
  key.words[1] = withImplied;
  key.words[2] = withExcluded;
  key.length = 3 + implications + exclusions;
  assert(key.length <= PartKey::maxLength);
  h = (h ^ part ^ (withImplied << 1) ^ (withExcluded << 2) ^ std::uint64_t(key.length)) * spread;
  h ^= h >> 32;
  h *= 0xFF51AFD7ED558CCDu;
  key.hash = h ^ (h >> 29);
}

}  // namespace mirelkon
