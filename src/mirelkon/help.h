// The help text shown when the user answers "help" at the input-file prompt.
#pragma once

#include "report/report_channel.h"

namespace mirelkon {

// Writes the help text to the screen and waits for two presses of <enter>.
void ShowHelp(ReportChannel& report);

}  // namespace mirelkon
