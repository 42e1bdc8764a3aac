// Reading a named input file for a command of mirelkon-lattice (complete, draw): the file
// opened, the reader's warnings on standard error, and every failure as the command's
// refusal, so that the commands refuse a bad file alike.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "input/input_file.h"
#include "input/report_sink.h"

namespace mirelkon {

// Runs read on the opened file with a sink that writes only the warnings, as
// "FILE:LINE: warning: text". A file that cannot be opened, a DataError ("FILE:LINE: message")
// and a failure of the input come as a CommandError.
void ReadNamedInputFile(const std::string& name,
                        const std::function<void(InputFile&, ReportSink&)>& read);

}  // namespace mirelkon
