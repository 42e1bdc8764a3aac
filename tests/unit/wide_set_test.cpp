// Sets wider than 64 bits against std::bitset and 128-bit arithmetic, and exact counts
// against their words and their decimal text.
#include "core/wide_set.h"

#include <gtest/gtest.h>

#include <bitset>
#include <random>

#include "core/big_count.h"
#include "core/subset_count.h"

namespace mirelkon {
namespace {

template <int W>
std::bitset<64 * W> AsBitset(const WideSet<W>& s) {
  std::bitset<64 * W> b;
  for (int e = 0; e < 64 * W; ++e) b[e] = Holds(s, e);
  return b;
}

// Random sets, sparse and dense, with whole words empty or full now and then.
template <int W>
WideSet<W> RandomSet(std::mt19937_64& random) {
  WideSet<W> s;
  for (auto& w : s.word) {
    switch (random() % 4) {
      case 0:
        w = 0;
        break;
      case 1:
        w = ~std::uint64_t{0};
        break;
      case 2:
        w = random() & random() & random();
        break;
      default:
        w = random();
    }
  }
  return s;
}

template <int W>
void CheckAgainstBitset(std::mt19937_64& random) {
  for (int round = 0; round < 2000; ++round) {
    const WideSet<W> a = RandomSet<W>(random), b = RandomSet<W>(random);
    const auto ba = AsBitset(a), bb = AsBitset(b);
    const int shift = static_cast<int>(random() % (64 * W));
    EXPECT_EQ(AsBitset(a & b), ba & bb);
    EXPECT_EQ(AsBitset(a | b), ba | bb);
    EXPECT_EQ(AsBitset(a ^ b), ba ^ bb);
    EXPECT_EQ(AsBitset(~a), ~ba);
    EXPECT_EQ(AsBitset(a << shift), ba << shift);
    EXPECT_EQ(AsBitset(a >> shift), ba >> shift);
    EXPECT_EQ(Size(a), static_cast<int>(ba.count()));
    EXPECT_EQ(a == b, ba == bb);
    if (ba.none()) continue;
    int lowest = 0, highest = 64 * W - 1;
    while (!ba[lowest]) ++lowest;
    while (!ba[highest]) --highest;
    EXPECT_EQ(Lowest(a), lowest);
    EXPECT_EQ(Highest(a), highest);
    auto dropped = ba;
    dropped[lowest] = false;
    EXPECT_EQ(AsBitset(a & (a - 1)), dropped);  // the idiom that walks a set
    EXPECT_EQ(AsBitset(a & -a), ba ^ dropped);
    EXPECT_EQ(AsBitset(LowestBit(a)), ba ^ dropped);
  }
}

TEST(WideSet, AgreesWithBitsetOnEveryOperation) {
  std::mt19937_64 random(7);
  CheckAgainstBitset<2>(random);
  CheckAgainstBitset<4>(random);
  CheckAgainstBitset<16>(random);
}

// Two words are a 128-bit number: subtraction and negation borrow as the integer does.
TEST(WideSet, TwoWordsSubtractAsA128BitNumber) {
  std::mt19937_64 random(11);
  const auto number = [](const WideSet<2>& s) { return SubsetCount{s.word[1]} << 64 | s.word[0]; };
  for (int round = 0; round < 2000; ++round) {
    const WideSet<2> a = RandomSet<2>(random), b = RandomSet<2>(random);
    EXPECT_EQ(number(a - b), number(a) - number(b));
    EXPECT_EQ(number(-a), -number(a));
  }
}

TEST(WideSet, SingleElementsAndFirstElements) {
  for (int n : {0, 1, 63, 64, 65, 127, 128, 200, 255, 256}) {
    const WideSet<4> first = ElementsBelow<WideSet<4>>(n);
    EXPECT_EQ(Size(first), n);
    if (n > 0) {
      EXPECT_EQ(Highest(first), n - 1);
    }
    if (n < 256) {
      EXPECT_EQ(ElementBit<WideSet<4>>(n), ElementsBelow<WideSet<4>>(n + 1) ^ first);
      EXPECT_FALSE(Holds(first, n));
    }
  }
  EXPECT_EQ(ElementBit<Mask>(5), Mask{32});
  EXPECT_EQ(ElementsBelow<Mask>(64), ~Mask{0});
}

TEST(BigCount, WordsAndDecimalText) {
  struct Case {
    int power;
    const char* text;
  };
  const Case cases[] = {
      {0, "1"},
      {64, "18446744073709551616"},
      {128, "340282366920938463463374607431768211456"},
  };
  for (const Case& c : cases) EXPECT_EQ(DecimalText(PowerOfTwo(c.power)), c.text);
  for (int k : {0, 1, 63, 64, 65, 127, 128, 1000, 1024}) {
    const BigCount power = PowerOfTwo(k), below = power - 1;
    const std::vector<std::uint64_t> words = CountWords(power);
    EXPECT_EQ(words.size(), static_cast<std::size_t>(k / 64 + 1));
    EXPECT_EQ(words.back(), std::uint64_t{1} << (k % 64));
    EXPECT_EQ(CountOfWords(words), power);
    EXPECT_EQ(CountOfWords(CountWords(below)), below);
  }
  EXPECT_TRUE(CountWords(BigCount(0)).empty());
  EXPECT_EQ(CountOfWords({}), 0);
  // Agrees with the 128-bit count where both hold it.
  const SubsetCount big = (SubsetCount{0x123456789ABCDEFu} << 64) | 0xFEDCBA9876543210u;
  EXPECT_EQ(DecimalText(
                CountOfWords(std::vector<std::uint64_t>{0xFEDCBA9876543210u, 0x123456789ABCDEFu})),
            DecimalText(big));
}

}  // namespace
}  // namespace mirelkon
