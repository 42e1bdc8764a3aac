// The command line: options and input names in any order, as GNU tools take them, until "--",
// after which every argument is an input name. Without options the program runs the console
// session on the first name, as it always has.
#pragma once

#include <string>
#include <vector>

#include "mirelkon/queries.h"
#include "mirelkon/run_options.h"

namespace mirelkon {

enum class Action { session, batch, help, version, usageError };

struct CommandLine {
  Action action = Action::session;
  bool json = false;  // --json: JSON lines instead of the screen text
  RunOptions run;
  Queries queries;                 // what to answer beyond the count
  std::vector<std::string> files;  // the input names, in order; "-" is standard input
  std::string error;               // what is wrong with a command line that is refused
};

// Reads the arguments; the first wrong one, or a wrong whole, is refused.
CommandLine ParseCommandLine(int argc, char** argv);

// Synopsis, options, exit statuses and where the documentation is; for standard output.
std::string UsageText();

// "mirelkon " and the version, one line.
std::string VersionText();

}  // namespace mirelkon
