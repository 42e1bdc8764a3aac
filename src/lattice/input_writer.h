// Writing input files: the header commands and one job with its edges, its given
// constraints and the joins and meets of incomparable pairs that it does not give.
#pragma once

#include <string>

// Appends "\verbose=", "\subtrahend-in-exponent=" and "\operationsymbols=" with the run
// settings. A "+" or "*" missing from the operation symbols is added at their end, so the
// written joins and meets can be read; the operations already there keep their numbers.
void WriteRunSettings(std::string& text);

// Appends the current job from "\beginjob" to "\endofjob". The lattice tables and the
// marks of given equations must be filled. Refuses (a fatal data error on the line last
// read) a job that would need more constraints than the table holds.
void WriteCompletedJob(std::string& text);
