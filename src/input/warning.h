// Warnings about the input file: what the input language accepts but a user almost never
// means. They go to the diagnostic stream only ("FILE:LINE: warning: text"); the screen,
// the result file and the run's outcome do not change.
#pragma once

#include <initializer_list>
#include <string_view>

// A warning about the given input line; its text is the pieces joined, without the cut at
// 255 characters of report text.
void WarnAt(int line, std::initializer_list<std::string_view> pieces);

// A warning about the line last read.
void Warn(std::initializer_list<std::string_view> pieces);
