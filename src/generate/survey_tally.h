// What a survey of the lattices of one size finds: how many there are, how many have each
// number of sublattices, the lattices with the most sublattices and, when asked, every
// lattice with at least a given number. Nothing else is kept per lattice, so the memory does
// not grow with their number. The tallies of threads and of parts add up to the tally of the
// whole run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "generate/generated_lattice.h"

namespace mirelkon {

struct RankedLattice {
  std::uint64_t sublattices = 0;
  std::vector<CoverPair> covers;  // in increasing order
};

// More sublattices first, then the cover lists in increasing order. Different lattices of a
// survey never tie, so the lists do not depend on the order in which lattices were met.
bool RanksBefore(const RankedLattice& a, const RankedLattice& b);

struct SurveySettings {
  int size = 1;
  int top = 10;                          // lattices with the most sublattices to keep
  std::optional<std::uint64_t> atLeast;  // list the lattices with at least this many
  std::size_t listCapacity = 1000000;    // lattices of that list kept; the rest only counted
};

class SurveyTally {
 public:
  explicit SurveyTally(const SurveySettings& settings) : settings_(settings) {}

  // One lattice of the survey and its number of sublattices.
  void Add(std::uint64_t sublattices, const GeneratedLattice& lattice);

  // What a written survey reports: `lattices` lattices with `sublattices` sublattices each, a
  // lattice of its top list, a lattice of its list of those with at least the threshold.
  void AddLattices(std::uint64_t sublattices, std::uint64_t lattices);
  void OfferTop(const RankedLattice& lattice);
  void AddListed(const RankedLattice& lattice);

  void Merge(const SurveyTally& other);

  const SurveySettings& Settings() const { return settings_; }
  std::uint64_t Lattices() const { return lattices_; }
  // Number of sublattices -> lattices with that number, most sublattices first.
  const std::map<std::uint64_t, std::uint64_t, std::greater<>>& Distribution() const {
    return distribution_;
  }
  std::vector<RankedLattice> Top() const;     // best first
  std::vector<RankedLattice> Listed() const;  // best first
  // The lattices that reached the threshold, kept or not.
  std::uint64_t ListedCount() const { return listedCount_; }

 private:
  SurveySettings settings_;
  std::uint64_t lattices_ = 0;
  std::map<std::uint64_t, std::uint64_t, std::greater<>> distribution_;
  std::vector<RankedLattice> top_;  // a heap with the last-ranked lattice in front
  std::vector<RankedLattice> listed_;
  std::uint64_t listedCount_ = 0;
};

}  // namespace mirelkon
