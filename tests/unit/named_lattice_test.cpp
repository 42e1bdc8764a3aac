// Lattices and partial lattices built from named elements: what they hold, each refusal with
// the names it gives, and a count stopped on request.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/count.h"
#include "named/named_lattice.h"

namespace mirelkon {

namespace {

const std::vector<std::string> pentagon = {"0", "a", "b", "c", "1"};
const std::vector<ElementPair> pentagonCovers = {{0, 1}, {1, 3}, {3, 4}, {0, 2}, {2, 4}};

std::string Refusal(const std::vector<std::string>& names, const std::vector<ElementPair>& pairs) {
  try {
    LatticeFromPairs(names, pairs);
  } catch (const std::invalid_argument& error) {
    return error.what();
  }
  return "accepted";
}

TEST(NamedLattice, PentagonHasItsTablesBoundsAndCount) {
  const NamedLattice n5 = LatticeFromPairs(pentagon, pentagonCovers);
  EXPECT_EQ(n5.bottom, 0);
  EXPECT_EQ(n5.top, 4);
  EXPECT_EQ(n5.tables.join[1][2], 4);
  EXPECT_EQ(n5.tables.meet[3][2], 0);
  ClosedSetCounter counter;
  EXPECT_EQ(CountSubuniverses(counter, n5.order, n5.equations), 23u);
  EXPECT_EQ(CountSubuniversesHolding(counter, n5.Size(), n5.equations, Bit(0) | Bit(4)), 8u);
}

TEST(NamedLattice, RefusalsNameTheElements) {
  const std::vector<std::string> four = {"0", "a", "b", "1"};
  const struct {
    std::vector<std::string> names;
    std::vector<ElementPair> pairs;
    std::string refusal;
  } cases[] = {
      {{"0", "a", "b"}, {{0, 1}, {0, 2}}, "not a lattice: a and b have no upper bound"},
      {four, {{0, 1}, {1, 3}, {3, 0}, {0, 2}}, "not a lattice: 0 and a are each below the other"},
      {{"0", "a", "b", "c", "d"},
       {{0, 1}, {0, 2}, {1, 3}, {2, 3}, {1, 4}, {2, 4}},
       "not a lattice: a and b have two minimal upper bounds, c and d"},
      {four, {{1, 1}}, "a is given below itself"},
      {four, {{0, 7}}, "no element is numbered 7"},
      {{}, {}, "a lattice has at least one element"},
      {std::vector<std::string>(65, "x"), {}, "65 elements, more than the 64 a lattice may have"},
  };
  for (const auto& c : cases) EXPECT_EQ(Refusal(c.names, c.pairs), c.refusal);
}

TEST(NamedPartialLattice, DerivesAndRefusesASecondValue) {
  const std::vector<ElementPair> covers = {{0, 1}, {0, 2}, {1, 3}, {2, 3}, {3, 4}};
  const std::vector<std::string> names = {"0", "a", "b", "c", "1"};
  const NamedPartialLattice partial =
      PartialLatticeFromPairs(names, covers, {{1, 2, 3, '+'}, {1, 2, 0, '*'}}, "");
  EXPECT_EQ(partial.derivation.typedCount, 2);
  try {
    PartialLatticeFromPairs(names, covers, {{1, 2, 3, '+'}, {2, 1, 4, '+'}}, "");
    FAIL() << "a second value was accepted";
  } catch (const std::invalid_argument& error) {
    EXPECT_STREQ(error.what(), "a + b has two values, c and 1");
  }
  EXPECT_THROW(PartialLatticeFromPairs(names, covers, {{1, 2, 3, '&'}}, ""), std::invalid_argument);
  const std::vector<ElementPair> cycle = {{1, 2}, {2, 1}};
  EXPECT_THROW(PartialLatticeFromPairs(names, cycle, {}, ""), std::invalid_argument);
}

TEST(ClosedSetCounter, StopsWhenAsked) {
  std::stop_source source;
  ClosedSetCounter counter;
  counter.SetStopToken(source.get_token());
  const std::vector<Rule> rules = {{0, 1, 2}};
  EXPECT_EQ(counter.Count(3, rules), 7u);
  source.request_stop();
  EXPECT_THROW(counter.Count(3, rules), CountStopped);
}

}  // namespace

}  // namespace mirelkon
