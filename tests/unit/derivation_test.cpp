// The derivation of join and meet constraints and its report: the listed cases, and the
// indexed derivation held against the plain loops of derivation_oracle.h on random jobs.
#include "core/derivation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "captured_report.h"
#include "derivation_oracle.h"
#include "input/data_error.h"
#include "mirelkon/job_run.h"

namespace mirelkon {

namespace {

std::string Describe(const OracleJob& j) {
  std::string text = j.elements + " [" + j.operationSymbols + "]";
  for (int k = 1; k <= std::min(j.count, 40); ++k) {
    const OracleRecord& c = j.table[k];
    text += std::string{
        ' ', j.elements[c.left - 1],  j.operationSymbols[c.operation - 1], j.elements[c.right - 1],
        '=', j.elements[c.result - 1]};
  }
  return text;
}

// The library's derivation and its report.
struct Outcome {
  Derivation derivation;
  std::string screen, result, errorMessage;
};

Outcome Derived(const OracleJob& j) {
  const ParsedJob job = ParsedJobOf(j);
  Outcome outcome{Derive(job.lattice), "", "", ""};
  CapturedReport captured;
  try {
    ReportDerivation(captured.channel, j.verbose, job, outcome.derivation, 0);
  } catch (const DataError& error) {
    outcome.errorMessage = error.message;
  }
  outcome.screen = captured.Screen();
  outcome.result = captured.Result();
  return outcome;
}

// Runs the library's derivation on the job and the plain loops on a copy of it, and expects
// the same report, the same stop and the same table.
Derivation ExpectSameAsLiteral(const OracleJob& given) {
  OracleJob literal = given;
  const OracleOutcome expected = LiteralDerivation(literal).Run();
  Outcome outcome = Derived(given);
  const Derivation& d = outcome.derivation;
  const std::string label = Describe(given);
  EXPECT_EQ(outcome.errorMessage, expected.errorMessage) << label;
  EXPECT_EQ(outcome.screen, expected.report) << label;
  EXPECT_EQ(outcome.result, expected.report) << label;
  // The literal loops count the refused 4097th constraint; the table keeps 4096.
  const int count = std::min(literal.count, maxConstraints);
  EXPECT_EQ(static_cast<int>(d.table.size()), count) << label;
  EXPECT_EQ(d.typedCount, literal.initialCount) << label;
  for (int k = 1; k <= std::min(count, static_cast<int>(d.table.size())); ++k) {
    const Equation& a = d.table[k - 1];
    const OracleRecord& b = literal.table[k];
    EXPECT_TRUE(a.left + 1 == b.left && a.right + 1 == b.right && a.result + 1 == b.result &&
                a.operation == given.operationSymbols[b.operation - 1])
        << "slot " << k << ": " << WrittenForm(given.elements, a) << " " << label;
    EXPECT_EQ(a.IsJoin(), literal.kinds[k].isJoin) << k << " " << label;
    EXPECT_EQ(a.IsMeet(), literal.kinds[k].isMeet) << k << " " << label;
    if (testing::Test::HasFailure()) break;
  }
  return outcome.derivation;
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
    const Outcome outcome = Derived(j);
    EXPECT_EQ(outcome.screen, c.report) << c.elements << " " << c.constraints;
    EXPECT_EQ(outcome.result, c.report) << c.elements << " " << c.constraints;
    EXPECT_EQ(static_cast<int>(outcome.derivation.table.size()), c.count) << c.constraints;
    EXPECT_EQ(outcome.derivation.typedCount, j.count);
    ExpectSameAsLiteral(j);
  }
}

TEST(DeriveConstraints, NormalisesTheTypedEquationsOfEveryOperation) {
  const OracleJob j = MakeJob("abc", "", "c-a=b a+a=b a*c=b c+b=b b*a=c c-c=a", "+*-", false);
  const Derivation derivation = Derive(ParsedJobOf(j).lattice);
  const char* expected[] = {"a-c=b", "a+a=b", "a*c=b", "b+c=b", "a*b=c", "c-c=a"};
  ASSERT_EQ(derivation.typedCount, static_cast<int>(std::size(expected)));
  for (std::size_t k = 0; k < std::size(expected); ++k)
    EXPECT_EQ(WrittenForm(j.elements, derivation.table[k]), expected[k]) << k;
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
    const Outcome outcome = Derived(j);
    EXPECT_EQ(outcome.errorMessage, "(code) as reported above");
    const std::string expected =
        std::string("\r\nCheck the data because of the forbidden derived constraint: ") + c.form +
        "\r\n";
    EXPECT_EQ(outcome.screen, expected) << c.constraints;
    EXPECT_EQ(outcome.result, expected) << c.constraints;
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
// derived constraints to the end of a nearly full table without changing them. With a+b=z
// and a below a chain of 30 elements below z, the interval rule derives b+k=z for each k.
TEST(DeriveConstraints, FillsTheTableToTheLastSlotAndStopsBeyond) {
  const std::string chain = "cdefghijklmnopqrstuvwxyz012345";
  std::string edges = std::string("ac bZ 5Z");
  for (int k = 0; k + 1 < 30; ++k) edges.append(" ").append(chain.substr(k, 2));
  for (bool verbose : {false, true}) {
    const OracleJob j = MakeJob("ab" + chain + "Z", edges, "a+b=Z", "+*-", verbose);
    OracleJob probe = j;
    ASSERT_EQ(LiteralDerivation(probe).Run().errorMessage, "");
    const int derived = probe.count - probe.initialCount;
    ASSERT_EQ(derived, 30);
    for (int extra = 0; extra <= 1; ++extra) {
      OracleJob padded = j;
      const int padding = maxConstraints - j.count - derived + extra;
      for (int k = 0; k < padding; ++k) AddInitial(padded, "a-b=a");
      EXPECT_EQ(ExpectSameAsLiteral(padded).table.size(), std::size_t{maxConstraints});
    }
  }
}

}  // namespace

}  // namespace mirelkon
