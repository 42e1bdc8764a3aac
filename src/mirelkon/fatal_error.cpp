// Showing fatal data errors.
#include "mirelkon/fatal_error.h"

#include "report/diagnostics.h"

namespace mirelkon {

void ShowFatalDataError(Session& session, const DataError& error) {
  ReportChannel& report = session.report;
  WriteDataErrorDiagnostics(report.diagnostics, session.input.Name(), error);
  report.WriteScreenLine("\a");
  report.WriteScreenLine("Error in data; possibly/appeared at: ");
  report.WriteScreenLine(error.message);
  if (report.keyboard != nullptr) {
    report.WriteScreenLine("  Press <enter> to quit");
    report.WaitForEnter();
  }
  // Input that is no text file (a device, a binary) leaves no empty result file behind.
  const bool noText = session.input.FoundEndlessLine();
  session.input.Close();
  if (noText) {
    report.CloseAndRemoveEmptyResultFile(session.resultFileName);
  } else {
    report.CloseResultFile();
  }
}

}  // namespace mirelkon
