// The command "complete": an input file's jobs checked as lattices and written again with
// every join and meet of two incomparable elements.
#pragma once

#include <string>

// Reads the whole attached input file (header, jobs, "\enddata") through the program's own
// input code, with its echo silenced, and answers the completed file. A malformed file, a
// job that is no lattice or a wrong given equation ends it with a DataError.
std::string CompleteInput();

// The same for the named file; every failure comes as a CommandError "FILE:LINE: message".
std::string CompleteFile(const std::string& name);
