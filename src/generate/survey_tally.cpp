// Adding lattices and tallies to a survey.
#include "generate/survey_tally.h"

#include <algorithm>

namespace mirelkon {

bool RanksBefore(const RankedLattice& a, const RankedLattice& b) {
  if (a.sublattices != b.sublattices) return a.sublattices > b.sublattices;
  return a.covers < b.covers;
}

void SurveyTally::Add(std::uint64_t sublattices, const GeneratedLattice& lattice) {
  ++lattices_;
  ++distribution_[sublattices];
  const bool listed = settings_.atLeast && sublattices >= *settings_.atLeast;
  // Most lattices rank below the whole top list: their covers are never written out.
  const bool mayRank = static_cast<int>(top_.size()) < settings_.top ||
                       (settings_.top > 0 && sublattices >= top_.front().sublattices);
  if (!listed && !mayRank) return;
  const RankedLattice ranked{sublattices, CoverPairs(lattice)};
  if (mayRank) OfferTop(ranked);
  if (listed) AddListed(ranked);
}

void SurveyTally::AddLattices(std::uint64_t sublattices, std::uint64_t lattices) {
  lattices_ += lattices;
  distribution_[sublattices] += lattices;
}

void SurveyTally::OfferTop(const RankedLattice& lattice) {
  if (settings_.top <= 0) return;
  if (static_cast<int>(top_.size()) == settings_.top) {
    if (!RanksBefore(lattice, top_.front())) return;
    std::pop_heap(top_.begin(), top_.end(), RanksBefore);
    top_.pop_back();
  }
  top_.push_back(lattice);
  std::push_heap(top_.begin(), top_.end(), RanksBefore);
}

void SurveyTally::AddListed(const RankedLattice& lattice) {
  ++listedCount_;
  if (listed_.size() < settings_.listCapacity) listed_.push_back(lattice);
}

void SurveyTally::Merge(const SurveyTally& other) {
  lattices_ += other.lattices_;
  for (const auto& [sublattices, lattices] : other.distribution_)
    distribution_[sublattices] += lattices;
  for (const RankedLattice& lattice : other.top_) OfferTop(lattice);
  for (const RankedLattice& lattice : other.listed_)
    if (listed_.size() < settings_.listCapacity) listed_.push_back(lattice);
  listedCount_ += other.listedCount_;
}

std::vector<RankedLattice> SurveyTally::Top() const {
  std::vector<RankedLattice> sorted = top_;
  std::sort(sorted.begin(), sorted.end(), RanksBefore);
  return sorted;
}

std::vector<RankedLattice> SurveyTally::Listed() const {
  std::vector<RankedLattice> sorted = listed_;
  std::sort(sorted.begin(), sorted.end(), RanksBefore);
  return sorted;
}

}  // namespace mirelkon
