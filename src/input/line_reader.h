// The logical line reader: every parser reads the input file through ReadLogicalLine,
// which drops comments, turns commas into blanks, trims blanks, carries out "\P" print
// lines outside the edge and constraint sections, and never returns an empty line.
#pragma once

#include <string>

struct LineReader {
  int leadingBlankCount = 0;  // blanks removed from the front by the latest TrimBlanks
};

extern LineReader reader;

void ReadLogicalLine(std::string& line);
void CommasToBlanks(std::string& s);

// Removes the blanks at the front (counting them into leadingBlankCount) and at the end.
void TrimBlanks(std::string& s);
