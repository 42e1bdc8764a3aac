// Whole runs, in process, of the bundled sample, the example lattices and the
// benchmark lattices: every job's |Sub(L)| must be the count known for it, and no file
// gives a warning. The example
// files state their counts in comments ("expected |Sub(L)|=N"); the benchmark counts
// come from the tables in the benchmark folders' READMEs. Counts are compared as decimal
// text, since they reach 2^64.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "../fuzz/run_input.h"
#include "captured_report.h"
#include "read_file.h"

namespace mirelkon {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> AllMatches(const std::string& text, const std::regex& pattern) {
  std::vector<std::string> numbers;
  for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it) {
    numbers.push_back((*it)[1]);
  }
  return numbers;
}

// Runs the whole file and answers the reported counts in job order.
std::vector<std::string> ReportedCounts(const fs::path& path) {
  CapturedReport captured;
  const std::string text = ReadFile(path);
  EXPECT_EQ(RunInputBytes(captured.channel, text.data(), text.size()).message, "") << path;
  static const std::regex result(R"(-- Result:   \|Sub\(L\)\|=(\d+) for the partial lattice\r\n)");
  std::vector<std::string> onScreen = AllMatches(captured.Screen(), result);
  EXPECT_EQ(onScreen, AllMatches(captured.Result(), result)) << path;
  EXPECT_EQ(captured.Diagnostics(), "") << path;
  return onScreen;
}

std::vector<fs::path> ExampleFiles() {
  std::vector<fs::path> files{fs::path(MIRELKON_SOURCE_DIR) / "SampleDataMirelkon.txt"};
  for (const auto& entry : fs::directory_iterator(fs::path(MIRELKON_SOURCE_DIR) / "examples")) {
    files.push_back(entry.path());
  }
  return files;
}

TEST(KnownCounts, SampleAndExamplesReportTheCountsTheyState) {
  static const std::regex stated(R"(expected \|Sub\(L\)\|=(\d+))");
  for (const fs::path& file : ExampleFiles()) {
    std::vector<std::string> expected = AllMatches(ReadFile(file), stated);
    ASSERT_FALSE(expected.empty()) << file << " states no count";
    EXPECT_EQ(ReportedCounts(file), expected) << file;
  }
}

// The counts of the README table in the folder, by file, in job order. Rows:
// | file | job | lattice | n | constraints | expected Sub(L) | ...
std::map<std::string, std::vector<std::string>> TabledCounts(const fs::path& folder) {
  static const std::regex row(R"(\| (\w+\.txt) \| (\d+) \|[^|]*\|[^|]*\|[^|]*\| (\d+) \|)");
  std::map<std::string, std::vector<std::string>> expected;
  std::string table = ReadFile(folder / "README.md");
  for (std::sregex_iterator it(table.begin(), table.end(), row), end; it != end; ++it) {
    std::vector<std::string>& counts = expected[(*it)[1]];
    EXPECT_EQ(static_cast<int>(counts.size()) + 1, std::stoi((*it)[2])) << (*it)[0];
    counts.push_back((*it)[3]);
  }
  return expected;
}

TEST(KnownCounts, BenchmarkLatticesReportTheirTabledCounts) {
  fs::path folder = MIRELKON_BENCH_DATA_DIR;
  const auto expected = TabledCounts(folder);
  ASSERT_GE(expected.size(), 10u);
  for (const auto& [file, counts] : expected)
    EXPECT_EQ(ReportedCounts(folder / file), counts) << file;
}

TEST(KnownCounts, LargeBenchmarkLatticesReportTheirTabledCounts) {
  fs::path folder = fs::path(MIRELKON_BENCH_DATA_DIR) / "large";
  const auto expected = TabledCounts(folder);
  ASSERT_GE(expected.size(), 9u);
  for (const auto& [file, counts] : expected)
    EXPECT_EQ(ReportedCounts(folder / file), counts) << file;
}

}  // namespace

}  // namespace mirelkon
