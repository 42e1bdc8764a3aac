// The logical line reader: every parser reads the input file through ReadLogicalLine, which
// drops comments, turns commas into blanks, trims blanks, carries out "\P" print lines outside
// the edge and constraint sections, and never returns an empty line.
#pragma once

#include <string>
#include <string_view>

#include "input/input_reader.h"

namespace mirelkon {

// Replaces the line in hand with the next logical line.
void ReadLogicalLine(InputReader& reader);

void CommasToBlanks(std::string& s);

// Removes the blanks at the front and at the end; answers how many stood at the front.
int TrimBlanks(std::string& s);

// Stops the reading with the message when not a single character of the input is left.
void FailIfExhausted(const InputReader& reader, std::string_view message);

// Reads logical lines until one holds the command, testing the line in hand first. Stops the
// reading with the message when the input runs out before the command, or when the command's
// line is the last line of the file. Then checks where it stands.
void SkipToCommand(InputReader& reader, std::string_view command, std::string_view message);

// Commands are found by substring search, so one may be found where the user did not mean it.
// Warns when the command found in the line in hand does not stand alone on it ("\sizeX",
// "\name of the lattice", "ab bc \constraints"), or, for a command whose argument follows "=",
// when text stands before it. "elements" may carry its backslash.
void CheckCommandStanding(const InputReader& reader, std::string_view command);

}  // namespace mirelkon
