// mirelkon-lattice all, survey and merge as users run them: every line of all is a lattice,
// as many as published and no two isomorphic; the survey's largest counts are those of the
// published theorem and every count equals mirelkon's for the lattice's input file; parts,
// threads and merge give the whole run; refusals leave nothing on standard output.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/lattice.h"
#include "generate/lattice_checks.h"
#include "generate/lattice_counts.h"
#include "generate/program_runner.h"

namespace mirelkon {

namespace {

using Json = nlohmann::json;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<Json> Records(const std::string& text) {
  std::vector<Json> records;
  for (const std::string& line : Lines(text)) records.push_back(Json::parse(line));
  return records;
}

ProgramOutcome Lattice(const ProgramFolder& folder, const std::string& arguments,
                       const std::string& output = "stdout.txt") {
  return folder.Run(MIRELKON_LATTICE_BINARY, arguments, output);
}

// The standard output of a run that must succeed without a word on standard error.
std::string Output(const ProgramFolder& folder, const std::string& arguments,
                   const std::string& output = "stdout.txt") {
  const ProgramOutcome outcome = Lattice(folder, arguments, output);
  EXPECT_EQ(outcome.status, 0) << arguments;
  EXPECT_EQ(outcome.err, "") << arguments;
  return outcome.out;
}

// A count of a survey record, written as a decimal string.
std::uint64_t Number(const std::string& line, const char* field) {
  return std::stoull(Json::parse(line)[field].get<std::string>());
}

// The cover pairs of a digraph6 line written as --covers writes them.
std::string CoverList(const std::vector<std::pair<int, int>>& arcs) {
  std::string text;
  for (const auto& [lower, upper] : arcs) {
    if (!text.empty()) text += ' ';
    text += std::to_string(lower) + "<" + std::to_string(upper);
  }
  return text;
}

TEST(AllCommand, EveryLineIsALatticeAsPublishedAndNoTwoAreIsomorphic) {
  const ProgramFolder folder;
  for (int n = 1; n <= 11; ++n) {
    const std::string size = std::to_string(n);
    const std::vector<std::string> lines = Lines(Output(folder, "all " + size));
    const std::vector<std::string> covers = Lines(Output(folder, "all " + size + " --covers"));
    EXPECT_EQ(lines.size(), KnownLatticeCount(n)) << n;
    EXPECT_EQ(Output(folder, "all " + size + " --count"),
              std::to_string(KnownLatticeCount(n)) + "\n");
    ASSERT_EQ(covers.size(), lines.size()) << n;
    std::set<UpSets> forms;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      std::vector<std::pair<int, int>> arcs;
      const std::optional<Order> order = ParseDigraph6(lines[i], arcs);
      ASSERT_TRUE(order && order->size == n) << lines[i];
      ASSERT_FALSE(CheckLattice(*order).fault) << lines[i];
      for (const auto& [lower, upper] : arcs) {
        EXPECT_LT(lower, upper) << "not numbered along a linear extension: " << lines[i];
        EXPECT_TRUE(order->Covers(lower, upper)) << "an arc that is no cover: " << lines[i];
      }
      int coverCount = 0;
      for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) coverCount += order->Covers(x, y);
      EXPECT_EQ(arcs.size(), static_cast<std::size_t>(coverCount)) << lines[i];
      EXPECT_EQ(covers[i], CoverList(arcs));
      UpSets up{};
      std::copy(order->above.begin(), order->above.begin() + n, up.begin());
      if (n <= 9) {
        EXPECT_TRUE(forms.insert(BruteForceCanonicalForm(up, n)).second) << lines[i];
      }
    }
  }
}

TEST(SurveyCommand, LargestCountsFollowThePublishedTheorem) {
  const ProgramFolder folder;
  const std::vector<Json> records =
      Records(Output(folder, "survey 5..11 --json --top 1 --at-least '23*2^(N-5)'"));
  std::map<int, std::vector<std::pair<std::uint64_t, std::uint64_t>>> distribution;
  std::map<int, int> listed;
  std::map<int, std::string> best;
  for (const Json& r : records) {
    const int n = r["n"];
    if (r.contains("rank") && r["list"] == "at-least") ++listed[n];
    if (r.contains("rank") && r["list"] == "top") best[n] = r["covers"].dump();
    if (r.contains("sub") && !r.contains("rank"))
      distribution[n].push_back({std::stoull(r["sub"].get<std::string>()),
                                 std::stoull(r["lattices"].get<std::string>())});
  }
  for (int n = 5; n <= 11; ++n) {
    const auto& values = distribution[n];
    ASSERT_GE(values.size(), 4u) << n;
    EXPECT_EQ(values[0], std::make_pair(std::uint64_t{1} << n, std::uint64_t{1})) << n;
    EXPECT_EQ(values[1].first, 13u << (n - 4)) << n;
    EXPECT_EQ(values[2].first, 23u << (n - 5)) << n;
    EXPECT_EQ(listed[n], values[0].second + values[1].second + values[2].second) << n;
    std::string chain = "[";
    for (int x = 0; x + 1 < n; ++x)
      chain += (x > 0 ? ",[" : "[") + std::to_string(x) + "," + std::to_string(x + 1) + "]";
    EXPECT_EQ(best[n], chain + "]") << n;
  }
}

// Every lattice of up to 9 elements is written as an input file (all --input) and counted
// by mirelkon; the survey lists every lattice with its count (--at-least 0). The counts must
// agree lattice by lattice, the lattice known by its cover pairs (all --covers, in the
// order of the files).
TEST(SurveyCommand, EveryCountEqualsMirelkonsCountOfTheLatticesInputFile) {
  const ProgramFolder folder;
  std::map<std::string, std::string> surveyed, counted;
  for (const Json& r : Records(Output(folder, "survey 1..9 --json --top 0 --at-least 0")))
    if (r.contains("rank")) surveyed[r["covers"].dump()] = r["sub"];
  for (int n = 1; n <= 9; ++n) {
    const std::string size = std::to_string(n), dir = "d" + size;
    const std::vector<std::string> covers = Lines(Output(folder, "all " + size + " --covers"));
    Output(folder, "all " + size + " -o " + dir + " --input");
    std::vector<std::string> counts;
    for (const Json& r : Records(folder.Run(MIRELKON_BINARY, "--json " + dir + "/*.txt").out))
      counts.push_back(r["sub"]);
    ASSERT_EQ(counts.size(), covers.size()) << n;
    for (std::size_t i = 0; i < covers.size(); ++i) {
      Json pairs = Json::array();
      std::istringstream in(covers[i]);
      for (int lower, upper; in >> lower && in.ignore() && in >> upper;)
        pairs.push_back({lower, upper});
      counted[pairs.dump()] = counts[i];
    }
  }
  EXPECT_EQ(counted.size(), 1 + 1 + 1 + 2 + 5 + 15 + 53 + 222 + 1078u);
  EXPECT_EQ(counted, surveyed);
}

// survey --top-input: the top lists as input files, named by size and rank, each counted by
// mirelkon as the survey ranks it.
TEST(SurveyCommand, TopListsAsInputFilesKeepTheirCounts) {
  const ProgramFolder folder;
  std::vector<std::string> surveyed;
  for (const Json& r : Records(Output(folder, "survey 7..8 --json --top 3 --top-input top")))
    if (r.contains("rank")) surveyed.push_back(r["sub"]);
  std::vector<std::string> counted, files;
  for (const Json& r : Records(folder.Run(MIRELKON_BINARY, "--json top/*.txt").out)) {
    counted.push_back(r["sub"]);
    files.push_back(r["file"]);
  }
  EXPECT_EQ(counted, surveyed);
  EXPECT_EQ(files,
            (std::vector<std::string>{"top/n7_top1.txt", "top/n7_top2.txt", "top/n7_top3.txt",
                                      "top/n8_top1.txt", "top/n8_top2.txt", "top/n8_top3.txt"}));
  // The folder is new: a second run is refused and leaves the first run's files.
  EXPECT_EQ(Lattice(folder, "survey 7 --top-input top").status, 1);
  EXPECT_EQ(Records(folder.Run(MIRELKON_BINARY, "--json top/*.txt").out).size(), 6u);
}

TEST(Parts, PartsThreadsAndMergeGiveTheWholeRun) {
  const ProgramFolder folder;
  const std::vector<std::string> whole = Lines(Output(folder, "all 10"));
  std::multiset<std::string> joined;
  std::string files;
  for (int k = 1; k <= 7; ++k) {
    const std::string part = " --part " + std::to_string(k) + "/7";
    for (const std::string& line : Lines(Output(folder, "all 10" + part))) joined.insert(line);
    const std::string file = "part" + std::to_string(k) + ".jsonl";
    Output(folder, "survey 9..10 --json --at-least 700" + part, file);
    files += " " + file;
  }
  EXPECT_EQ(joined, std::multiset<std::string>(whole.begin(), whole.end()));
  const std::vector<std::string> threaded = Lines(Output(folder, "all 10 -j 3"));
  EXPECT_EQ(std::multiset<std::string>(threaded.begin(), threaded.end()),
            std::multiset<std::string>(whole.begin(), whole.end()));

  EXPECT_EQ(Output(folder, "merge --json" + files),
            Output(folder, "survey 9..10 --json --at-least 700 -j 2"));
  EXPECT_EQ(Output(folder, "merge" + files), Output(folder, "survey 9..10 --at-least 700"));
}

TEST(Parts, CountedPartsCarryTheirPartAndMergeToTheWholeCount) {
  const ProgramFolder folder;
  std::string files;
  for (int k = 1; k <= 4; ++k) {
    const std::string file = std::to_string(k) + "c.jsonl";
    const Json record =
        Json::parse(Output(folder, "all 10 --count --part " + std::to_string(k) + "/4 -j 2", file));
    EXPECT_EQ(record["n"], 10);
    EXPECT_EQ(record["part"], std::to_string(k) + "/4");
    EXPECT_EQ(record["checksum"].get<std::string>().size(), 16u);
    files += " " + file;
  }
  EXPECT_EQ(Output(folder, "all 10 --count"), "5994\n");
  EXPECT_EQ(Output(folder, "merge" + files), "5994\n");
  EXPECT_EQ(Output(folder, "merge --json" + files), "{\"n\":10,\"lattices\":\"5994\"}\n");
}

// Each file is checked against its own header, so a damaged part is named, never added; the
// refusal names every damaged file and then the parts to run again.
TEST(Parts, MergeRefusesDamagedPartsAndNamesThePartsToRunAgain) {
  const ProgramFolder folder;
  for (const char* k : {"1", "2", "3"}) {
    Output(folder, std::string("survey 7 --json --at-least 60 --part ") + k + "/3",
           std::string("p") + k + ".jsonl");
    Output(folder, std::string("all 9 --count --part ") + k + "/3",
           std::string("c") + k + ".jsonl");
  }
  const std::vector<std::string> lines = Lines(folder.Read("p1.jsonl"));
  auto write = [&](const std::string& name, std::vector<std::string> edited) {
    std::string text;
    for (const std::string& line : edited) text += line + "\n";
    folder.Write(name, text);
  };
  auto without = [&](std::size_t at) {
    std::vector<std::string> edited = lines;
    edited.erase(edited.begin() + static_cast<long>(at));
    return edited;
  };
  const std::size_t firstTop = 1 + std::count_if(lines.begin(), lines.end(), [](auto& line) {
                                 return line.find("\"rank\"") == std::string::npos &&
                                        line.find("\"top\":") == std::string::npos;
                               });
  std::vector<std::string> doubled = lines;
  doubled.insert(doubled.begin() + static_cast<long>(firstTop), lines[firstTop]);
  std::vector<std::string> tooMany = lines;
  const std::string sub = Json::parse(lines[1])["sub"];
  tooMany[1].replace(tooMany[1].find("\"" + sub + "\""), sub.size() + 2, "\"4600\"");
  write("cut.jsonl", std::vector<std::string>(lines.begin(), lines.begin() + firstTop));
  write("dropped.jsonl", without(firstTop + 1));
  write("doubled.jsonl", doubled);
  std::vector<std::string> renumbered = lines;
  renumbered[firstTop + 1] = lines[firstTop];
  renumbered[firstTop + 1].replace(renumbered[firstTop + 1].find("\"rank\":1"), 8, "\"rank\":2");
  write("renumbered.jsonl", renumbered);
  write("toomany.jsonl", tooMany);
  write("lastlisted.jsonl", without(lines.size() - 1));
  write("distribution.jsonl", without(2));
  std::string count = folder.Read("c2.jsonl");
  count[count.find("\"lattices\":\"") + 12] ^= 1;
  folder.Write("badcount.jsonl", count);
  const std::uint64_t total = Number(lines[0], "lattices");
  const auto listed = std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.find("at-least") != std::string::npos;
  });
  ASSERT_GT(listed, 1);
  const std::string rerun =
      "mirelkon-lattice: 7 elements: 1 of the 3 parts is missing or failed: 1";
  const struct {
    std::string arguments;
    std::string error;
  } cases[] = {
      {"cut.jsonl p2.jsonl p3.jsonl",
       "cut.jsonl:1: the top list of the lattices of 7 elements has 0 lattices, not 10; is the "
       "file complete?\n" +
           rerun},
      {"dropped.jsonl p2.jsonl p3.jsonl", "dropped.jsonl:" + std::to_string(firstTop + 2) +
                                              ": rank 3 of the top list where rank 2 belongs\n" +
                                              rerun},
      {"doubled.jsonl p2.jsonl p3.jsonl", "doubled.jsonl:" + std::to_string(firstTop + 2) +
                                              ": rank 1 of the top list where rank 2 belongs\n" +
                                              rerun},
      {"renumbered.jsonl p2.jsonl p3.jsonl",
       "renumbered.jsonl:" + std::to_string(firstTop + 2) +
           ": rank 2 of the top list does not rank below rank 1\n" + rerun},
      {"toomany.jsonl p2.jsonl p3.jsonl",
       "toomany.jsonl:2: |Sub(L)| = 4600 lies outside 8..128, the range for 7 elements\n" + rerun},
      {"lastlisted.jsonl p2.jsonl p3.jsonl",
       "lastlisted.jsonl:1: the at-least list of the lattices of 7 elements has " +
           std::to_string(listed - 1) + " lattices, not " + std::to_string(listed) +
           "; is the file complete?\n" + rerun},
      {"distribution.jsonl p2.jsonl p3.jsonl",
       "distribution.jsonl:1: the numbers of sublattices of the lattices of 7 elements add up to " +
           std::to_string(total - Number(lines[2], "lattices")) + " lattices, not " +
           std::to_string(total) + "; is the file complete?\n" + rerun},
      {"c1.jsonl badcount.jsonl p1.jsonl",
       "badcount.jsonl:1: the checksum does not match the numbers; the record is damaged\n"
       "mirelkon-lattice: 7 elements: 2 of the 3 parts are missing: 2, 3\n"
       "mirelkon-lattice: 9 elements: 2 of the 3 parts are missing: 2, 3"},
      {"c1.jsonl c2.jsonl c3.jsonl p1.jsonl p2.jsonl p3.jsonl", ""},
      {"c1.jsonl p1.jsonl c2.jsonl p2.jsonl",
       "mirelkon-lattice: 7 elements: 1 of the 3 parts is missing: 3\n"
       "mirelkon-lattice: 9 elements: 1 of the 3 parts is missing: 3"},
  };
  for (const auto& c : cases) {
    const ProgramOutcome outcome = Lattice(folder, "merge " + c.arguments);
    EXPECT_EQ(outcome.status, c.error.empty() ? 0 : 1) << c.arguments;
    if (c.error.empty()) continue;
    EXPECT_EQ(outcome.out, "") << c.arguments;
    EXPECT_EQ(outcome.err, c.error + "\n") << c.arguments;
  }
}

TEST(Refusals, NameTheMistakeAndWriteNothing) {
  const ProgramFolder folder;
  for (const char* k : {"1", "2", "3"})
    Output(folder, std::string("survey 6 --json --part ") + k + "/3",
           std::string("p") + k + ".jsonl");
  Output(folder, "survey 6 --json", "whole.jsonl");
  folder.Write("cut.jsonl", folder.Read("whole.jsonl").substr(0, 60));
  const struct {
    const char* arguments;
    const char* error;
  } cases[] = {
      {"all", "all needs the number of elements, for instance: all 10"},
      {"all 21", "the number of elements must be a whole number from 1 to 20, not \"21\""},
      {"survey 9..5", "in \"9..5\", the first size must not exceed the second"},
      {"all 5 --part 8/7",
       "--part needs K/M, part K of M with 1 <= K <= M <= 1000000, for instance --part 3/100"},
      {"all 5 -j 0", "-j needs a whole number of threads from 1 to 256"},
      {"all 5 --covers --count", "give only one of --count, --covers and --input"},
      {"survey 5 --covers", "--count, --covers and --input belong to all"},
      {"all 5 --json", "--top, --at-least and --json belong to survey"},
      {"survey 5 --at-least '2^(M-3)'",
       "--at-least needs a whole number or k*2^(N-s), for instance 83*2^(N-8)"},
      {"merge", "merge needs the outputs of survey --json to add up"},
      {"merge p1.jsonl p2.jsonl", "6 elements: 1 of the 3 parts is missing: 3"},
      {"merge p1.jsonl p2.jsonl p3.jsonl p2.jsonl",
       "6 elements: p2.jsonl and p2.jsonl are both part 2/3"},
      {"merge whole.jsonl p1.jsonl",
       "6 elements: whole.jsonl and p1.jsonl overlap: one of them surveys every lattice"},
      {"merge cut.jsonl", "cut.jsonl:2: not a line written by survey --json"},
      {"all 5 --input", "--input needs -o DIR, the new folder for the files"},
      {"all 5 --top-input top", "--top-input belongs to survey"},
      {"survey 5 --top-input p1.jsonl", "p1.jsonl exists already; it is not overwritten"},
      {"all 5 -o p1.jsonl --input", "p1.jsonl exists already; it is not overwritten"},
      {"all 12 -o d12 --input",
       "all 12 --input would write 262776 files, more than the 100000 one folder takes; split "
       "it with --part K/M"},
  };
  for (const auto& c : cases) {
    const ProgramOutcome outcome = Lattice(folder, c.arguments);
    EXPECT_EQ(outcome.status, 1) << c.arguments;
    EXPECT_EQ(outcome.out, "") << c.arguments;
    const std::string error = c.error;
    EXPECT_EQ(
        outcome.err,
        (error.find(".jsonl:") == std::string::npos ? "mirelkon-lattice: " : "") + error + "\n")
        << c.arguments;
  }
}

// Failures outside the command line have statuses of their own: 4 for output that cannot be
// written, 5 for memory that runs out, each with one line.
TEST(Refusals, OutputAndMemoryFailuresHaveTheirOwnStatus) {
  const ProgramFolder folder;
  const struct {
    const char* arguments;
    int status;
    const char* error;
  } cases[] = {
    {"all 5 > /dev/full", 4, "cannot write to standard output: No space left on device"},
    {"make chain 3 -o /proc/x", 4, "cannot create /proc/x: No such file or directory"},
#if !defined(__SANITIZE_ADDRESS__)  // which reserves more address space than the limit
    {"-c \"ulimit -v 60000; exec '" MIRELKON_LATTICE_BINARY "' survey 9\"", 5,
     "out of memory while running survey"},
#endif
  };
  for (const auto& c : cases) {
    const ProgramOutcome outcome =
        c.arguments[0] == '-' ? folder.Run("/bin/sh", c.arguments) : Lattice(folder, c.arguments);
    EXPECT_EQ(outcome.status, c.status) << c.arguments;
    EXPECT_EQ(outcome.err, std::string("mirelkon-lattice: ") + c.error + "\n") << c.arguments;
  }
}

}  // namespace

}  // namespace mirelkon
