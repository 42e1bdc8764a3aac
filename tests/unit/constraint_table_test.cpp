// The constraint table's operations: normal form, indexed search against a linear scan,
// derived appends with the forbidden-constraint report and the capacity stop.
#include "constraints/constraint_table.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "captured_report.h"
#include "derivation_oracle.h"
#include "model/job_model.h"
#include "session/fatal_error.h"

namespace {

int LinearFind(int x, int y, int z, int op) {
  if (x >= y) return 0;
  for (int k = 1; k <= job.constraintCount; ++k) {
    const ConstraintRecord& c = job.constraintTable[k];
    if (c.left == x && c.right == y && c.result == z && c.operation == op) return k;
  }
  return 0;
}

void LoadNormalized(const std::string& elements, const std::string& constraints) {
  LoadJob(MakeJob(elements, "", constraints, "+*-", false));
  NormalizeConstraints();
}

TEST(NormalizeConstraints, OrdersTheArgumentsOfEveryOperation) {
  LoadNormalized("abc", "c-a=b a+a=b a*c=b c+b=b b*a=c c-c=a");
  const char* expected[] = {"a-c=b", "a+a=b", "a*c=b", "b+c=b", "a*b=c", "c-c=a"};
  ASSERT_EQ(job.constraintCount, 6);
  for (int k = 1; k <= 6; ++k) EXPECT_EQ(WrittenForm(k), expected[k - 1]) << k;
}

TEST(FindConstraint, AnswersTheLowestExactMatchOrZero) {
  LoadNormalized("abcd", "b+a=c a+b=c a+b=d a*b=c a+a=c d-c=a");
  struct Case {
    int x, y, z, op, slot;
  };
  const Case cases[] = {
      {1, 2, 3, 1, 1},  // b+a=c normalised, lower than its duplicate
      {1, 2, 4, 1, 3},  // same arguments, other result
      {1, 2, 3, 2, 4},  // same arguments and result, other operation
      {3, 4, 1, 3, 6},  //
      {2, 1, 3, 1, 0},  // arguments not ordered
      {1, 1, 3, 1, 0},  // equal arguments are never searched for
      {1, 3, 2, 1, 0},  //
      {3, 4, 1, 1, 0},  //
  };
  for (const Case& c : cases)
    EXPECT_EQ(FindConstraint(c.x, c.y, c.z, c.op), c.slot) << c.x << c.y << c.z << c.op;
}

TEST(FindConstraint, AgreesWithALinearScanOnFullTables) {
  std::mt19937 random(7331);
  for (int round = 0; round < 6; ++round) {
    const int n = round < 3 ? 30 : 4;  // few elements: many duplicates
    const std::string elements = std::string("abcdefghijklmnopqrstuvwxyzABCD").substr(0, n);
    const std::string symbols = "+*-/";
    std::string constraints;
    const int initial = round % 2 == 0 ? maxConstraints : 1000;
    auto randomElement = [&] { return elements[random() % n]; };
    for (int k = 0; k < initial; ++k)
      constraints += std::string{
          randomElement(), symbols[random() % 4], randomElement(), '=', randomElement(), ' '};
    LoadNormalized(elements, constraints);
    run.operationSymbols = symbols;
    // A derived join or meet pair keeps its first value: a second one would stop the run.
    int valueOf[3][maxElements + 1][maxElements + 1] = {};
    while (job.constraintCount < maxConstraints) {
      const int x = 1 + random() % n, y = 1 + random() % n, z = 1 + random() % n;
      const int op = 1 + random() % 2;
      if (x == y || x == z || y == z) continue;
      int& value = valueOf[op][std::min(x, y)][std::max(x, y)];
      if (value == 0) value = z;
      AddDerivedConstraint(x, y, value, op);
    }
    for (int query = 0; query < 20000; ++query) {
      const int x = 1 + random() % n, y = 1 + random() % n, z = 1 + random() % n;
      const int op = 1 + random() % 5;
      ASSERT_EQ(FindConstraint(x, y, z, op), LinearFind(x, y, z, op)) << x << y << z << op;
    }
    for (int k = 1; k <= job.constraintCount; k += 7) {
      const ConstraintRecord& c = job.constraintTable[k];
      ASSERT_EQ(FindConstraint(c.left, c.right, c.result, c.operation),
                LinearFind(c.left, c.right, c.result, c.operation));
    }
  }
}

TEST(FindConstraint, ForgetsThePreviousJob) {
  LoadNormalized("abcd", "a+b=c a*b=d");
  AddDerivedConstraint(2, 3, 4, 1);
  LoadNormalized("abcd", "c+d=a");
  EXPECT_EQ(FindConstraint(1, 2, 3, 1), 0);
  EXPECT_EQ(FindConstraint(1, 2, 4, 2), 0);
  EXPECT_EQ(FindConstraint(2, 3, 4, 1), 0);
  EXPECT_EQ(FindConstraint(3, 4, 1, 1), 1);
}

TEST(AddDerivedConstraint, StoresTheNormalFormAndItsKind) {
  struct Case {
    int x, y, z, op;
    const char* form;
    bool isJoin, isMeet;
  };
  const Case cases[] = {
      {3, 1, 2, 1, "a+c=b", true, false},
      {1, 3, 2, 1, "a+c=b", true, false},  // appended again: the search is the caller's
      {4, 2, 1, 2, "b*d=a", false, true},
      {2, 4, 3, 3, "b-d=c", false, false},
  };
  LoadNormalized("abcd", "a+b=c");
  for (const Case& c : cases) {
    const int before = job.constraintCount;
    AddDerivedConstraint(c.x, c.y, c.z, c.op);
    ASSERT_EQ(job.constraintCount, before + 1);
    EXPECT_EQ(WrittenForm(job.constraintCount), c.form);
    EXPECT_EQ(job.constraintKinds[job.constraintCount].isJoin, c.isJoin) << c.form;
    EXPECT_EQ(job.constraintKinds[job.constraintCount].isMeet, c.isMeet) << c.form;
  }
  EXPECT_EQ(FindConstraint(1, 3, 2, 1), 2);
  EXPECT_EQ(FindConstraint(2, 4, 1, 2), 4);
}

TEST(AddDerivedConstraint, ReportsAForbiddenConstraintAsPassed) {
  struct Case {
    int x, y, z, op;
    const char* form;
  };
  const Case cases[] = {
      {2, 2, 3, 1, "b+b=c"},
      {3, 1, 3, 2, "c*a=c"},
      {1, 2, 2, 1, "a+b=b"},
      {3, 3, 3, 2, "c*c=c"},
  };
  for (const Case& c : cases) {
    LoadNormalized("abc", "a+b=c");
    CapturedReport captured;
    try {
      AddDerivedConstraint(c.x, c.y, c.z, c.op);
      ADD_FAILURE() << c.form << " was accepted";
    } catch (const DataError& error) {
      EXPECT_EQ(error.message, "(code) as reported above");
    }
    const std::string expected =
        std::string("\r\nCheck the data because of the forbidden derived constraint: ") + c.form +
        "\r\n";
    EXPECT_EQ(captured.Screen(), expected);
    EXPECT_EQ(captured.Result(), expected);
    EXPECT_EQ(job.constraintCount, 1);
  }
}

TEST(AddDerivedConstraint, FillsTheLastSlotAndRefusesOneMore) {
  std::string constraints;
  for (int k = 1; k < maxConstraints; ++k) constraints += "a-b=c ";
  LoadNormalized("abcd", constraints);
  ASSERT_EQ(job.constraintCount, maxConstraints - 1);
  AddDerivedConstraint(4, 1, 2, 1);
  EXPECT_EQ(job.constraintCount, maxConstraints);
  EXPECT_EQ(FindConstraint(1, 4, 2, 1), maxConstraints);
  CapturedReport captured;
  EXPECT_THROW(
      try { AddDerivedConstraint(1, 3, 2, 1); } catch (const DataError& error) {
        EXPECT_EQ(error.message, "(cod-ugW5s) too many constraints");
        throw;
      },
      DataError);
  EXPECT_EQ(job.constraintCount, maxConstraints);  // the count never leaves the table
  EXPECT_EQ(captured.Screen(), "");
  EXPECT_EQ(captured.Result(), "");
}

}  // namespace
