// The exit statuses of mirelkon, each telling one kind of ending apart for scripts.
#pragma once

#include "report/exit_status.h"

namespace mirelkon {

constexpr int statusDataError = 1;    // a data error stopped the run of some file
constexpr int statusNoInputFile = 1;  // the console session was given no input file
constexpr int statusCannotOpen = 2;   // an input file did not open
constexpr int statusUsageError = 2;   // the command line is wrong
constexpr int statusWithheld = 3;     // every run ended, but an answer asked for was withheld

}  // namespace mirelkon
