// The command line: options before the first input name, then the input names. Without
// options the program runs the console session on the first name, as it always has.
#pragma once

#include <string>
#include <vector>

#include "mirelkon/queries.h"

enum class Action { session, batch, help, version, usageError };

struct CommandLine {
  Action action = Action::session;
  bool json = false;               // --json: JSON lines instead of the screen text
  Queries queries;                 // what to answer beyond the count
  std::vector<std::string> files;  // the input names, in order
  std::string error;               // what is wrong with a command line that is refused
};

CommandLine ParseCommandLine(int argc, char** argv);

// Synopsis, options, exit statuses and where the documentation is; for standard output.
std::string UsageText();

// "mirelkon " and the version, one line.
std::string VersionText();
