// The command line: options anywhere before "--", which ends them, values after a blank or
// "=", and the refusals of a wrong command line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mirelkon/command_line.h"

namespace {

struct Arguments {
  explicit Arguments(std::vector<std::string> arguments) : words(std::move(arguments)) {
    words.insert(words.begin(), "mirelkon");
    for (std::string& a : words) pointers.push_back(a.data());
  }
  int Count() { return static_cast<int>(pointers.size()); }

  std::vector<std::string> words;
  std::vector<char*> pointers;
};

CommandLine Parse(std::vector<std::string> arguments) {
  Arguments a(std::move(arguments));
  return ParseCommandLine(a.Count(), a.pointers.data());
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

TEST(CommandLine, RefusesUnknownOptionsWrongValuesAndBatchesWithoutFiles) {
  struct Case {
    std::vector<std::string> arguments;
    std::string error;
  } cases[] = {
      {{"-x", "a.txt"}, "unknown option -x"},
      {{"--batch", "a.txt", "--verbose"}, "unknown option --verbose"},
      {{"--batch"}, "--batch needs at least one input file"},
      {{"--json", "--"}, "--json needs at least one input file"},
      {{"--json=yes", "a.txt"}, "--json takes no value"},
      {{"a.txt", "--results"}, "--results needs a value"},
      {{"--results", "out", "--no-results", "a.txt"},
       "--results and --no-results exclude each other"},
  };
  for (const Case& c : cases) {
    CommandLine line = Parse(c.arguments);
    EXPECT_EQ(line.action, Action::usageError) << c.error;
    EXPECT_EQ(line.error, c.error);
  }
}

// An option with an optional whole number takes the next argument only when it is one.
TEST(CommandLine, AnOptionalNumberIsTakenWhenOneFollows) {
  constexpr OptionSpec options[] = {
      {"--list", "", OptionValue::optionalNumber,
       [](CommandLine& line, const std::string& value) { line.files.push_back("list:" + value); }},
  };
  struct Case {
    std::vector<std::string> arguments;
    std::vector<std::string> files;
    std::string error;
  } cases[] = {
      {{"--list", "12", "a.txt"}, {"list:12", "a.txt"}, ""},
      {{"--list", "a.txt"}, {"list:", "a.txt"}, ""},
      {{"a.txt", "--list=7"}, {"a.txt", "list:7"}, ""},
      {{"--list=x"}, {}, "--list takes a whole number"},
  };
  for (const Case& c : cases) {
    Arguments a(c.arguments);
    CommandLine line = ParseCommandLineWith(options, a.Count(), a.pointers.data());
    EXPECT_EQ(line.files, c.files) << c.arguments.front();
    EXPECT_EQ(line.error, c.error) << c.arguments.front();
  }
}

}  // namespace
