// A failed read or write of the console, an input file or a result file. It travels to the
// program's main flow, which writes out what it can, reports the failure and exits with the
// system's error number.
#pragma once

#include <cerrno>
#include <string>

namespace mirelkon {

struct IoFailure {
  std::string operation;  // e.g. "write to the result file"
  int errorNumber;        // errno of the failure, never 0
};

// Throws IoFailure for the operation with the current errno (EIO when errno is 0).
[[noreturn]] inline void FailIo(const std::string& operation) {
  throw IoFailure{operation, errno != 0 ? errno : EIO};
}

}  // namespace mirelkon
