// A refusal of mirelkon-lattice: the whole line it writes to standard error before it ends,
// and the exit status it ends with.
#pragma once

#include <string>

namespace mirelkon {

constexpr int statusRefused = 1;      // a mistake in the command line, a term or an input
constexpr int statusIoFailure = 4;    // a file or standard output could not be written
constexpr int statusOutOfMemory = 5;  // memory ran out (or another failure inside)

struct CommandError {
  std::string text;  // "mirelkon-lattice: message" or "FILE:LINE: message"
  int status = statusRefused;
};

// The error for a mistake in the command line or a make term.
inline CommandError UsageError(const std::string& message) {
  return {"mirelkon-lattice: " + message};
}

// The error for a failed write or read, its message ending with the system's reason.
inline CommandError IoError(const std::string& message) {
  return {"mirelkon-lattice: " + message, statusIoFailure};
}

}  // namespace mirelkon
