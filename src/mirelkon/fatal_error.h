// Showing a fatal data error, which ends the run on its input file.
#pragma once

#include "input/data_error.h"
#include "mirelkon/session.h"

namespace mirelkon {

// Its lines on the diagnostic stream, then on the screen the bell line, heading, message and
// the wait for <enter> (not without a keyboard); then both files are closed. Nothing of the
// error reaches the result file, and a result file left empty by input that is no text file
// is removed.
void ShowFatalDataError(Session& session, const DataError& error);

}  // namespace mirelkon
