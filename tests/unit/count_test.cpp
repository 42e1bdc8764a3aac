// The closure test on single subsets and the three result lines of a job.
#include "model/count.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "captured_report.h"
#include "count_test_support.h"

namespace {

CandidateSubset SubsetOf(std::initializer_list<int> elements) {
  CandidateSubset subset{};
  for (int e : elements) subset[e] = true;
  return subset;
}

}  // namespace

TEST(CountIsClosed, HoldsExactlyWhenEveryRuleIsMet) {
  struct Case {
    std::vector<JobRule> rules;
    CandidateSubset subset;
    bool closed;
  };
  const std::vector<JobRule> triple = {{1, 2, 3}};
  const std::vector<JobRule> chain = {{1, 1, 2}, {2, 2, 3}, {3, 3, 4}};
  const Case cases[] = {
      {triple, SubsetOf({}), true},
      {triple, SubsetOf({1}), true},
      {triple, SubsetOf({1, 2}), false},
      {triple, SubsetOf({1, 2, 3}), true},
      {triple, SubsetOf({2, 3}), true},
      {{{1, 2, 1}, {2, 1, 2}}, SubsetOf({1, 2}), true},  // the result is an argument
      {{{2, 2, 1}}, SubsetOf({2}), false},               // equal arguments: an implication
      {chain, SubsetOf({2, 3, 4}), true},
      {chain, SubsetOf({1, 2, 4}), false},  // only the middle rule is broken
      {chain, SubsetOf({1, 2, 3}), false},  // only the last rule is broken
      {{}, SubsetOf({1, 3}), true},
  };
  for (const Case& c : cases) {
    SetJob(4, c.rules);
    EXPECT_EQ(IsClosed(c.subset), c.closed) << "rules: " << c.rules.size();
  }
}

TEST(CountSubuniverses, WritesTheResultLinesWithSigmaScaledBySubtrahend) {
  // 1 -> 2 -> 3 has 4 closed subsets and 4 -> 5 has 3: 12 in all on five elements.
  const std::vector<JobRule> twelve = {{1, 1, 2}, {2, 2, 3}, {4, 4, 5}};
  struct Case {
    int n;
    std::vector<JobRule> rules;
    int subtrahend;
    std::string countText, sigmaText;
  };
  const Case cases[] = {
      {5, twelve, 0, "12", "   0.3750000000000000"},
      {5, twelve, 5, "12", "  12.0000000000000000"},
      {5, twelve, 7, "12", "  48.0000000000000000"},
      {5, twelve, 20, "12", "393216.0000000000000000"},  // wider than the field
      {3, {}, 2, "8", "   4.0000000000000000"},
      {0, {}, 0, "1", "   1.0000000000000000"},  // the empty set only
      {30, {}, 0, "1073741824", "   1.0000000000000000"},
      {30, {}, 20, "1073741824", "1048576.0000000000000000"},
      {1, {}, 0, "2", "   1.0000000000000000"},
      {64, {}, 0, "18446744073709551616", "   1.0000000000000000"},
      {64, {}, 20, "18446744073709551616", "1048576.0000000000000000"},
      {64, {{1, 2, 3}}, 0, "16140901064495857664", "   0.8750000000000000"},  // 2^64 - 2^61
  };
  for (const Case& c : cases) {
    CapturedReport captured;
    SetJob(c.n, c.rules);
    job.nameOfL = "M_6";
    run.subtrahend = c.subtrahend;
    CountSubuniverses();
    const std::string expected = "-- Result:   |Sub(L)|=" + c.countText +
                                 " for the partial lattice\r\n-- M_6. Thus,\r\n"
                                 "sigma(L) = |Sub(L)|*2^(" +
                                 std::to_string(c.subtrahend) + "-|L|) = " + c.sigmaText + " .\r\n";
    EXPECT_EQ(captured.Screen(), expected);
    EXPECT_EQ(captured.Result(), expected);
  }
  run.subtrahend = 0;
}

TEST(CountSubuniverses, WritesAllThreeScreenLinesBeforeTheFileLines) {
  CapturedReport captured;
  std::FILE* resultFile = report.resultFile;
  report.resultFile = report.screen;  // one stream shows the order of the two outputs
  SetJob(2, {{1, 1, 2}});
  job.nameOfL = "two";
  run.subtrahend = 2;
  CountSubuniverses();
  report.resultFile = resultFile;
  const std::string lines =
      "-- Result:   |Sub(L)|=3 for the partial lattice\r\n-- two. Thus,\r\n"
      "sigma(L) = |Sub(L)|*2^(2-|L|) =    3.0000000000000000 .\r\n";
  EXPECT_EQ(captured.Screen(), lines + lines);
  run.subtrahend = 0;
}
