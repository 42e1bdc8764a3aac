// Diagnostics: lines on a stream of their own (standard error) that name the place in the
// input file they speak of, as compilers write them, so that an editor can go there:
//   FILE:LINE: text
//   FILE: text          when no line applies (line 0: before any line was read, or an
//                       empty file)
// FILE is the input's name as the user gave it, LINE a physical line counted from 1. The
// stream and the name come from the caller, so every program that reads input files
// writes its diagnostics alike.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "input/data_error.h"

namespace mirelkon {

// One line without its line end.
std::string DiagnosticText(std::string_view file, int line, std::string_view text);

// One line. A stream that cannot be written is ignored: the screen and the result file are
// the run's record, and a closed error stream must not change how a run ends.
void WriteDiagnostic(std::FILE* stream, std::string_view file, int line, std::string_view text);

// A fatal data error as standard error gives it: the tag of its message and its detail
// ("(codeTz7) j is no element of L"), or the message when it has no detail.
std::string DataErrorText(const DataError& error);

// A fatal data error: its message on its line ("FILE:LINE: (tag) message"), then each of
// its notes ("FILE:LINE: note: text").
void WriteDataErrorDiagnostics(std::FILE* stream, std::string_view file, const DataError& error);

}  // namespace mirelkon
