// Fatal data errors: every mistake found in the input data ends the run through
// FatalDataError, which travels as a DataError to Main; Main shows it with
// ShowFatalDataError and ends the program.
#pragma once

#include <string>
#include <string_view>

struct DataError {
  std::string message;  // at most 255 characters
};

// Ends the run with the message (cut to 255 characters). Never returns.
[[noreturn]] void FatalDataError(std::string_view message);

// The screen side of a fatal data error: bell line, heading, message, the wait for <enter>;
// then both files are closed. Nothing of the error reaches the result file.
void ShowFatalDataError(const std::string& message);
