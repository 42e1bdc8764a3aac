// mirelkon-lattice draw, survey --draw-top and merge --draw-top as users run them: the SVG
// read back by Python's XML parser must have one node per element and one line per cover
// pair, every line going upward; the other formats carry their signatures; the same input
// draws the same bytes; an order that is no lattice is drawn; bad terms and files are refused
// in the words of make and complete.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "draw/hasse_drawing.h"
#include "generate/program_runner.h"
#include "lattice/make_command.h"

namespace mirelkon {

namespace {

const std::string lattice = MIRELKON_LATTICE_BINARY;

struct Line {
  std::string lower, upper;
  double fromY, toY;
  bool marked;
};

// What tests/lattice/svg_diagram.py reads from an SVG drawing.
struct Diagram {
  bool parsed = false;
  std::map<std::string, double> labelY;
  std::set<std::string> markedNodes;
  std::vector<Line> lines;
  std::vector<std::string> captions;
};

Diagram ReadDiagram(const ProgramFolder& folder, const std::string& svg) {
  const ProgramOutcome read = folder.Run(
      "python3", std::string("'") + MIRELKON_SOURCE_DIR + "/tests/lattice/svg_diagram.py' " + svg,
      "diagram.txt");
  Diagram diagram;
  diagram.parsed = read.status == 0;
  std::istringstream in(read.out);
  for (std::string kind; in >> kind;) {
    if (kind == "node") {
      std::string name;
      double y = 0;
      int marked = 0;
      in >> name >> y >> marked;
      diagram.labelY[name] = y;
      if (marked) diagram.markedNodes.insert(name);
    } else if (kind == "edge") {
      Line line;
      int marked = 0;
      in >> line.lower >> line.upper >> line.fromY >> line.toY >> marked;
      line.marked = marked != 0;
      diagram.lines.push_back(line);
    } else {
      std::string caption;
      std::getline(in >> std::ws, caption);
      diagram.captions.push_back(caption);
    }
  }
  return diagram;
}

// The cover pairs of an order by the node names of a single diagram.
std::set<std::pair<std::string, std::string>> CoverNames(const Order& order,
                                                         const std::string& prefix) {
  std::set<std::pair<std::string, std::string>> covers;
  for (int x = 0; x < order.size; ++x)
    for (int y = 0; y < order.size; ++y)
      if (order.Covers(x, y))
        covers.insert({prefix + std::to_string(x), prefix + std::to_string(y)});
  return covers;
}

// Every line joins a lower element to an upper one drawn above it, and runs upward (SVG's y
// grows downward).
void ExpectUpward(const Diagram& diagram, const std::string& what) {
  for (const Line& line : diagram.lines) {
    EXPECT_LT(diagram.labelY.at(line.upper), diagram.labelY.at(line.lower))
        << what << ": " << line.lower << " < " << line.upper;
    EXPECT_LT(line.toY, line.fromY) << what << ": " << line.lower << " < " << line.upper;
  }
}

std::string Quoted(const std::string& text) {
  return "'" + text + "'";
}

// One job: the elements, the edges and the constraints on lines 10, 12 and 14.
std::string Job(const std::string& name, const std::string& elements, const std::string& edges,
                const std::string& constraints) {
  return "\\beginjob\n\\name\n" + name + "\n\\size\n" + std::to_string(elements.size()) +
         "\n\\elements\n" + elements + "\n\\edges\n" + edges + "\n\\constraints\n" + constraints +
         "\n\\endofjob\n";
}

std::string InputFile(const std::string& jobs) {
  return "\\verbose=false\n\\subtrahend-in-exponent=0\n\\operationsymbols=+*\n" + jobs +
         "\\enddata\n";
}

}  // namespace

TEST(Draw, OneNodePerElementAndOneUpwardLinePerCoverPair) {
  if (!DrawingAvailable()) GTEST_SKIP() << "built without Graphviz";
  ProgramFolder folder;
  for (const char* term :
       {"B4", "Pi4", "D360", "N5 + C3", "C4 ^ 3", "young 3 3", "dual tamari 4", "subspaces 2 3"}) {
    ASSERT_EQ(folder.Run(lattice, "draw " + Quoted(term), "out.svg").status, 0) << term;
    const Diagram diagram = ReadDiagram(folder, "out.svg");
    ASSERT_TRUE(diagram.parsed) << term;
    const Order order = NarrowOrder(MakeLattice({term}).lattice.order);
    std::set<std::string> elements;
    for (int x = 0; x < order.size; ++x)
      elements.insert(std::string("e").append(std::to_string(x)));
    std::set<std::string> nodes;
    for (const auto& [name, y] : diagram.labelY) nodes.insert(name);
    EXPECT_EQ(nodes, elements) << term;
    std::set<std::pair<std::string, std::string>> lines;
    for (const Line& line : diagram.lines) lines.insert({line.lower, line.upper});
    EXPECT_EQ(diagram.lines.size(), lines.size()) << term;
    EXPECT_EQ(lines, CoverNames(order, "e")) << term;
    ExpectUpward(diagram, term);
  }
}

TEST(Draw, TopListsOnOneSheetWithRankAndCountAndMergeDrawsTheSame) {
  if (!DrawingAvailable()) GTEST_SKIP() << "built without Graphviz";
  ProgramFolder folder;
  ASSERT_EQ(folder.Run(lattice, "survey 6 --top 7 --draw-top top.svg").status, 0);
  const Diagram sheet = ReadDiagram(folder, "top.svg");
  ASSERT_TRUE(sheet.parsed);
  EXPECT_EQ(sheet.labelY.size(), 7u * 6);
  ASSERT_EQ(sheet.captions.size(), 7u);
  EXPECT_EQ(sheet.captions[0], "rank 1, |Sub(L)| = 64");
  EXPECT_EQ(sheet.captions[6], "rank 7, |Sub(L)| = 43");
  // The chain's 5 covers, three of 52 and two of 46 sublattices with 6 each, and 43 with 6.
  EXPECT_EQ(sheet.lines.size(), 41u);
  ExpectUpward(sheet, "survey 6");
  ASSERT_EQ(folder.Run(lattice, "survey 6 --top 7 --json", "survey.jsonl").status, 0);
  ASSERT_EQ(folder.Run(lattice, "merge survey.jsonl --draw-top merged.svg").status, 0);
  EXPECT_EQ(folder.Read("merged.svg"), folder.Read("top.svg"));
}

TEST(Draw, FormatsCarryTheirSignatureAndTheSameInputGivesTheSameBytes) {
  if (!DrawingAvailable()) GTEST_SKIP() << "built without Graphviz";
  ProgramFolder folder;
  const struct {
    const char* extension;
    std::string signature;
  } formats[] = {
      {"svg", "<?xml"}, {"png", "\x89PNG\r\n\x1a\n"}, {"pdf", "%PDF-"}, {"dot", "digraph hasse {"}};
  for (const auto& format : formats) {
    const std::string first = std::string("first.") + format.extension;
    const std::string second = std::string("second.") + format.extension;
    ASSERT_EQ(folder.Run(lattice, "draw D360 --highlight '1 2 4 8' -o " + first).status, 0);
    ASSERT_EQ(folder.Run(lattice, "draw D360 --highlight '1 2 4 8' -o " + second).status, 0);
    const std::string bytes = folder.Read(first);
    EXPECT_EQ(bytes.substr(0, format.signature.size()), format.signature) << format.extension;
    EXPECT_EQ(bytes, folder.Read(second)) << format.extension;
  }
}

TEST(Draw, HighlightTakesSymbolsOrNamesAndMarksTheCoversInside) {
  if (!DrawingAvailable()) GTEST_SKIP() << "built without Graphviz";
  ProgramFolder folder;
  // divisors 12: elements 1 2 3 4 6 12 with the symbols 1 2 3 4 6 a.
  const struct {
    const char* value;
    std::set<std::string> marked;
    std::set<std::pair<std::string, std::string>> markedLines;
  } cases[] = {
      {"12", {"e5"}, {}},  // the divisor 12, a name before symbols
      {"1,2", {"e0", "e1"}, {{"e0", "e1"}}},
      {"'6 12'", {"e4", "e5"}, {{"e4", "e5"}}},
      {"a", {"e5"}, {}},
      {"'{}'", {}, {}},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(folder.Run(lattice, std::string("draw D12 --highlight ") + c.value, "out.svg").status,
              0)
        << c.value;
    const Diagram diagram = ReadDiagram(folder, "out.svg");
    EXPECT_EQ(diagram.markedNodes, c.marked) << c.value;
    std::set<std::pair<std::string, std::string>> marked;
    for (const Line& line : diagram.lines)
      if (line.marked) marked.insert({line.lower, line.upper});
    EXPECT_EQ(marked, c.markedLines) << c.value;
  }
}

TEST(Draw, EachJobOfAFileAndAnOrderThatIsNoLatticeWithANote) {
  if (!DrawingAvailable()) GTEST_SKIP() << "built without Graphviz";
  ProgramFolder folder;
  folder.Write("jobs.txt",
               InputFile(Job("V", "abc", "ab ac", "") + Job("N5", "oabci", "oa ac ci ob bi", "")));
  const ProgramOutcome each = folder.Run(lattice, "draw jobs.txt -o each.svg");
  EXPECT_EQ(each.status, 0);
  EXPECT_EQ(each.err,
            "jobs.txt:11: note: not a lattice: b and c have no upper bound; drawn as "
            "an order\n");
  const Diagram order = ReadDiagram(folder, "each_1.svg");
  EXPECT_EQ(order.labelY.size(), 3u);
  EXPECT_EQ(order.lines.size(), 2u);
  ExpectUpward(order, "V");
  EXPECT_EQ(ReadDiagram(folder, "each_2.svg").lines.size(), 5u);
  ASSERT_EQ(folder.Run(lattice, "draw jobs.txt --sheet -o sheet.svg").status, 0);
  EXPECT_EQ(ReadDiagram(folder, "sheet.svg").captions, (std::vector<std::string>{"V", "N5"}));
}

TEST(Draw, BadTermsAndFilesAreRefusedAsMakeAndCompleteRefuseThem) {
  ProgramFolder folder;
  for (const char* term : {"foo", "chain", "'boolean 11'", "'divisors 0'", "'C2 x'", "'(C2'"}) {
    const ProgramOutcome made = folder.Run(lattice, std::string("make ") + term);
    const ProgramOutcome drawn = folder.Run(lattice, std::string("draw ") + term);
    EXPECT_EQ(drawn.status, 1) << term;
    EXPECT_EQ(drawn.out, "") << term;
    EXPECT_EQ(drawn.err, made.err) << term;
  }
  // make writes a lattice of more than 64 elements as a lattice file; draw takes none.
  const ProgramOutcome large = folder.Run(lattice, "draw boolean 7");
  EXPECT_EQ(large.status, 1);
  EXPECT_EQ(large.err,
            "mirelkon-lattice: boolean 7 has 128 elements; draw takes lattices of at "
            "most 64\n");
  const std::string header = "\\verbose=false\n\\subtrahend-in-exponent=0\n\\operationsymbols=+*\n";
  const std::string files[] = {
      InputFile(Job("cycle", "abc", "ab bc ca", "")),
      InputFile(Job("wrong", "0ab1", "0a 0b a1 b1", "a*b=0 a+b=0")),
      InputFile(Job("edge", "0ab1", "0a 0x", "")),
      header + "\\beginjob\n\\name\nL\n\\size\n2\n",
  };
  for (const std::string& file : files) {
    folder.Write("in.txt", file);
    const ProgramOutcome completed = folder.Run(lattice, "complete in.txt");
    const ProgramOutcome drawn = folder.Run(lattice, "draw in.txt");
    EXPECT_EQ(drawn.status, 1) << file;
    EXPECT_EQ(drawn.out, "") << file;
    EXPECT_EQ(drawn.err, completed.err) << file;
  }
}

TEST(Draw, CommandLineRefusals) {
  ProgramFolder folder;
  folder.Write("taken.svg", "");
  const std::string missing = DrawingAvailable() ? "" : DrawingUnavailableText();
  const struct {
    const char* arguments;
    std::string error;
  } cases[] = {
      {"draw", "draw needs a lattice or an input file, for instance: draw divisors 60"},
      {"draw C4 -o c4.gif", "-o needs a file name ending in .svg, .png, .pdf or .dot"},
      {"draw C4 --highlight 0q",
       missing.empty() ? "--highlight: \"0q\" is no element of C4" : missing},
      {"draw C4 -o taken.svg",
       missing.empty() ? "taken.svg exists already; it is not overwritten" : missing},
      {"draw C4 --verbose", "--subtrahend and --verbose belong to make; draw writes no input file"},
      {"make C4 --sheet", "--highlight and --sheet belong to draw"},
      {"all 5 --draw-top top.svg", "--draw-top belongs to survey and merge"},
      {"survey 5 --draw-top top.gif",
       "--draw-top needs a file name ending in .svg, .png, .pdf or .dot"},
  };
  for (const auto& c : cases) {
    const ProgramOutcome outcome = folder.Run(lattice, c.arguments);
    EXPECT_EQ(outcome.status, 1) << c.arguments;
    EXPECT_EQ(outcome.out, "") << c.arguments;
    EXPECT_EQ(outcome.err, "mirelkon-lattice: " + c.error + "\n") << c.arguments;
  }
}

TEST(Draw, MirelkonDrawsEachListedSubsetMarkedInLUpToTheLimit) {
  if (!DrawingAvailable()) GTEST_SKIP() << "built without Graphviz";
  ProgramFolder folder;
  const std::string examples = std::string("'") + MIRELKON_SOURCE_DIR + "/examples/";
  const ProgramOutcome pentagon = folder.Run(
      MIRELKON_BINARY, "--batch --no-results --list --draw subsets " + examples + "n5.txt'");
  ASSERT_EQ(pentagon.status, 0);
  EXPECT_NE(pentagon.out.find("-- They are drawn in subsets.\r\n"), std::string::npos);
  // The subsets as listed, one a line (ended by CR LF) after the heading; each drawing marks
  // its elements.
  std::istringstream lines(pentagon.out.substr(pentagon.out.find("closed subsets:\r\n") + 17));
  const std::string symbols = "oabci";
  int k = 0;
  for (std::string subset; std::getline(lines, subset) && subset != "\r";) {
    subset.pop_back();
    std::set<std::string> expected;
    for (char symbol : subset)
      if (symbol != '{' && symbol != '}')
        expected.insert(std::string("e").append(std::to_string(symbols.find(symbol))));
    const Diagram diagram = ReadDiagram(folder, "subsets/n5_1_" + std::to_string(++k) + ".svg");
    EXPECT_EQ(diagram.labelY.size(), 5u) << subset;
    EXPECT_EQ(diagram.markedNodes, expected) << subset;
  }
  EXPECT_EQ(k, 23);
  const ProgramOutcome chain = folder.Run(
      MIRELKON_BINARY, "--batch --no-results --list --draw chain " + examples + "chain10.txt'");
  EXPECT_NE(chain.out.find("-- The first 100 are drawn in chain.\r\n"), std::string::npos);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path() / "chain"),
                          std::filesystem::directory_iterator()),
            100);
}

}  // namespace mirelkon
