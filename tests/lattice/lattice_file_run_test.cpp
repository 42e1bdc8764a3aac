// mirelkon on lattice files: the same counts as through input files up to 64 elements, known
// counts beyond, the queries the wide counter answers, and refusals on the line at fault.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "draw/hasse_drawing.h"
#include "generate/program_runner.h"

namespace mirelkon {

namespace {

const std::string lattice = MIRELKON_LATTICE_BINARY;
const std::string mirelkon = MIRELKON_BINARY;

// The |Sub(L)| of every result line of a run's standard output.
std::vector<std::string> Counts(const std::string& screen) {
  static const std::regex result(R"(-- Result:   \|Sub\(L\)\|=(\d+) )");
  std::vector<std::string> counts;
  for (std::sregex_iterator it(screen.begin(), screen.end(), result), end; it != end; ++it)
    counts.push_back((*it)[1]);
  return counts;
}

std::vector<std::string> CountsOf(const ProgramFolder& folder, const std::string& file) {
  const ProgramOutcome run = folder.Run(mirelkon, "--no-results " + file + " </dev/null");
  EXPECT_EQ(run.status, 0) << file << ": " << run.err;
  return Counts(run.out);
}

TEST(LatticeFileRun, SmallLatticesCountAsTheirInputFiles) {
  ProgramFolder folder;
  for (const char* term : {"B4", "'divisors 60'", "'partitions 4'", "'subspaces 2 3'", "'tamari 4'",
                           "'young 3 3'", "'C3 x C4 + M3'", "'C8 x C8'", "'diamond 62'", "C1"}) {
    ASSERT_EQ(folder.Run(lattice, std::string("make ") + term + " -o in.txt").status, 0) << term;
    ASSERT_EQ(folder.Run(lattice, std::string("make ") + term + " --names -o names.txt").status, 0)
        << term;
    const std::vector<std::string> byInput = CountsOf(folder, "in.txt");
    ASSERT_EQ(byInput.size(), 1u) << term;
    EXPECT_EQ(CountsOf(folder, "names.txt"), byInput) << term;
    std::filesystem::remove(folder.Path() / "in.txt");
    std::filesystem::remove(folder.Path() / "names.txt");
  }
}

// Every lattice of 6 elements as digraph6 and as its cover pairs, all in one file each: the
// counts agree line by line, and with the input files all writes.
TEST(LatticeFileRun, EveryLatticeOfSixElementsThroughEachForm) {
  ProgramFolder folder;
  ASSERT_EQ(folder.Run(lattice, "all 6", "graphs.txt").status, 0);
  ASSERT_EQ(folder.Run(lattice, "all 6 --covers", "covers.txt").status, 0);
  std::string separated;
  for (char c : folder.Read("covers.txt"))
    separated += c == '\n' ? std::string("\n---\n") : std::string(1, c);
  folder.Write("covers.txt", separated);
  const std::vector<std::string> graphs = CountsOf(folder, "graphs.txt");
  EXPECT_EQ(graphs.size(), 15u);
  EXPECT_EQ(CountsOf(folder, "covers.txt"), graphs);
  ASSERT_EQ(folder.Run(lattice, "all 6 -o inputs --input").status, 0);
  std::vector<std::string> inputs;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path() / "inputs")) {
    const std::vector<std::string> counts = CountsOf(folder, entry.path().string());
    inputs.insert(inputs.end(), counts.begin(), counts.end());
  }
  std::vector<std::string> sortedGraphs = graphs;
  std::sort(sortedGraphs.begin(), sortedGraphs.end());
  std::sort(inputs.begin(), inputs.end());
  EXPECT_EQ(inputs, sortedGraphs);
}

TEST(LatticeFileRun, LargeLatticesAndTheirQueries) {
  ProgramFolder folder;
  struct Case {
    const char* term;
    const char* options;
    std::vector<std::string> lines;  // expected among the screen's lines
  };
  const Case cases[] = {
      {"chain 100",
       "",
       {"-- Result:   |Sub(L)|=1267650600228229401496703205376 for the partial lattice"}},
      {"diamond 70",
       "--containing 'a1 a2'",
       {"-- Result:   |Sub(L)|=1180591620717411303637 for the partial lattice",
        "-- Closed subsets holding a1, a2: 295147905179352825856"}},
      {"chain 100",
       "--bounded --profile",
       {"-- Closed subsets holding 0, 99: 316912650057057350374175801344",
        "-- Closed subsets holding 0, 99 of size 2: 1",
        "-- Closed subsets holding 0, 99 of size 3: 98"}},
      {"C13 x C5", "", {"-- Result:   |Sub(L)|=539764032 for the partial lattice"}},
      {"diamond 70",
       "--containing nothing",
       {"-- Not answered beyond the count: \"nothing\" is no element of L"}},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(folder.Run(lattice, std::string("make ") + c.term + " -o big.txt").status, 0);
    const ProgramOutcome run =
        folder.Run(mirelkon, std::string("--no-results ") + c.options + " big.txt </dev/null");
    for (const std::string& line : c.lines)
      EXPECT_NE(run.out.find(line + "\r\n"), std::string::npos) << c.term << ": " << line << "\n"
                                                                << run.out;
    std::filesystem::remove(folder.Path() / "big.txt");
  }
}

// A chain of 66 under a square has 13 * 2^65 sublattices, of which the swap of the atoms fixes
// 5 * 2^65 (those with both atoms or neither), so 9 * 2^65 up to symmetry, 5 * 2^65 holding
// an atom. M_70's 70! automorphisms are too many to run through.
TEST(LatticeFileRun, LargeLatticesUpToSymmetry) {
  ProgramFolder folder;
  struct Case {
    const char* term;
    const char* options;
    int status;
    std::vector<std::string> lines;  // expected among the screen's lines
  };
  const Case cases[] = {
      {"C66 + B2",
       "",
       0,
       {"-- |Aut(L)|=2", "-- Closed subsets up to symmetry: 332041393326771929088"}},
      {"C66 + B2",
       "--containing 2:{1}",
       0,
       {"-- Closed subsets holding 2:{1} up to symmetry: 184467440737095516160, under the 1 "
        "automorphisms keeping them"}},
      {"diamond 70",
       "--list",
       3,
       {"-- |Aut(L)|=11978571669969891796072783721689098736458938142546425857555362864628009582789"
        "845319680000000000000000",
        "-- Closed subsets up to symmetry: not counted, |Aut(L)| is above 1000000"}},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(folder.Path() / "big.txt");
    ASSERT_EQ(folder.Run(lattice, std::string("make ") + c.term + " -o big.txt").status, 0);
    const ProgramOutcome run = folder.Run(mirelkon, std::string("--no-results --up-to-symmetry ") +
                                                        c.options + " big.txt </dev/null");
    EXPECT_EQ(run.status, c.status) << c.term << " " << c.options;
    for (const std::string& line : c.lines)
      EXPECT_NE(run.out.find(line + "\r\n"), std::string::npos) << c.term << ": " << line << "\n"
                                                                << run.out;
  }
  // The reasons of all answers withheld share one field.
  const ProgramOutcome json = folder.Run(mirelkon, "--json --up-to-symmetry --list big.txt");
  const std::string withheld = "\"withheld\":\"up to symmetry: |Aut(L)| is above 1000000; ";
  EXPECT_NE(json.out.find("\"sub_up_to_symmetry\":null," + withheld), std::string::npos)
      << json.out;
  EXPECT_EQ(json.out.find("\"withheld\""), json.out.rfind("\"withheld\"")) << json.out;
}

// Through a pipe, read ahead to tell what it is, each kind of file counts as from a file.
TEST(LatticeFileRun, StandardInputThroughAPipe) {
  ProgramFolder folder;
  for (const char* options : {"", " --names"}) {
    ASSERT_EQ(folder.Run(lattice, std::string("make C5 x B3 -o file.txt") + options).status, 0);
    const std::vector<std::string> fromFile = CountsOf(folder, "file.txt");
    const ProgramOutcome piped =
        folder.Run(lattice, std::string("make C5 x B3") + options + " | '" + mirelkon +
                                "' --batch --no-results -");
    EXPECT_EQ(piped.status, 0) << options << piped.err;
    EXPECT_EQ(fromFile.size(), 1u) << options;
    EXPECT_EQ(Counts(piped.out), fromFile) << options;
    std::filesystem::remove(folder.Path() / "file.txt");
  }
}

TEST(LatticeFileRun, JsonRecordsOfLargeLattices) {
  ProgramFolder folder;
  ASSERT_EQ(folder.Run(lattice, "make chain 70 -o c70.txt").status, 0);
  const ProgramOutcome run = folder.Run(mirelkon, "--json --profile c70.txt");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\"sub\":\"1180591620717411303424\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"size\":70,"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"54740"), std::string::npos) << run.out;  // C(70, 3)
}

// The sublattices of a chain of 70 elements holding 8..69: each subset of 0..7 with 8..69
// added, in the order of binary numbers whose most significant digit is element 0, or by size.
std::vector<std::string> ChainOf70Holding8Up(bool bySize) {
  std::string above = "8";
  for (int e = 9; e < 70; ++e) above.append(" ").append(std::to_string(e));
  std::vector<std::pair<int, std::string>> sets;
  for (int bits = 0; bits < 256; ++bits) {
    std::string text;
    for (int e = 0; e < 8; ++e)
      if ((bits >> (7 - e) & 1) != 0) text += std::to_string(e) + " ";
    sets.push_back({std::popcount(static_cast<unsigned>(bits)), text + above});
  }
  if (bySize)
    std::stable_sort(sets.begin(), sets.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> texts;
  for (const auto& [size, text] : sets) texts.push_back(text);
  return texts;
}

// The lines, each between `before` and `after`, in one text.
std::string Joined(const std::vector<std::string>& lines, const std::string& before,
                   const std::string& after) {
  std::string text;
  for (const std::string& line : lines) text += before + line + after;
  return text;
}

TEST(LatticeFileRun, ListsOfLargeLatticesNarrowedByTheirElements) {
  ProgramFolder folder;
  ASSERT_EQ(folder.Run(lattice, "make chain 70 -o c70.txt").status, 0);
  std::string holding;
  for (int e = 8; e < 70; ++e) holding += std::to_string(e) + " ";
  const std::string json = R"({"file":"c70.txt","job":1,"subset":")";
  struct Case {
    const char* options;
    int status;
    std::string expected;  // in the screen's text, or in list.txt with --list-to
  };
  const Case cases[] = {
      {"--list", 0,
       "-- The 256 closed subsets:\r\n" + Joined(ChainOf70Holding8Up(false), "", "\r\n")},
      {"--list --by-size", 0, Joined(ChainOf70Holding8Up(true), "", "\r\n")},
      {"--list-to list.txt", 0,
       "% lattice 1 of line 2, 70 elements: 256 closed subsets\r\n" +
           Joined(ChainOf70Holding8Up(false), "", "\r\n")},
      {"--json --list", 0, Joined(ChainOf70Holding8Up(false), json, "\"}\n")},
      {"--list 255", 3,
       "-- The closed subsets are not listed: 256 of them, more than the limit 255\r\n"},
      {"--json --list 255", 3,
       R"("listed":null,"withheld":"list: 256 of them, more than the limit 255")"},
      {"--draw drawings", 3,
       "-- The 256 closed subsets are listed on standard output.\r\n-- The closed subsets "
       "are not drawn: a drawing takes at most 64 elements.\r\n"},
  };
  for (const Case& c : cases) {
    if (std::string(c.options).starts_with("--draw") && !DrawingAvailable()) continue;
    const ProgramOutcome run = folder.Run(
        mirelkon, std::string(c.options) + " --no-results --containing '" + holding + "' c70.txt");
    EXPECT_EQ(run.status, c.status) << c.options << ": " << run.err;
    const bool toFile = std::string(c.options).starts_with("--list-to");
    const std::string text = toFile ? folder.Read("list.txt") : run.out;
    EXPECT_NE(text.find(c.expected), std::string::npos) << c.options << "\n" << text;
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "drawings")) << c.options;
  }
}

TEST(LatticeFileRun, RefusalsNameTheFileAndTheLine) {
  ProgramFolder folder;
  struct Case {
    const char* text;
    const char* diagnostic;
  };
  const Case cases[] = {
      {"% a cycle\na<b\nb<c\nc<a\n", "bad.txt:2: not a lattice: a and b are each below the other"},
      {"a<b\n\nlong name<c\n", "bad.txt:3: \"long\" is no cover pair lower<upper"},
      {"0<a 0<b\n", "bad.txt:1: not a lattice: a and b have no upper bound"},
  };
  for (const Case& c : cases) {
    folder.Write("bad.txt", c.text);
    const ProgramOutcome run = folder.Run(mirelkon, "--batch bad.txt");
    EXPECT_EQ(run.status, 1) << c.text;
    EXPECT_NE(run.err.find(c.diagnostic), std::string::npos) << c.text << run.err;
  }
}

}  // namespace

}  // namespace mirelkon
