// The command line: options anywhere before "--", which ends them, values after a blank or
// "=", and the refusals of a wrong command line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mirelkon/command_line.h"

namespace mirelkon {

namespace {

CommandLine Parse(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "mirelkon");
  std::vector<char*> argv;
  for (std::string& a : arguments) argv.push_back(a.data());
  return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLine, OptionsStandAnywhereBeforeTheDoubleDash) {
  struct Case {
    std::vector<std::string> arguments;
    Action action;
    bool json;
    std::vector<std::string> files;
  } cases[] = {
      {{}, Action::session, false, {}},
      {{"data.txt", "--batch"}, Action::batch, false, {"data.txt"}},
      {{"--batch", "a.txt", "--json"}, Action::batch, true, {"a.txt"}},
      {{"--json", "a.txt", "b.txt"}, Action::batch, true, {"a.txt", "b.txt"}},
      {{"--batch", "--", "--json"}, Action::batch, false, {"--json"}},
      {{"--", "-h"}, Action::session, false, {"-h"}},
      {{"-"}, Action::session, false, {"-"}},
      {{"--json", "--help"}, Action::help, true, {}},
      {{"--help", "--version"}, Action::help, false, {}},
      {{"--version", "--batch", "a.txt"}, Action::version, false, {"a.txt"}},
  };
  for (const Case& c : cases) {
    CommandLine line = Parse(c.arguments);
    std::string shown = testing::PrintToString(c.arguments);
    EXPECT_EQ(line.action, c.action) << shown;
    EXPECT_EQ(line.json, c.json) << shown;
    EXPECT_EQ(line.files, c.files) << shown;
  }
}

TEST(CommandLine, ResultFilesAsTheOptionsSay) {
  struct Case {
    std::vector<std::string> arguments;
    bool resultFiles;
    std::string folder;
  } cases[] = {
      {{"a.txt"}, true, ""},
      {{"--json", "a.txt"}, false, ""},
      {{"--json", "a.txt", "--results", "out"}, true, "out"},
      {{"--results=out", "--batch", "a.txt"}, true, "out"},
      {{"--batch", "a.txt", "--no-results"}, false, ""},
  };
  for (const Case& c : cases) {
    CommandLine line = Parse(c.arguments);
    std::string shown = testing::PrintToString(c.arguments);
    EXPECT_NE(line.action, Action::usageError) << shown << line.error;
    EXPECT_EQ(line.run.resultFiles, c.resultFiles) << shown;
    EXPECT_EQ(line.run.resultsFolder, c.folder) << shown;
    EXPECT_EQ(line.files, std::vector<std::string>{"a.txt"}) << shown;
  }
}

TEST(CommandLine, RefusesUnknownOptionsAndBatchesWithoutFiles) {
  struct Case {
    std::vector<std::string> arguments;
    std::string error;
  } cases[] = {
      {{"-x", "a.txt"}, "unknown option -x"},
      {{"--batch", "--quiet", "a.txt"}, "unknown option --quiet"},
      {{"--verbos", "a.txt"}, "unknown option --verbos; did you mean --verbose?"},
      {{"--Json=yes", "a.txt"}, "unknown option --Json=yes; did you mean --json?"},
      {{"--batch"}, "--batch needs at least one input file"},
      {{"--json", "--"}, "--json needs at least one input file"},
      {{"--json=yes", "a.txt"}, "--json takes no value"},
      {{"a.txt", "--results"}, "--results needs a value"},
      {{"--results", "out", "--no-results", "a.txt"},
       "--results and --no-results exclude each other"},
      {{"--containing"}, "--containing needs a value"},
      {{"--list-to", "", "a.txt"}, "--list-to needs a value"},
      {{"--list", "-3", "a.txt"}, "--list needs a limit of at least 0"},
      {{"--cache-mb", "0", "a.txt"}, "--cache-mb needs a number of megabytes from 1 to 1048576"},
      {{"--by-size", "a.txt"}, "--by-size orders the list: give it with --list or --list-to"},
  };
  for (const Case& c : cases) {
    CommandLine line = Parse(c.arguments);
    EXPECT_EQ(line.action, Action::usageError) << c.error;
    EXPECT_EQ(line.error, c.error);
  }
}

// An option with an optional whole number takes the next argument only when it is one.
TEST(CommandLine, AnOptionalNumberIsTakenWhenOneFollows) {
  struct Case {
    std::vector<std::string> arguments;
    std::uint64_t limit;
    std::string error;
  } cases[] = {
      {{"--list", "12", "a.txt"}, 12, ""},
      {{"--list", "a.txt"}, defaultListLimit, ""},
      {{"a.txt", "--list=7"}, 7, ""},
      {{"--list=x", "a.txt"}, defaultListLimit, "--list takes a whole number"},
      {{"--list=2147483648", "a.txt"}, defaultListLimit, "--list takes a whole number"},
      {{"--list", "2147483648", "a.txt"}, defaultListLimit, "--list takes a whole number"},
  };
  for (const Case& c : cases) {
    CommandLine line = Parse(c.arguments);
    EXPECT_EQ(line.queries.listLimit, c.limit) << c.arguments.front();
    EXPECT_EQ(line.error, c.error) << c.arguments.front();
    if (c.error.empty()) {
      EXPECT_EQ(line.files, std::vector<std::string>{"a.txt"});
    }
  }
}

TEST(CommandLine, QueriesTakeTheirValues) {
  const CommandLine line =
      Parse({"--containing", "ab", "--list", "7", "--up-to-symmetry", "--bounded", "--list-to", "7",
             "--profile", "--cache-mb", "3", "a.txt"});
  EXPECT_EQ(line.action, Action::session);
  EXPECT_EQ(line.queries.containing, "ab");
  EXPECT_TRUE(line.queries.list && line.queries.upToSymmetry && line.queries.bounded &&
              line.queries.profile);
  EXPECT_EQ(line.run.counter.cacheBytes, std::size_t{3} << 20);
  EXPECT_EQ(line.queries.listLimit, 7u);
  EXPECT_EQ(line.queries.listTo, "7");
  EXPECT_EQ(line.files, std::vector<std::string>{"a.txt"});
  // A limit is a whole number; anything else after --list is the next argument.
  EXPECT_EQ(Parse({"--list", "7.txt"}).files, std::vector<std::string>{"7.txt"});
  EXPECT_EQ(Parse({"--list", "7.txt"}).queries.listLimit, defaultListLimit);
}

}  // namespace

}  // namespace mirelkon
