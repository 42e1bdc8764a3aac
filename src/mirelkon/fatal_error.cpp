// Showing fatal data errors.
#include "mirelkon/fatal_error.h"

#include "report/diagnostics.h"

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
  session.input.Close();
  report.CloseResultFile();
}
