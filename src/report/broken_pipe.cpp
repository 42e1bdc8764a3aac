// Ending on a broken pipe.
#include "report/broken_pipe.h"

#include <csignal>
#include <cstdlib>

namespace mirelkon {

void EndOnBrokenPipe() {
  std::signal(SIGPIPE, SIG_DFL);
  std::raise(SIGPIPE);
  // Only where the signal cannot be raised: the status a shell gives a program ended by it.
  std::_Exit(128 + SIGPIPE);
}

}  // namespace mirelkon
