// The derivation of join and meet constraints: the listed cases, and the indexed
// derivation held against the plain loops of derivation_oracle.h on random jobs.
#include "constraints/derivation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "captured_report.h"
#include "derivation_oracle.h"
#include "model/job_model.h"
#include "session/fatal_error.h"

namespace {

std::string Describe(const OracleJob& j) {
  std::string text = j.elements + " [" + j.operationSymbols + "]";
  for (int k = 1; k <= std::min(j.count, 40); ++k) {
    const ConstraintRecord& c = j.table[k];
    text += std::string{
        ' ', j.elements[c.left - 1],  j.operationSymbols[c.operation - 1], j.elements[c.right - 1],
        '=', j.elements[c.result - 1]};
  }
  return text;
}

// Runs the program's derivation on the job and the plain loops on a copy of it, and
// expects the same report, the same stop and the same table.
void ExpectSameAsLiteral(const OracleJob& given) {
  OracleJob literal = given;
  const OracleOutcome expected = LiteralDerivation(literal).Run();
  LoadJob(given);
  CapturedReport captured;
  std::string errorMessage;
  try {
    DeriveConstraints();
  } catch (const DataError& error) {
    errorMessage = error.message;
  }
  const std::string label = Describe(given);
  EXPECT_EQ(errorMessage, expected.errorMessage) << label;
  EXPECT_EQ(captured.Screen(), expected.report) << label;
  EXPECT_EQ(captured.Result(), expected.report) << label;
  // The literal loops count the refused 4097th constraint; the table keeps 4096.
  const int count = std::min(literal.count, maxConstraints);
  ASSERT_EQ(job.constraintCount, count) << label;
  EXPECT_EQ(job.initialConstraintCount, literal.initialCount) << label;
  for (int k = 1; k <= count; ++k) {
    const ConstraintRecord& a = job.constraintTable[k];
    const ConstraintRecord& b = literal.table[k];
    ASSERT_TRUE(a.left == b.left && a.right == b.right && a.result == b.result &&
                a.operation == b.operation)
        << "slot " << k << ": " << WrittenForm(k) << " " << label;
    ASSERT_EQ(job.constraintKinds[k].isJoin, literal.kinds[k].isJoin) << k << " " << label;
    ASSERT_EQ(job.constraintKinds[k].isMeet, literal.kinds[k].isMeet) << k << " " << label;
  }
}

std::string Derived(const OracleJob& j) {
  LoadJob(j);
  CapturedReport captured;
  DeriveConstraints();
  EXPECT_EQ(captured.Screen(), captured.Result());
  return captured.Screen();
}

const std::string initialHeading = "-- The initial constraints in normalized form:\r\n";
const std::string derivedHeading = "-- The list of derived constraints:\r\n";
const std::string noneDerived = "-- No additional constraints have been derived.\r\n";
const std::string noneLine = "No     derived constraints have been added .\r\n";

TEST(DeriveConstraints, ReportsAsListed) {
  struct Case {
    const char* elements;
    const char* edges;
    const char* constraints;
    const char* symbols;
    bool verbose;
    std::string report;
    int count;
  };
  const Case cases[] = {
      // b+c=i follows from a+b=i with a <= c <= i
      {"oabci", "oa ob ac ci bi", "a+b=i", "+*", false, "", 2},
      {"oabci", "oa ob ac ci bi", "a+b=i", "+*", true,
       initialHeading + "a+b=i .\r\n" + derivedHeading + "b+c=i .\r\n", 2},
      {"oabi", "oa ob ai bi", "a+b=i", "+*", false, noneLine, 1},
      {"oabi", "oa ob ai bi", "a+b=i", "+*", true, initialHeading + "a+b=i .\r\n" + noneDerived, 1},
      {"oabi", "", "", "+", false, noneLine, 0},
      {"oabi", "", "", "*", true, initialHeading + ".\r\n" + noneDerived, 0},
      // without "+" and "*" nothing is derived or written, whatever the order implies
      {"oabci", "oa ob ac ci bi", "b-a=i", "-/", true, "", 1},
      {"oabci", "oa ob ac ci bi", "b-a=i", "-/", false, "", 1},
      // an initial constraint equal up to the order of its arguments is not derived again
      {"oabci", "oa ob ac ci bi", "a+b=i c+b=i", "+*", true,
       initialHeading + "a+b=i b+c=i .\r\n" + noneDerived, 2},
      // dually, o <= a <= c turns c*b=o into a*b=o
      {"oabci", "oa ob ac ci bi", "c*b=o", "*+", true,
       initialHeading + "b*c=o .\r\n" + derivedHeading + "a*b=o .\r\n", 2},
      // nine derived constraints fill one line; the point stands alone on the next
      {"ab123456789z", "a1 12 23 34 45 56 67 78 89 9z bz", "a+b=z", "+*", true,
       initialHeading + "a+b=z .\r\n" + derivedHeading +
           "b+1=z b+2=z b+3=z b+4=z b+5=z b+6=z b+7=z b+8=z b+9=z \r\n.\r\n",
       10},
  };
  for (const Case& c : cases) {
    const OracleJob j = MakeJob(c.elements, c.edges, c.constraints, c.symbols, c.verbose);
    EXPECT_EQ(Derived(j), c.report) << c.elements << " " << c.constraints;
    EXPECT_EQ(job.constraintCount, c.count) << c.elements << " " << c.constraints;
    EXPECT_EQ(job.initialConstraintCount, j.count);
    ExpectSameAsLiteral(j);
  }
}

TEST(DeriveConstraints, StopsAtTheFirstForbiddenConstraint) {
  struct Case {
    const char* elements;
    const char* edges;
    const char* constraints;
    const char* form;
  };
  const Case cases[] = {
      {"abc", "ab bc", "a+b=c", "b+b=c"},  // a <= b < c: k = b gives b+b=c
      {"abc", "ab bc", "c*b=a", "b*b=a"},
      {"abcd", "", "a+b=c c+b=a", "a+b=a"},  // composition through c
  };
  for (const Case& c : cases) {
    const OracleJob j = MakeJob(c.elements, c.edges, c.constraints, "+*", true);
    LoadJob(j);
    CapturedReport captured;
    EXPECT_THROW(
        try { DeriveConstraints(); } catch (const DataError& error) {
          EXPECT_EQ(error.message, "(code) as reported above");
          throw;
        },
        DataError);
    const std::string expected =
        std::string("\r\nCheck the data because of the forbidden derived constraint: ") + c.form +
        "\r\n";
    EXPECT_EQ(captured.Screen(), expected) << c.constraints;
    EXPECT_EQ(captured.Result(), expected) << c.constraints;
    ExpectSameAsLiteral(j);
  }
}

// Random jobs of five families: random acyclic orders, grid lattices with their true joins
// and meets (mostly), relations with cycles, antichains whose constraints all point to
// higher element numbers, which keeps composing without a forbidden constraint, and grids
// of at least two rows and columns with only true joins and meets of incomparable pairs,
// which derive without a stop. Joins and meets mostly keep one value for each pair.
class RandomJobs {
 public:
  explicit RandomJobs(unsigned seed) : random_(seed) {}

  OracleJob Next() {
    const int family = Below(5);
    const bool grid = family == 1 || family == 4;
    const int n = grid ? 0 : 1 + Below(12);
    OracleJob j;
    j.operationSymbols = symbolChoices[Below(std::size(symbolChoices))];
    j.verbose = Below(2) == 0;
    if (grid) {
      const int least = family == 4 ? 2 : 1;
      rows_ = least + Below(5 - least);
      columns_ = least + Below(12 / rows_ + 1 - least);
      j.elements = Elements(rows_ * columns_);
    } else {
      j.elements = Elements(n);
    }
    const int size = j.Size();
    for (int x = 1; x <= size; ++x)
      for (int y = 1; y <= size; ++y) j.order[x][y] = InitialOrder(family, x, y, size);
    CloseOracleOrder(j);
    const int constraints = family >= 3 ? 3 + Below(18) : Below(13);
    values_ = {};
    for (int c = 0; c < constraints; ++c) AddInitial(j, Constraint(family, j));
    return j;
  }

  int Below(std::size_t bound) { return static_cast<int>(random_() % bound); }

 private:
  static constexpr const char* symbolChoices[] = {"+*", "*+",   "+",    "*", "+*-",
                                                  "-/", "a+b*", "**++", "x", "/+"};

  std::string Elements(int n) {
    std::string pool = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::shuffle(pool.begin(), pool.end(), random_);
    return pool.substr(0, n);
  }

  bool InitialOrder(int family, int x, int y, int size) {
    switch (family) {
      case 0:
        return x < y && Below(size) < 2;
      case 1:
      case 4:
        return Row(x) <= Row(y) && Column(x) <= Column(y);
      case 2:
        return x != y && Below(size * 2) == 0;
      default:
        return false;
    }
  }

  int Row(int x) const { return (x - 1) / columns_; }
  int Column(int x) const { return (x - 1) % columns_; }
  int GridElement(int row, int column) const { return row * columns_ + column + 1; }

  std::string Constraint(int family, const OracleJob& j) {
    const int size = j.Size();
    const char op = j.operationSymbols[Below(j.operationSymbols.size())];
    int x = 1 + Below(size), y = 1 + Below(size), z = 1 + Below(size);
    if ((family == 1 && Below(8) != 0) || family == 4) {
      while (size > 1 && (family == 4 || Below(10) != 0) && (j.order[x][y] || j.order[y][x])) {
        x = 1 + Below(size);
        y = 1 + Below(size);
      }
      if (op == '+') z = GridElement(std::max(Row(x), Row(y)), std::max(Column(x), Column(y)));
      if (op == '*') z = GridElement(std::min(Row(x), Row(y)), std::min(Column(x), Column(y)));
    } else if (family == 3 && size >= 3) {
      do {
        x = 1 + Below(size);
        y = 1 + Below(size);
      } while (x == y || std::max(x, y) == size);
      z = std::max(x, y) + 1 + Below(size - std::max(x, y));
    }
    // Mostly one value for each pair of the join or the meet, as in a lattice; now and
    // then a second one.
    if ((op == '+' || op == '*') && family != 4 && Below(8) != 0) {
      int& value = values_.of[op == '*'][std::min(x, y)][std::max(x, y)];
      if (value == 0) value = z;
      z = value;
    }
    return {j.elements[x - 1], op, j.elements[y - 1], '=', j.elements[z - 1]};
  }

  std::mt19937 random_;
  int rows_ = 1, columns_ = 1;
  struct {
    int of[2][maxElements + 1][maxElements + 1];
  } values_{};
};

TEST(DeriveConstraints, AppendsWhatThePlainLoopsAppend) {
  RandomJobs jobs(48611);
  int derivedSome = 0, forbidden = 0, twoValues = 0;
  for (int round = 0; round < 4000 && !testing::Test::HasFailure(); ++round) {
    const OracleJob j = jobs.Next();
    OracleJob literal = j;
    const OracleOutcome outcome = LiteralDerivation(literal).Run();
    if (!outcome.errorMessage.empty()) ++forbidden;
    if (outcome.errorMessage.starts_with("(codeTwoVal)")) ++twoValues;
    if (outcome.errorMessage.empty() && literal.count > literal.initialCount) ++derivedSome;
    ExpectSameAsLiteral(j);
  }
  EXPECT_GT(derivedSome, 400);
  EXPECT_GT(forbidden, 400);
  EXPECT_GT(twoValues, 100);
}

// Constraints of another operation never take part, so padding a job with them moves the
// derived constraints to the end of a nearly full table without changing them.
TEST(DeriveConstraints, FillsTheTableToTheLastSlotAndStopsBeyond) {
  RandomJobs jobs(9127);
  for (int found = 0; found < 2;) {
    OracleJob j = jobs.Next();
    j.operationSymbols = "+*-";
    OracleJob probe = j;
    if (!LiteralDerivation(probe).Run().errorMessage.empty()) continue;
    const int derived = probe.count - probe.initialCount;
    if (derived < 30) continue;
    ++found;
    for (int extra = 0; extra <= 1; ++extra) {
      OracleJob padded = j;
      const int padding = maxConstraints - j.count - derived + extra;
      const std::string filler = {j.elements[0], '-', j.elements[1], '=', j.elements[0]};
      for (int k = 0; k < padding; ++k) AddInitial(padded, filler);
      ExpectSameAsLiteral(padded);
      EXPECT_EQ(job.constraintCount, maxConstraints);
    }
  }
}

}  // namespace
