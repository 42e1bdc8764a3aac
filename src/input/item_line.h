// Edge and constraint lines share one preparation: the echo (indentation restored), the "\w"
// remark, the label in parentheses, and the rejection of "\P" and stray parentheses.
#pragma once

#include <string>

#include "input/input_reader.h"

// Echoes the line in hand and leaves only its items in it; stops the reading on a malformed
// line.
void PrepareItemLine(InputReader& reader);

// Length of the item at the front of the line: up to the first blank or the end.
std::size_t ItemLength(const std::string& line);
