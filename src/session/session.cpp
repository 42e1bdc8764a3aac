// Opening the session: banner, input file, help, result file; and the end of a run.
#include "session/session.h"

#include <filesystem>
#include <string_view>

#include "input/input_file.h"
#include "model/short_string.h"
#include "session/fatal_error.h"
#include "session/help.h"
#include "session/report.h"

Session session;

namespace {

constexpr int resultNameCount = sizeof(resultSuffixAlphabet) - 1;

enum class Answer { fileOpened, help, endOfKeyboard };

// Asks for the input file until one opens, help is asked for or the keyboard runs dry.
Answer AskForInputFile() {
  std::string answer;
  for (;;) {
    WriteScreen("Enter the name of input file or enter \"help\" (without quotion marks): ");
    if (!ReadKeyboardLine(answer)) return Answer::endOfKeyboard;
    CutToMaxLength(answer);
    session.inputFileName = answer;
    if (answer == "help") return Answer::help;
    if (answer.empty()) continue;
    if (OpenInputFile(answer)) return Answer::fileOpened;
    WriteScreenLine("This file does not exist!\a");
  }
}

// A name counts as taken when anything at all stands under it, even a file that cannot
// be read or a folder: the result file must never replace someone's file.
bool NameIsTaken(const std::string& name) {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(name, ignored));
}

void ChooseAndCreateResultFile() {
  for (int i = 0; i < resultNameCount; ++i) {
    session.resultFileName = ResultFileCandidate(session.inputFileName, i);
    if (!NameIsTaken(session.resultFileName)) {
      CreateResultFile(session.resultFileName);
      return;
    }
  }
  FatalDataError(Concat({"Error: delete some of the ", session.inputFileName, "_r? files!"}));
}

}  // namespace

void WriteBanner() {
  WriteScreenLine("Mirelkon, ver. July 23, 2019, to compute |Sub(L)|; by the Mirelkon developers.");
  WriteScreenLine("Thanks to everyone who tested it and reported problems.");
  WriteScreenLine();
}

std::string ResultFileCandidate(const std::string& inputName, int i) {
  std::size_t stop = inputName.find_last_of("./\\:");
  std::size_t baseLength =
      stop != std::string::npos && inputName[stop] == '.' ? stop : inputName.size();
  std::string_view name = inputName;
  return Concat({Concat({Concat({name.substr(0, baseLength), "_r"}),
                         std::string_view(&resultSuffixAlphabet[i], 1)}),
                 name.substr(baseLength)});
}

SessionStart OpenSession(const std::string& argument) {
  WriteBanner();
  session.inputFileName = Concat({argument});
  if (session.inputFileName.empty() || !OpenInputFile(session.inputFileName)) {
    switch (AskForInputFile()) {
      case Answer::help:
        ShowHelp();
        return SessionStart::helpShown;
      case Answer::endOfKeyboard:
        WriteScreenLine();
        WriteScreenLine("No input file was given; the program terminates.");
        return SessionStart::noInputFile;
      case Answer::fileOpened:
        break;
    }
  }
  StartRunOnOpenedInput();
  return SessionStart::ready;
}

void StartRunOnOpenedInput() {
  WriteScreenLine(session.inputFileName + " has been opened.");
  ChooseAndCreateResultFile();
}

void EndRun() {
  session.endTime = ReadTimeOfDay();
  WriteBothLine();
  session.elapsedMilliseconds = ElapsedMilliseconds(session.startTime, session.endTime);
  std::string elapsed = std::to_string(session.elapsedMilliseconds);
  WriteScreenLine("The computation terminated at " + TimeOfDayText(session.endTime) + "; it took " +
                  elapsed + "/1000 seconds.");
  WriteResultLine("The computation took " + elapsed + "/1000 seconds.");
  if (report.keyboard != nullptr) {
    WriteScreenLine("Thank you for using this program.   Hit <enter> twice to abandon!");
    WaitForEnter();
    WaitForEnter();
  }
  CloseInputFile();
  CloseResultFile();
}
