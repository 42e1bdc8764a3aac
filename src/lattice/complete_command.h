// The command "complete": an input file's jobs checked as lattices and written again with
// every join and meet of two incomparable elements.
#pragma once

#include <string>

#include "input/input_file.h"
#include "input/report_sink.h"

namespace mirelkon {

// Reads the whole input file (header, jobs, "\enddata") through the program's own reader,
// its echo going to the sink, and answers the completed file. A malformed file, a job that is
// no lattice or a wrong given equation ends it with a DataError.
std::string CompleteInput(InputFile& file, ReportSink& sink);

// The same for the named file, its warnings on standard error; every failure comes as a
// CommandError "FILE:LINE: message".
std::string CompleteFile(const std::string& name);

}  // namespace mirelkon
