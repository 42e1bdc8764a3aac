// Survey tallies: the same lattices give the same distribution and the same lists whether
// they come in one order or another, to one tally or split over several that are merged;
// the threshold list keeps at most its capacity and counts the rest.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "generate/lattice_generator.h"
#include "generate/sublattice_counter.h"
#include "generate/survey_tally.h"

namespace mirelkon {

namespace {

struct Counted {
  std::uint64_t sublattices;
  GeneratedLattice lattice;
};

std::vector<Counted> LatticesOf(int n) {
  std::vector<Counted> all;
  SublatticeCounter counter;
  LatticeGenerator generator(PlanGeneration(n, 0, 1, 1));
  generator.Run([&](const GeneratedLattice& l) { all.push_back({counter.Count(l), l}); });
  return all;
}

void ExpectSameTally(const SurveyTally& a, const SurveyTally& b) {
  EXPECT_EQ(a.Lattices(), b.Lattices());
  EXPECT_EQ(a.Distribution(), b.Distribution());
  const auto covers = [](const std::vector<RankedLattice>& list) {
    std::vector<std::vector<CoverPair>> all;
    for (const RankedLattice& l : list) all.push_back(l.covers);
    return all;
  };
  EXPECT_EQ(covers(a.Top()), covers(b.Top()));
  EXPECT_EQ(covers(a.Listed()), covers(b.Listed()));
  EXPECT_EQ(a.ListedCount(), b.ListedCount());
}

TEST(SurveyTally, OrderAndSplitDoNotChangeTheResult) {
  const std::vector<Counted> lattices = LatticesOf(8);
  // The top list of 8 ends inside the run of four lattices with 184 sublattices, so ties
  // must be broken the same way every time.
  const SurveySettings settings{8, 8, 170, 1000};
  SurveyTally forward(settings), backward(settings), merged(settings);
  for (const Counted& c : lattices) forward.Add(c.sublattices, c.lattice);
  for (auto c = lattices.rbegin(); c != lattices.rend(); ++c)
    backward.Add(c->sublattices, c->lattice);
  std::vector<SurveyTally> shares(3, SurveyTally(settings));
  for (std::size_t i = 0; i < lattices.size(); ++i)
    shares[i % 3].Add(lattices[i].sublattices, lattices[i].lattice);
  for (const SurveyTally& share : shares) merged.Merge(share);

  ASSERT_EQ(forward.Lattices(), 222u);
  ASSERT_EQ(forward.Top().size(), 8u);
  ASSERT_EQ(forward.Top()[6].sublattices, 184u);
  ASSERT_EQ(forward.Top()[7].sublattices, 184u);
  ASSERT_EQ(forward.ListedCount(), 15u);
  ExpectSameTally(forward, backward);
  ExpectSameTally(forward, merged);
  for (std::size_t i = 1; i < forward.Listed().size(); ++i)
    EXPECT_TRUE(RanksBefore(forward.Listed()[i - 1], forward.Listed()[i]));
}

TEST(SurveyTally, TheListKeepsItsCapacityAndCountsTheRest) {
  SurveyTally tally(SurveySettings{8, 0, 0, 5});
  for (const Counted& c : LatticesOf(8)) tally.Add(c.sublattices, c.lattice);
  EXPECT_EQ(tally.ListedCount(), 222u);
  EXPECT_EQ(tally.Listed().size(), 5u);
  EXPECT_TRUE(tally.Top().empty());
}

}  // namespace

}  // namespace mirelkon
