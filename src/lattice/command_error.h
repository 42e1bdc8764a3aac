// A refusal of mirelkon-lattice: the whole line it writes to standard error before it ends
// with exit status 1.
#pragma once

#include <string>

struct CommandError {
  std::string text;  // "mirelkon-lattice: message" or "FILE:LINE: message"
};

// The error for a mistake in the command line or a make term.
inline CommandError UsageError(const std::string& message) {
  return {"mirelkon-lattice: " + message};
}
