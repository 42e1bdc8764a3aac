// The lattice file reader: what it reads, what it refuses on which line, and its bounds on
// hostile input.
#include "input/lattice_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>

#include "input/data_error.h"

namespace mirelkon {
namespace {

struct Read {
  std::vector<DrawnLattice> lattices;
  std::optional<DataError> error;
};

Read ReadAll(std::istream& in) {
  Read read;
  LatticeFileReader reader(in);
  try {
    for (DrawnLattice lattice; reader.Next(lattice);) read.lattices.push_back(std::move(lattice));
  } catch (const DataError& error) {
    read.error = error;
  }
  return read;
}

Read ReadText(const std::string& text) {
  std::istringstream in(text);
  return ReadAll(in);
}

TEST(LatticeFile, ReadsLatticesAndTheirSizes) {
  struct Case {
    const char* text;
    std::vector<int> sizes;  // of the lattices, in order
    std::vector<int> lines;  // where each starts
  };
  const Case cases[] = {
      {"0<a 0<b a<1 b<1\n", {4}, {1}},
      {"% the square\n0<a 0<b\r\na<1 b<1 % covers\n", {4}, {2}},
      {"x<y\n\ny<z\n---\n{1}<{1,2}\n", {2, 2, 2}, {1, 3, 5}},
      {"x<y y<z\n% a comment parts nothing\nx<w w<z\n", {4}, {1}},
      {"a<b a<b b<c a<c\n", {3}, {1}},  // repeated and implied pairs are harmless
      {"&BP?\n&@?\n", {3, 1}, {1, 2}},
      {"a<b\n&BP?\n\n\nc<d\n", {2, 3, 2}, {1, 2, 5}},
      {"1|2<12 \t 1|2<1|2|3\r1|2|3<123 12<123\n", {4}, {1}},
  };
  for (const Case& c : cases) {
    const Read read = ReadText(c.text);
    ASSERT_FALSE(read.error) << c.text << ": " << read.error->message;
    ASSERT_EQ(read.lattices.size(), c.sizes.size()) << c.text;
    for (std::size_t k = 0; k < c.sizes.size(); ++k) {
      EXPECT_EQ(read.lattices[k].Size(), c.sizes[k]) << c.text;
      EXPECT_EQ(read.lattices[k].line, c.lines[k]) << c.text;
    }
  }
}

// The chain of three as digraph6 and as pairs: the same order, elements named by number.
TEST(LatticeFile, Digraph6DrawsWhatItsPairsDraw) {
  const Read graph = ReadText("&BP?\n"), pairs = ReadText("0<1 1<2\n");
  ASSERT_EQ(graph.lattices.size(), 1u);
  ASSERT_EQ(pairs.lattices.size(), 1u);
  EXPECT_EQ(graph.lattices[0].names, pairs.lattices[0].names);
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 3; ++y)
      EXPECT_EQ(graph.lattices[0].order.Below(x, y), pairs.lattices[0].order.Below(x, y));
}

TEST(LatticeFile, RefusesOnTheLineAtFault) {
  struct Case {
    const char* text;
    int line;
    const char* message;
  };
  const Case cases[] = {
      {"", 0, "the file draws no lattice"},
      {"% nothing\n\n---\n", 3, "the file draws no lattice"},
      {"a<b\nb<c c<a\n", 1, "not a lattice: a and b are each below the other"},
      {"0<a 0<b a<1 b<1 a<2 b<2\n", 1,
       "not a lattice: a and b have two minimal upper bounds, 1 and 2"},
      {"x<y\n\n0<a 0<b\n", 3, "not a lattice: a and b have no upper bound"},
      {"a<b\nlong name<c\n", 2, "\"long\" is no cover pair lower<upper"},
      {"a<b<c\n", 1, "\"a<b<c\" is no cover pair"},
      {"a<\n", 1, "\"a<\" is no cover pair"},
      {"a<a\n", 1, "not a lattice: \"a<a\" puts an element below itself"},
      {"a<b\n&BP\n", 2, "not a line of digraph6: 3 elements take 4 characters"},
      {"&B P?\n", 1, "not a line of digraph6: the character \" \""},
      {"&~~\n", 1, "more than 1024 elements"},
      {"&A_\n", 1, "not a lattice: 0 is drawn above itself"},
      {"&A?\n", 1, "not a lattice: 0 and 1 have no upper bound"},
  };
  for (const Case& c : cases) {
    const Read read = ReadText(c.text);
    ASSERT_TRUE(read.error) << c.text;
    EXPECT_EQ(read.error->line, c.line) << c.text;
    EXPECT_TRUE(read.error->message.starts_with(c.message))
        << c.text << ": " << read.error->message;
  }
}

// A million elements are refused at the first element beyond the limit, and a name beyond 255
// characters where it stands.
TEST(LatticeFile, RefusesTooManyElementsAndLongNames) {
  std::string chain;
  for (int e = 0; e < 1000000; ++e) {
    chain.append("e").append(std::to_string(e)).append("<e").append(std::to_string(e + 1));
    chain += e % 10 == 9 ? '\n' : ' ';
  }
  const Read read = ReadText(chain);
  ASSERT_TRUE(read.error);
  EXPECT_EQ(read.error->line, 103);  // names 1023 and 1024 stand on line 103
  EXPECT_EQ(read.error->message, "more than 1024 elements, the most a lattice may have");
  const Read longName = ReadText(std::string("a<").append(256, 'n').append("\n"));
  ASSERT_TRUE(longName.error);
  EXPECT_TRUE(longName.error->message.ends_with("is longer than 255 characters"));
}

// An endless line (a gigabyte of one character, never held in memory) ends the reading at
// 1 MiB.
class EndlessLine : public std::streambuf {
 public:
  explicit EndlessLine(std::size_t length) : left_(length) { setg(block_, block_, block_); }

 protected:
  int_type underflow() override {
    if (left_ == 0) return traits_type::eof();
    const std::size_t n = std::min(left_, sizeof block_);
    std::fill(block_, block_ + n, 'a');
    left_ -= n;
    setg(block_, block_, block_ + n);
    return traits_type::to_int_type(block_[0]);
  }

 private:
  char block_[4096];
  std::size_t left_;
};

TEST(LatticeFile, EndsAnEndlessLineAtOneMebibyte) {
  EndlessLine endless(std::size_t{1} << 30);
  std::istream in(&endless);
  const Read read = ReadAll(in);
  ASSERT_TRUE(read.error);
  EXPECT_EQ(read.error->line, 1);
  EXPECT_EQ(read.error->message, "the line is longer than 1 MiB: this is no lattice file");
}

TEST(LatticeFile, TellsALatticeFileFromAnInputFile) {
  struct Case {
    const char* start;
    bool lattice;
  };
  const Case cases[] = {
      {"a<b b<c\n", true},
      {"% comment\n\n  0<1 %x\n", true},
      {"&BP?\n", true},
      {"\\verbose=true\n", false},
      {"Free text before the header: a<b\n\\verbose=true\n", false},
      {"% only comments\n", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsLatticeFileText(c.start), c.lattice) << c.start;
}

}  // namespace
}  // namespace mirelkon
