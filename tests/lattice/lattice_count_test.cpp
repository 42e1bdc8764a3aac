// mirelkon-lattice in process: the known counts of well-known lattices through make and
// through complete of their cover edges alone, the example lattices completed from their
// edges, and the exact text both commands write for a small case.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "captured_report.h"
#include "core/partial_lattice.h"
#include "fuzz/run_input.h"
#include "input/lattice_file.h"
#include "lattice/complete_command.h"
#include "lattice/make_command.h"
#include "read_file.h"

namespace mirelkon {

namespace fs = std::filesystem;

namespace {

// The |Sub(L)| of every job of the input text, counted by an in-process run.
std::vector<long long> Counts(const std::string& text) {
  CapturedReport captured;
  EXPECT_EQ(RunInputBytes(captured.channel, text.data(), text.size()).message, "");
  static const std::regex result(R"(-- Result:   \|Sub\(L\)\|=(\d+) )");
  std::vector<long long> counts;
  const std::string screen = captured.Screen();
  for (std::sregex_iterator it(screen.begin(), screen.end(), result), end; it != end; ++it)
    counts.push_back(std::stoll((*it)[1]));
  return counts;
}

// The text with every constraint line removed: the edges alone describe each job.
std::string EdgesOnly(const std::string& text) {
  std::istringstream in(text);
  std::string kept;
  bool inConstraints = false;
  for (std::string line; std::getline(in, line);) {
    if (line.find("\\endofjob") != std::string::npos) inConstraints = false;
    if (!inConstraints) kept += line + "\n";
    if (line.find("\\constraints") != std::string::npos) inConstraints = true;
  }
  return kept;
}

std::string Completed(const std::string& text) {
  InputFile file;
  file.Attach(fmemopen(const_cast<char*>(text.data()), text.size(), "rb"));
  CapturedReport captured;
  return CompleteInput(file, captured.channel);
}

std::string Made(const std::string& term, int subtrahend = 0, bool verbose = false) {
  MakeRequest request{{}, subtrahend, verbose};
  std::istringstream in(term);
  for (std::string word; in >> word;) request.words.push_back(word);
  return MakeInputFile(request);
}

TEST(LatticeCounts, KnownCountsThroughMakeAndThroughCompleteOfTheCovers) {
  const struct {
    const char* term;
    long long count;
  } cases[] = {
      {"chain 1", 2},
      {"chain 7", 128},
      {"boolean 2", 13},
      {"boolean 3", 74},
      {"boolean 4", 732},
      {"pentagon", 23},
      {"diamond 3", 20},
      {"diamond 6", (1 << 6) + 3 * 6 + 3},
      {"divisors 60", 320},
      {"divisors 720", 35357},
      {"partitions 4", 470},
      {"subspaces 2 3", 530},
      {"subspaces 3 2", (1 << 4) + 3 * 4 + 3},  // M_4: the four lines of the plane
      {"chain 2 x chain 3", 38},
      {"chain 4 x chain 4", 2103},
      {"chain 5 x chain 6", 134825},
      // The short names, and lattices made of lattices. A glued sum chain + B_2 + chain of n
      // elements has 13 * 2^(n-4) sublattices; an ordinal sum the product of its summands'.
      {"C4", 16},
      {"B3", 74},
      {"M3", 20},
      {"N5", 23},
      {"D60", 320},
      {"Pi4", 470},
      {"chain 2 ^ 4", 732},
      {"dual partitions 4", 470},
      {"chain 2 + boolean 2 + chain 2", 13 * 4},
      {"chain 3 + B2 + chain 4", 13 * 32},
      {"B2 ++ B2", 13 * 13},
      {"(chain 2 + chain 3) x chain 2", 104},  // chain 4 x chain 2
      // Counted by brute force over the lattices built apart: the Tamari lattices from
      // rotations of binary trees, Young's from the cells of the diagrams; tamari 3 is N_5.
      {"tamari 3", 23},
      {"tamari 4", 687},
      {"young 2 2", 52},  // chain 2 + B_2 + chain 2
      {"young 2 3", 456},
      {"young 3 3", 29840},
  };
  for (const auto& c : cases) {
    const std::string made = Made(c.term);
    EXPECT_EQ(Counts(made), std::vector<long long>{c.count}) << c.term;
    EXPECT_EQ(Counts(Completed(EdgesOnly(made))), std::vector<long long>{c.count}) << c.term;
  }
}

TEST(LatticeCounts, ExamplesCompletedFromTheirEdgesKeepTheirCounts) {
  static const std::regex stated(R"(expected \|Sub\(L\)\|=(\d+))");
  for (const auto& entry : fs::directory_iterator(fs::path(MIRELKON_SOURCE_DIR) / "examples")) {
    const std::string text = ReadFile(entry.path());
    if (IsLatticeFileText(text)) continue;  // complete takes input files
    std::smatch match;
    ASSERT_TRUE(std::regex_search(text, match, stated)) << entry.path();
    EXPECT_EQ(Counts(Completed(EdgesOnly(text))), std::vector<long long>{std::stoll(match[1])})
        << entry.path();
    // The examples give every equation already: nothing may be added twice.
    EXPECT_NE(Completed(text).find("% No join or meet of two incomparable elements is missing."),
              std::string::npos)
        << entry.path();
  }
}

TEST(LatticeText, MakeWritesSymbolsCoversAndEquations) {
  EXPECT_EQ(Made("chain 2 x chain 2", 3, true),
            "% chain 2 x chain 2: 4 elements, written by mirelkon-lattice make.\n"
            "\n"
            "\\verbose=true\n\\subtrahend-in-exponent=3\n\\operationsymbols=+*\n"
            "\\beginjob\n% legend: 0=(0,0) 1=(0,1) 2=(1,0) 3=(1,1)\n"
            "\\name\nchain 2 x chain 2\n\\size\n4\n\\elements\n0123\n"
            "\\edges\n01 02 13 23\n\\constraints\n"
            "% The joins and meets of two incomparable elements, added by mirelkon-lattice:\n"
            "1+2=3 1*2=0\n"
            "\\endofjob\n\\enddata\n");
}

TEST(LatticeText, AnElementNamedByOneCharacterIsItsOwnSymbol) {
  const struct {
    const char* term;
    const char* elementsAndLegend;
  } cases[] = {
      {"divisors 12",
       "% legend: 1=1 2=2 3=3 4=4 6=6 a=12\n\\name\ndivisors 12\n\\size\n6\n"
       "\\elements\n12346a\n"},
      // Where names are numbers, a digit never stands for another number.
      {"D60", "% legend: 1=1 2=2 3=3 4=4 5=5 6=6 a=10 b=12 c=15 d=20 e=30 f=60\n"},
      {"young 2 2", "% legend: 0=0 1=1 2=2 a=11 b=21 c=22\n"},
      {"pentagon",
       "% legend: 0=bottom a=a b=b c=c 1=top\n\\name\npentagon\n\\size\n5\n"
       "\\elements\n0abc1\n"},
  };
  for (const auto& c : cases)
    EXPECT_NE(Made(c.term).find(c.elementsAndLegend), std::string::npos) << Made(c.term);
}

// Every construction keeps the listing bottom first; a dual lists the elements in reverse, a
// sum names each element by its summand.
TEST(LatticeText, ConstructionsListBottomFirstAndNameTheirParts) {
  const struct {
    const char* term;
    const char* legendToEdges;
  } cases[] = {
      {"dual chain 3",
       "% legend: 2=2 1=1 0=0\n\\name\ndual chain 3\n\\size\n3\n"
       "\\elements\n210\n\\edges\n21 10\n"},
      {"C2 + C2 ++ C1",
       "% legend: a=1:0 b=1:1 c=2:1 d=3:0\n\\name\nC2 + C2 ++ C1\n\\size\n4\n"
       "\\elements\nabcd\n\\edges\nab bc cd\n"},
      {"(C2)^2", "% legend: 0=(0,0) 1=(0,1) 2=(1,0) 3=(1,1)\n\\name\n(C2) ^ 2\n"},
  };
  for (const auto& c : cases)
    EXPECT_NE(Made(c.term).find(c.legendToEdges), std::string::npos) << Made(c.term);
}

// Terms as people type them: any case, "_" in a short name, a short name apart from its
// number, a product sign glued between two lattices. Each makes the lattice of the term as
// written out, only the job's name differing.
TEST(LatticeText, TermsAsPeopleTypeThem) {
  const struct {
    const char* typed;
    const char* written;
  } cases[] = {
      {"M3xC3", "M3 x C3"}, {"pi4", "Pi4"},    {"n5", "N5"},         {"N_5", "N5"},
      {"M_3", "M3"},        {"D 360", "D360"}, {"C2XB2", "C2 x B2"}, {"Chain 3", "chain 3"},
  };
  // The file from the size on: what the name does not change.
  auto body = [](const std::string& text) { return text.substr(text.find("\\size")); };
  for (const auto& c : cases) EXPECT_EQ(body(Made(c.typed)), body(Made(c.written))) << c.typed;
}

TEST(LatticeText, CompleteKeepsWhatIsGivenAndAddsWhatIsMissing) {
  // Two jobs; the header lacks the meet, the first job gives a join in reverse order and an
  // equation of another operation; the second job gives every equation.
  const std::string input =
      "free text\n\\verbose=yes true\n\\subtrahend-in-exponent=7\n\\operationsymbols=f+\n"
      "\\beginjob\n\\name\nM3, the diamond\n\\size\n5\n\\elements\n0abc1\n"
      "\\edges\n(covers) 0a 0b 0c\na1 b1 c1 \\w a remark\n\\constraints\nb+a=1 afb=c\n"
      "\\endofjob\n\\name\nchain\n\\size\n2\n\\elements\nxy\n\\edges\nxy\n\\constraints\n"
      "\\endofjob\n\\enddata\n";
  EXPECT_EQ(Completed(input),
            "\\verbose=true\n\\subtrahend-in-exponent=7\n\\operationsymbols=f+*\n"
            "\\beginjob\n\\name\nM3  the diamond\n\\size\n5\n\\elements\n0abc1\n"
            "\\edges\n0a 0b 0c a1 b1 c1\n\\constraints\nb+a=1 afb=c\n"
            "% The joins and meets of two incomparable elements, added by mirelkon-lattice:\n"
            "a*b=0 a+c=1 a*c=0 b+c=1 b*c=0\n\\endofjob\n"
            "\\beginjob\n\\name\nchain\n\\size\n2\n\\elements\nxy\n\\edges\nxy\n\\constraints\n"
            "% No join or meet of two incomparable elements is missing.\n\\endofjob\n"
            "\\enddata\n");
}

TEST(LatticeText, ElementSymbolsAreDistinctPrintableAndAllowed) {
  const std::string symbols = defaultElementSymbols;
  ASSERT_GE(symbols.size(), 64u);
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    EXPECT_TRUE(symbols[i] > ' ' && symbols[i] < 127) << i;
    EXPECT_EQ(std::string("%\\-*+=()[]'{}?., ").find(symbols[i]), std::string::npos) << i;
    EXPECT_EQ(symbols.find(symbols[i]), i) << symbols[i];
  }
}

}  // namespace

}  // namespace mirelkon
