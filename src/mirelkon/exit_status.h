// The exit statuses of mirelkon, each telling one kind of ending apart for scripts.
#pragma once

namespace mirelkon {

constexpr int statusDataError = 1;    // a data error stopped the run of some file
constexpr int statusCannotOpen = 2;   // an input file did not open
constexpr int statusUsageError = 2;   // the command line is wrong
constexpr int statusWithheld = 3;     // every run ended, but an answer asked for was withheld
constexpr int statusIoFailure = 4;    // a read or write failed; the program stopped at once
constexpr int statusOutOfMemory = 5;  // memory ran out (or another failure inside); stopped at once

}  // namespace mirelkon
