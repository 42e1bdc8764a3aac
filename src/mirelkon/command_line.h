// The command line: options and input names in any order, as GNU tools take them, until "--",
// after which every argument is an input name. Without options the program runs the console
// session on the first name, as it always has.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "mirelkon/run_options.h"

enum class Action { session, batch, help, version, usageError };

struct CommandLine {
  Action action = Action::session;
  bool json = false;  // --json: JSON lines instead of the screen text
  RunOptions run;
  std::vector<std::string> files;  // the input names, in order; "-" is standard input
  std::string error;               // what is wrong with a command line that is refused
};

// How an option takes its value: none; always (the next argument, or after "="); or an
// optional whole number (after "=", or the next argument when that is one).
enum class OptionValue { none, required, optionalNumber };

struct OptionSpec {
  std::string_view name;   // "--results"
  std::string_view alias;  // "-h", or empty
  OptionValue value;
  // Applies the option; value is empty for an option without one.
  void (*take)(CommandLine& line, const std::string& value);
};

// Reads the arguments with the given options; the first wrong one is refused.
CommandLine ParseCommandLineWith(std::span<const OptionSpec> options, int argc, char** argv);

// The same with mirelkon's options, and the checks of the whole line.
CommandLine ParseCommandLine(int argc, char** argv);

// Synopsis, options, exit statuses and where the documentation is; for standard output.
std::string UsageText();

// "mirelkon " and the version, one line.
std::string VersionText();
