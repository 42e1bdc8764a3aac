// Edge and constraint lines share one preparation: the echo (indentation restored), the "\w"
// remark, the label in parentheses, and the rejection of "\P" and stray parentheses.
#pragma once

#include <string>

#include "input/input_reader.h"

namespace mirelkon {

// Echoes the line in hand and leaves only its items in it; stops the reading on a malformed
// line.
void PrepareItemLine(InputReader& reader);

// Length of the item at the front of the line: up to the first blank or the end.
std::size_t ItemLength(const std::string& line);

// Why an item of the wrong length is none, for standard error: a misspelt command
// ("\endjob is no command; did you mean \endofjob?"), or its length against the one wanted,
// with a tab shown as \t.
std::string WrongLengthDetail(std::string_view item, std::string_view kind, std::size_t wanted,
                              std::string_view example);

// The text with a tab shown as \t and other control characters as \xNN.
std::string Shown(std::string_view text);

}  // namespace mirelkon
