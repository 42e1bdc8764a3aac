// A failed read or write of the console, the input file or the result file. It travels to
// Main, which writes out what the result file holds, reports the failure and exits with
// the system's error number.
#pragma once

#include <string>

struct IoFailure {
  std::string operation;  // e.g. "write to the result file"
  int errorNumber;        // errno of the failure, never 0
};

// Throws IoFailure for the operation with the current errno (EIO when errno is 0).
[[noreturn]] void FailIo(const std::string& operation);
