// Fatal data errors: every mistake found in an input file ends its run. It travels as a
// DataError to the program's flow, which shows it; so parsers stay testable.
#pragma once

#include <string>
#include <vector>

namespace mirelkon {

// A further line about an error for the diagnostic stream: where something behind it stands.
struct DiagnosticNote {
  int line;  // input line it speaks of; 0 when none applies
  std::string text;
};

struct DataError {
  std::string message;  // at most 255 characters
  int line;             // the input line it was found on; 0 before any line was read
  std::vector<DiagnosticNote> notes;
  // What exactly is wrong, for standard error and the JSON record ("j is no element of L");
  // the message stays as the screen has always shown it. Empty when the message says it all.
  std::string detail = {};
  // The error told in full where the message points at what the screen showed before it
  // ("as reported above"), for the records that show nothing before; empty otherwise.
  std::string record = {};
};

}  // namespace mirelkon
