// Raising and showing fatal data errors.
#include "session/fatal_error.h"

#include <utility>

#include "input/input_file.h"
#include "model/short_string.h"
#include "session/diagnostics.h"
#include "session/report.h"

void FatalDataError(std::string_view message) {
  FatalDataErrorAt(input.lineNumber, message);
}

void FatalDataErrorAt(int line, std::string_view message, std::vector<DiagnosticNote> notes) {
  throw DataError{Concat({message}), line, std::move(notes)};
}

void ShowFatalDataError(const DataError& error) {
  WriteDataErrorDiagnostics(report.diagnostics, input.name, error);
  WriteScreenLine("\a");
  WriteScreenLine("Error in data; possibly/appeared at: ");
  WriteScreenLine(error.message);
  if (report.keyboard != nullptr) {
    WriteScreenLine("  Press <enter> to quit");
    WaitForEnter();
  }
  CloseInputFile();
  CloseResultFile();
}
