// The input file's header: "\verbose=", "\subtrahend-in-exponent=", "\operationsymbols="
// and the first "\beginjob", with free text allowed before and between them; and the run
// header that opens the report once "\beginjob" has been found.
#pragma once

#include <string>

// Reads the three header commands into the run settings and leaves the "\beginjob" line
// in the buffer.
void ReadRunHeader(std::string& line);

// Reads the clock as the run's start and writes the run header to both outputs.
void WriteRunHeader();
