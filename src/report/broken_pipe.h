// A reader that stops reading (`mirelkon --json ... | head -1`) is no failure of the program:
// it ends as a program that never ignored SIGPIPE would, without a word and with the status
// the shell expects of it (141 in bash).
#pragma once

namespace mirelkon {

// Ends the program by SIGPIPE, its default action restored.
[[noreturn]] void EndOnBrokenPipe();

}  // namespace mirelkon
