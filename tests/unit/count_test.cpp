// The oracle's closure test on single subsets, and the three result lines of a job.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "../fuzz/run_input.h"
#include "captured_report.h"
#include "count_test_support.h"
#include "mirelkon/job_run.h"

namespace mirelkon {

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
    EXPECT_EQ(IsClosed(c.rules, c.subset), c.closed) << "rules: " << c.rules.size();
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
    const auto lines = ResultLines(CountRules(c.n, c.rules), c.n, "M_6", c.subtrahend);
    EXPECT_EQ(lines[0], "-- Result:   |Sub(L)|=" + c.countText + " for the partial lattice");
    EXPECT_EQ(lines[1], "-- M_6. Thus,");
    EXPECT_EQ(lines[2], "sigma(L) = |Sub(L)|*2^(" + std::to_string(c.subtrahend) +
                            "-|L|) = " + c.sigmaText + " .");
  }
}

TEST(CountSubuniverses, WritesAllThreeScreenLinesBeforeTheFileLines) {
  CapturedReport captured;
  std::FILE* resultFile = captured.channel.resultFile;
  captured.channel.resultFile = captured.channel.screen;  // one stream shows the order
  const std::string input =
      "\\verbose=false\n\\subtrahend-in-exponent=2\n\\operationsymbols=f\n\\beginjob\n"
      "\\name\ntwo\n\\size\n2\n\\elements\nab\n\\edges\n\\constraints\nafa=b\n"
      "\\endofjob\n\\enddata\n";
  EXPECT_EQ(RunInputBytes(captured.channel, input.data(), input.size()).message, "");
  captured.channel.resultFile = resultFile;
  const std::string lines =
      "-- Result:   |Sub(L)|=3 for the partial lattice\r\n-- two. Thus,\r\n"
      "sigma(L) = |Sub(L)|*2^(2-|L|) =    3.0000000000000000 .\r\n";
  EXPECT_TRUE(captured.Screen().ends_with(lines + lines)) << captured.Screen();
}

}  // namespace mirelkon
