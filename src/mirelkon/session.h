// The session: the choice of the input file, the result file's name and the run's clock.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "input/input_file.h"
#include "mirelkon/run_options.h"
#include "mirelkon/timing.h"
#include "report/report_channel.h"

namespace mirelkon {

// The program's date, which the banner and the result file's header name as its version.
constexpr std::string_view programDate = "July 23, 2019";
constexpr std::string_view thanksLine = "Thanks to everyone who tested it and reported problems.";

// One run on one input file.
struct Session {
  explicit Session(ReportChannel& channel, RunOptions runOptions = {})
      : report(channel), options(std::move(runOptions)) {}

  ReportChannel& report;
  const RunOptions options;
  InputFile input;
  std::string inputFileName;
  std::string resultFileName;
  TimeOfDay startTime{};  // set when the run header is written
  TimeOfDay endTime{};
  int elapsedMilliseconds = 0;
};

// The 34 characters that tell result names apart; "l" and "w" are left out.
constexpr char resultSuffixAlphabet[] = "0123456789abcdefghijkmnopqrstuvxyz";

enum class SessionStart { ready, helpShown, noInputFile };

// The banner's three screen lines.
void WriteBanner(ReportChannel& report);

// Banner, input file (command line or dialogue), help, result name and result file.
SessionStart OpenSession(Session& session, const std::string& argument);

// Opens the input named on the command line, "-" being standard input (called "stdin");
// false, with errno telling why, when it does not open.
bool OpenInputArgument(Session& session, const std::string& argument);

// With the input file open: says so on the screen, then finds the first free result name and
// creates the result file there (a fatal data error when all are taken): in the results
// folder when one is given, else beside a regular input file, else in the current folder. No
// result file is made when the options want none.
void StartRunOnOpenedInput(Session& session);

// The candidate result name number i (0-based) for an input name: base + "_r" + suffix
// character + extension, the extension being the text from the last "." when no "/", "\" or
// ":" stands after it. In a batch run an input without an extension or ending in ".lat" gets
// inputName + "_r" + suffix character + ".txt".
std::string ResultFileCandidate(const std::string& inputName, int i, bool batch);

// Timing lines, farewell and the two waits for <enter> (neither without a keyboard); closes
// both files.
void EndRun(Session& session);

}  // namespace mirelkon
