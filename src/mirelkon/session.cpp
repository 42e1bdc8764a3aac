// Opening the session: banner, input file, help, result file; and the end of a run.
#include "mirelkon/session.h"

#include <cerrno>
#include <filesystem>

#include "input/data_error.h"
#include "input/io_failure.h"
#include "input/short_string.h"
#include "mirelkon/help.h"

namespace mirelkon {

namespace {

constexpr int resultNameCount = sizeof(resultSuffixAlphabet) - 1;

enum class Answer { fileOpened, help, endOfKeyboard };

// Asks for the input file until one opens, help is asked for or the keyboard runs dry.
Answer AskForInputFile(Session& session) {
  std::string answer;
  for (;;) {
    session.report.WriteScreen(
        "Enter the name of input file or enter \"help\" (without quotion marks): ");
    if (!session.report.ReadKeyboardLine(answer)) return Answer::endOfKeyboard;
    CutToMaxLength(answer);
    session.inputFileName = answer;
    if (answer == "help") return Answer::help;
    if (answer.empty()) continue;
    if (session.input.Open(answer)) return Answer::fileOpened;
    session.report.WriteScreenLine("This file does not exist!\a");
  }
}

// A name counts as taken when anything at all stands under it, even a file that cannot be
// read or a folder: the result file must never replace someone's file.
bool NameIsTaken(const std::string& name) {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(name, ignored));
}

// The result file goes into the results folder when one is given, else beside a regular
// input file. Anything else (a device such as /dev/zero, a pipe, standard input) gets it in
// the current folder: a folder like /dev is no place for it. Away from the input, the result
// is named after the input's last name.
std::string ResultNameBase(const Session& session) {
  const std::string& input = session.inputFileName;
  const std::string& folder = session.options.resultsFolder;
  std::error_code ignored;
  if (folder.empty() && std::filesystem::is_regular_file(input, ignored)) return input;
  std::string last = std::filesystem::path(input).filename();
  if (last.empty()) last = input;
  return folder.empty() ? last : (std::filesystem::path(folder) / last).string();
}

// base + "_r" + suffix + extension, the extension being the text from the last "." when no
// "/", "\" or ":" stands after it. In a batch run, whose inputs a glob names, an input
// without an extension or with ".lat" gets base + "_r" + suffix + ".txt" instead, its whole
// name kept as the base: "data" and "*.lat" would match data_r0 and m3_r0.lat again.
std::string ResultName(std::string_view base, std::string_view suffix, bool batch) {
  const std::size_t stop = base.find_last_of("./\\:");
  const std::size_t baseLength =
      stop != std::string::npos && base[stop] == '.' ? stop : base.size();
  const std::string_view extension = base.substr(baseLength);
  if (batch && (extension.empty() || extension == ".lat"))
    return Concat({Concat({Concat({base, "_r"}), suffix}), ".txt"});
  return Concat({Concat({Concat({base.substr(0, baseLength), "_r"}), suffix}), extension});
}

void MakeResultsFolder(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (!error) return;
  errno = error.value();
  FailIo("create the folder " + folder);
}

void ChooseAndCreateResultFile(Session& session) {
  if (!session.options.resultFiles) return;
  if (!session.options.resultsFolder.empty()) MakeResultsFolder(session.options.resultsFolder);
  const std::string base = ResultNameBase(session);
  for (int i = 0; i < resultNameCount; ++i) {
    session.resultFileName = ResultFileCandidate(base, i, session.options.batch);
    if (!NameIsTaken(session.resultFileName)) {
      session.report.CreateResultFile(session.resultFileName);
      return;
    }
  }
  throw DataError{Concat({"Error: delete some of the ",
                          ResultName(base, "?", session.options.batch), " files!"}),
                  0,
                  {}};
}

}  // namespace

void WriteBanner(ReportChannel& report) {
  report.WriteScreenLine(Concat(
      {"Mirelkon, ver. ", programDate, ", to compute |Sub(L)|; by the Mirelkon developers."}));
  report.WriteScreenLine(thanksLine);
  report.WriteScreenLine();
}

std::string ResultFileCandidate(const std::string& inputName, int i, bool batch) {
  return ResultName(inputName, std::string_view(&resultSuffixAlphabet[i], 1), batch);
}

bool OpenInputArgument(Session& session, const std::string& argument) {
  if (argument == "-") {
    session.inputFileName = "stdin";
    return session.input.OpenStandardInput(session.inputFileName);
  }
  session.inputFileName = Concat({argument});
  return session.input.Open(session.inputFileName);
}

SessionStart OpenSession(Session& session, const std::string& argument) {
  WriteBanner(session.report);
  if (argument.empty() || !OpenInputArgument(session, argument)) {
    switch (AskForInputFile(session)) {
      case Answer::help:
        ShowHelp(session.report);
        return SessionStart::helpShown;
      case Answer::endOfKeyboard:
        session.report.WriteScreenLine();
        session.report.WriteScreenLine("No input file was given; the program terminates.");
        return SessionStart::noInputFile;
      case Answer::fileOpened:
        break;
    }
  }
  StartRunOnOpenedInput(session);
  return SessionStart::ready;
}

void StartRunOnOpenedInput(Session& session) {
  session.report.inputName = session.input.Name();
  session.report.warnings.clear();
  session.report.WriteScreenLine(session.inputFileName + " has been opened.");
  ChooseAndCreateResultFile(session);
}

void EndRun(Session& session) {
  ReportChannel& report = session.report;
  session.endTime = ReadTimeOfDay();
  report.WriteBothLine();
  session.elapsedMilliseconds = ElapsedMilliseconds(session.startTime, session.endTime);
  const std::string elapsed = std::to_string(session.elapsedMilliseconds);
  report.WriteScreenLine("The computation terminated at " + TimeOfDayText(session.endTime) +
                         "; it took " + elapsed + "/1000 seconds.");
  report.WriteResultLine("The computation took " + elapsed + "/1000 seconds.");
  if (report.keyboard != nullptr) {
    report.WriteScreenLine("Thank you for using this program.   Hit <enter> twice to abandon!");
    report.WaitForEnter();
    report.WaitForEnter();
  }
  session.input.Close();
  report.CloseResultFile();
}

}  // namespace mirelkon
