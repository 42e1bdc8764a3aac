// The exit statuses both programs share: success, and the two failures that end a program at
// once. Each program adds its own (mirelkon/exit_status.h, lattice/command_error.h).
#pragma once

namespace mirelkon {

constexpr int statusSuccess = 0;
constexpr int statusIoFailure = 4;    // a read or write failed; the program stopped at once
constexpr int statusOutOfMemory = 5;  // memory ran out (or another failure inside); stopped at once

}  // namespace mirelkon
