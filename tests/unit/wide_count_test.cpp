// The counter over wide sets on lattices of more than 64 elements with known counts, against
// the 64-bit counter where both hold the lattice, and against a row-by-row count of the
// sublattices of products of two chains.
#include "core/wide_set_counter.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/wide_lattice.h"

namespace mirelkon {

namespace {

using IsBelow = std::function<bool(int, int)>;

struct WideJob {
  int n;
  std::vector<WideRule> rules;
};

// The sublattice rules of the order isBelow draws on n elements, which must be a lattice.
WideJob LatticeJob(int n, const IsBelow& isBelow) {
  WideOrder order(n);
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y)
      if (isBelow(x, y)) order.Add(x, y);
  order.Close();
  const WideLatticeCheck check = CheckWideLattice(order);
  EXPECT_FALSE(check.fault);
  return {n, SublatticeRules(order, check.tables)};
}

WideJob Chain(int n) {
  return LatticeJob(n, [](int x, int y) { return x <= y; });
}

// Bottom 0, atoms 1..k, top k + 1.
WideJob Diamond(int k) {
  return LatticeJob(k + 2, [k](int x, int y) { return x == y || x == 0 || y == k + 1; });
}

// Subsets of k elements, numbered by their bits.
WideJob Boolean(int k) {
  return LatticeJob(1 << k, [](int x, int y) { return (x & y) == x; });
}

// C_m x C_n, element i * n + j for (i, j).
WideJob ChainProduct(int m, int n) {
  return LatticeJob(m * n, [n](int x, int y) { return x / n <= y / n && x % n <= y % n; });
}

// The rules of a job of at most 64 elements, for the 64-bit counter.
std::vector<Rule> NarrowRules(const WideJob& job) {
  std::vector<Rule> narrow;
  for (const WideRule& r : job.rules)
    narrow.push_back({static_cast<std::uint8_t>(r.left), static_cast<std::uint8_t>(r.right),
                      static_cast<std::uint8_t>(r.result)});
  return narrow;
}

// `copies` copies of B_k, each wholly below the next.
WideJob BooleanTower(int k, int copies) {
  const int size = 1 << k;
  return LatticeJob(size * copies, [size](int x, int y) {
    return x / size < y / size || (x / size == y / size && (x % size & y % size) == x % size);
  });
}

// The sublattices of C_m x C_n row by row: a subset is one exactly when each two nonempty rows
// (i < j) agree, where a in row i above b in row j puts b into row i and a into row j, and
// two rows with a nonempty one between them agree when each agrees with it; so it is enough
// to follow the last nonempty row.
BigCount RowByRow(int m, int n) {
  const int rows = 1 << n;
  const auto agree = [n](int lower, int upper) {
    for (int a = 0; a < n; ++a)
      for (int b = 0; b < a; ++b)
        if ((lower >> a & 1) && (upper >> b & 1) && (!(lower >> b & 1) || !(upper >> a & 1)))
          return false;
    return true;
  };
  std::vector<BigCount> last(rows, 0);  // by the last nonempty row; [0]: all empty so far
  last[0] = 1;
  for (int i = 0; i < m; ++i) {
    std::vector<BigCount> next = last;  // this row empty
    for (int row = 1; row < rows; ++row)
      for (int before = 0; before < rows; ++before)
        if (last[before] != 0 && (before == 0 || agree(before, row))) next[row] += last[before];
    last = std::move(next);
  }
  BigCount total = 0;
  for (const BigCount& c : last) total += c;
  return total;
}

// k squares B_2 glued in a chain, the top of each the bottom of the next: square i has the
// bottom 3i, the atoms 3i + 1 and 3i + 2 and the top 3i + 3.
WideJob GluedSquares(int k) {
  WideOrder order(3 * k + 1);
  for (int i = 0; i < k; ++i)
    for (int atom : {3 * i + 1, 3 * i + 2}) {
      order.Add(3 * i, atom);
      order.Add(atom, 3 * i + 3);
    }
  order.Close();
  return LatticeJob(3 * k + 1, [&order](int x, int y) { return order.Below(x, y); });
}

// The glued chain of squares counted square by square: elements of different squares are
// comparable, so a subset is a sublattice exactly when its part in each square is one, and
// squares share only their bottoms and tops. within[b][t] counts the sublattices of one
// square by whether they hold its bottom and its top, found by trying all 16 subsets.
BigCount GluedSquaresBySquare(int k) {
  const auto join = [](int x, int y) { return x == y ? x : x == 0 ? y : y == 0 ? x : 3; };
  const auto meet = [](int x, int y) { return x == y ? x : x == 3 ? y : y == 3 ? x : 0; };
  long within[2][2] = {};
  for (int subset = 0; subset < 16; ++subset) {
    bool closed = true;
    for (int x = 0; x < 4; ++x)
      for (int y = 0; y < 4; ++y)
        if ((subset >> x & 1) && (subset >> y & 1))
          closed = closed && (subset >> join(x, y) & 1) && (subset >> meet(x, y) & 1);
    if (closed) ++within[subset & 1][subset >> 3 & 1];
  }
  BigCount ways[2] = {1, 1};  // by whether the shared element below is in
  for (int i = 0; i < k; ++i) {
    const BigCount out = ways[0] * within[0][0] + ways[1] * within[1][0];
    const BigCount in = ways[0] * within[0][1] + ways[1] * within[1][1];
    ways[0] = out;
    ways[1] = in;
  }
  return ways[0] + ways[1];
}

BigCount Power(int base, int exponent) {
  BigCount p = 1;
  for (int k = 0; k < exponent; ++k) p *= base;
  return p;
}

TEST(WideCount, KnownCounts) {
  struct Case {
    const char* name;
    WideJob job;
    BigCount count;
  };
  const Case cases[] = {
      {"C100", Chain(100), PowerOfTwo(100)},
      {"C500", Chain(500), PowerOfTwo(500)},
      {"C1024", Chain(1024), PowerOfTwo(1024)},
      {"M70", Diamond(70), PowerOfTwo(70) + 3 * 70 + 3},
      {"M200", Diamond(200), PowerOfTwo(200) + 3 * 200 + 3},
      {"B0", Boolean(0), 2},
      {"B3", Boolean(3), 74},
      {"B5", Boolean(5), 12085},
      {"B6", Boolean(6), 319988},
      {"B3 tower of 10", BooleanTower(3, 10), Power(74, 10)},
      {"B4 tower of 5", BooleanTower(4, 5), Power(732, 5)},
  };
  WideSetCounter counter;
  for (const Case& c : cases) EXPECT_EQ(counter.Count(c.job.n, c.job.rules), c.count) << c.name;
}

TEST(WideCount, GluedSumsAgreeWithTheCountSquareBySquare) {
  WideSetCounter counter;
  for (int k : {1, 4, 30, 100}) {
    const WideJob job = GluedSquares(k);
    EXPECT_EQ(counter.Count(job.n, job.rules), GluedSquaresBySquare(k)) << k;
  }
}

TEST(WideCount, ProductsOfChainsAgreeWithTheRowByRowCount) {
  struct Case {
    int m, n;
  };
  WideSetCounter counter;
  for (Case c : {Case{3, 3}, Case{13, 5}, Case{17, 4}, Case{11, 6}, Case{22, 3}}) {
    const WideJob job = ChainProduct(c.m, c.n);
    EXPECT_EQ(counter.Count(job.n, job.rules), RowByRow(c.m, c.n)) << c.m << "x" << c.n;
  }
}

// The profile of a chain is a row of binomials; the profile of any lattice adds up to its
// count, and the 64-bit counter gives the same where it holds the lattice.
TEST(WideCount, CountsBySize) {
  WideSetCounter counter;
  for (int n : {70, 300}) {
    const std::vector<BigCount> bySize = counter.CountBySize(n, Chain(n).rules);
    ASSERT_EQ(bySize.size(), static_cast<std::size_t>(n + 1));
    BigCount binomial = 1;
    for (int k = 0; k <= n; ++k) {
      EXPECT_EQ(bySize[k], binomial) << n << " " << k;
      binomial = binomial * (n - k) / (k + 1);
    }
  }
  const WideJob b6 = Boolean(6);
  const std::vector<Rule> narrow = NarrowRules(b6);
  ClosedSetCounter narrowCounter;
  const std::vector<std::uint64_t> expected = narrowCounter.CountBySize(64, narrow);
  const std::vector<BigCount> wide = counter.CountBySize(64, b6.rules);
  ASSERT_EQ(wide.size(), expected.size());
  for (std::size_t k = 0; k < wide.size(); ++k)
    EXPECT_EQ(wide[k], BigCount(static_cast<unsigned long>(expected[k]))) << k;
}

// Split by symmetry from the start, B6 and B7 keep their known counts and B6 its counts by
// size, which the 64-bit counter without symmetry gives.
TEST(WideCount, ASplitBySymmetryKeepsTheCounts) {
  WideSetCounter counter(CounterOptions{.symmetryAfterParts = 0});
  EXPECT_EQ(counter.Count(128, Boolean(7).rules), 13170652);
  EXPECT_GT(counter.Stats().splitElements, 0);
  const WideJob b6 = Boolean(6);
  EXPECT_EQ(counter.Count(64, b6.rules), 319988);
  const std::vector<Rule> narrow = NarrowRules(b6);
  const std::vector<std::uint64_t> expected =
      ClosedSetCounter(Search::full, CounterOptions{.symmetryAfterParts = ~std::uint64_t{0}})
          .CountBySize(64, narrow);
  const std::vector<BigCount> wide = counter.CountBySize(64, b6.rules);
  ASSERT_EQ(wide.size(), expected.size());
  for (std::size_t k = 0; k < wide.size(); ++k)
    EXPECT_EQ(wide[k], BigCount(static_cast<unsigned long>(expected[k]))) << k;
}

TEST(WideCount, AStopRequestedEndsTheCount) {
  std::stop_source source;
  source.request_stop();
  WideSetCounter counter;
  counter.SetStopToken(source.get_token());
  const WideJob job = Boolean(7);
  EXPECT_THROW(counter.Count(job.n, job.rules), CountStopped);
}

}  // namespace

}  // namespace mirelkon
