// Fatal data errors: every mistake found in the input data ends the run through
// FatalDataError, which travels as a DataError to Main; Main shows it with
// ShowFatalDataError and ends the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// A further line about an error for the diagnostic stream: where something behind it stands.
struct DiagnosticNote {
  int line;  // input line it speaks of; 0 when none applies
  std::string text;
};

struct DataError {
  std::string message;  // at most 255 characters
  int line;             // the input line it was found on; 0 before any line was read
  std::vector<DiagnosticNote> notes;
};

// Ends the run with the message (cut to 255 characters), found on the input line last
// read. Never returns.
[[noreturn]] void FatalDataError(std::string_view message);

// The same for an error that belongs to another line than the last one read, with notes
// on the lines behind it.
[[noreturn]] void FatalDataErrorAt(int line, std::string_view message,
                                   std::vector<DiagnosticNote> notes = {});

// Shows a fatal data error: its lines on the diagnostic stream, then on the screen the bell
// line, heading, message and the wait for <enter> (not without a keyboard); then both
// files are closed. Nothing of the error reaches the result file.
void ShowFatalDataError(const DataError& error);
