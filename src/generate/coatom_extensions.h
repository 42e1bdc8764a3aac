// The ways to add one coatom to a parent lattice that may give a child whose new coatom is
// its canonical one.
//
// A new coatom c of the parent P (whose top becomes the top of the child) is given by its
// strict down-set D: a down-set of P without the top, holding the bottom, such that every
// element meets c (IsCoatomDownSet). The maximal elements of D, the lower covers of c, have
// the top as their pairwise joins; so the down-sets are found from the sets of elements
// pairwise joined to the top, as cliques of that relation.
//
// Two down-sets that an automorphism of P maps onto each other give isomorphic children, and
// only one of each such orbit is kept. The automorphisms are asked of nauty only when two
// down-sets share their invariants and permuting twin elements does not explain it.
#pragma once

#include <cstdint>
#include <vector>

#include "generate/canonical_coatom.h"
#include "generate/generated_lattice.h"
#include "generate/hasse_symmetry.h"

namespace mirelkon {

struct CoatomExtension {
  Mask below;    // the new coatom's strict down-set
  Mask covered;  // its lower covers, the maximal elements of `below`
  // The old coatoms that stay coatoms with a key equal to the new coatom's, which is the
  // largest: when there are any, nauty decides whether the new coatom is canonical.
  Mask tied;
};

struct ExtensionStats {
  std::uint64_t downSetsTried = 0;   // sets of elements pairwise joined to the top
  std::uint64_t groupsComputed = 0;  // parents whose automorphisms nauty was asked for

  ExtensionStats& operator+=(const ExtensionStats& other) {
    downSetsTried += other.downSetsTried;
    groupsComputed += other.groupsComputed;
    return *this;
  }
};

class ExtensionFinder {
 public:
  // Replaces `found` by one extension from each orbit, under the automorphisms of the parent
  // (of at least two elements), of the down-sets whose new coatom has a key at least as large
  // as that of every coatom of the child: no other can be canonical.
  void Find(const GeneratedLattice& parent, std::vector<CoatomExtension>& found,
            ExtensionStats& stats);

 private:
  struct Candidate {
    CoatomExtension extension;
    std::uint64_t signature;  // equal for down-sets an automorphism maps onto each other
  };
  struct Parent;

  void Consider(const Parent& parent, Mask covered, Mask below);
  void KeepOnePerOrbit(const Parent& parent, ExtensionStats& stats);
  bool SignaturesRepeat();
  // The least image of a down-set under the permutations of twins.
  Mask TwinCanonical(Mask below) const;
  void JoinAllOrbits();
  void JoinOrbits(int first, int last);
  // By signature, then by down-set; a type of its own, so that sorting inlines it.
  struct Precedes {
    bool operator()(const Candidate& a, const Candidate& b) const {
      return a.signature != b.signature ? a.signature < b.signature
                                        : a.extension.below < b.extension.below;
    }
  };

  std::vector<Candidate> candidates_;
  std::vector<std::uint64_t> seen_;  // the table of SignaturesRepeat
  std::vector<Mask> twinClasses_;
  std::vector<Permutation> generators_;
  std::vector<int> orbitRoot_;
};

}  // namespace mirelkon
