// Physical lines become logical lines here.
#include "input/line_reader.h"

#include <algorithm>

#include "input/input_file.h"
#include "input/warning.h"
#include "model/job_model.h"
#include "model/short_string.h"
#include "session/fatal_error.h"
#include "session/report.h"

LineReader reader;

namespace {

// Outside the item sections a line holding "\P" is printed (without those two characters)
// and yields no logical line.
void CarryOutPrintLine(std::string& line) {
  if (job.inEdgesSection || job.inConstraintsSection) return;
  std::size_t at = line.find("\\P");
  if (at == std::string::npos) return;
  line.erase(at, 2);
  WriteBothLine(line);
  line.clear();
}

// An item line cut at 255 characters would lose the items beyond the cut without a word;
// a cut inside a comment or a remark, or one that drops only blanks and commas, is harmless.
void RefuseLostItems(const std::string& line, bool lostText) {
  if (!lostText || !(job.inEdgesSection || job.inConstraintsSection)) return;
  if (Contains(line, "%") || Contains(line, "\\w")) return;
  FatalDataError("(codeLong) line longer than 255 characters: split it");
}

void CutComment(std::string& line) {
  std::size_t at = line.find('%');
  if (at != std::string::npos) line.erase(at);
}

}  // namespace

void ReadLogicalLine(std::string& line) {
  line.clear();
  while (line.empty()) {
    if (InputExhausted()) FatalDataError("(CodezTvQ2b): unexpected end of input file");
    const bool lostText = ReadPhysicalLine(line);
    RefuseLostItems(line, lostText);
    CarryOutPrintLine(line);
    CutComment(line);
    CommasToBlanks(line);
    TrimBlanks(line);
  }
}

void FailIfExhausted(std::string_view message) {
  if (InputExhausted()) FatalDataError(message);
}

void SkipToCommand(std::string& line, std::string_view command, std::string_view message) {
  while (!Contains(line, command)) {
    FailIfExhausted(message);
    ReadLogicalLine(line);
  }
  FailIfExhausted(message);
  CheckCommandStanding(line, command);
}

void CheckCommandStanding(const std::string& line, std::string_view command) {
  const std::size_t at = line.find(command);
  const bool takesArgument = command.back() == '=';
  const bool hasBackslash = command.front() == '\\';
  const std::size_t begin = !hasBackslash && at > 0 && line[at - 1] == '\\' ? at - 1 : at;
  const bool textAfter = !takesArgument && at + command.size() < line.size();
  if (begin == 0 && !textAfter) return;
  Warn({"\"", line, "\" is taken for ", hasBackslash ? "" : "\\", command,
        takesArgument ? "; begin the line with the command"
                      : "; write the command alone on its line"});
}

void CommasToBlanks(std::string& s) {
  std::replace(s.begin(), s.end(), ',', ' ');
}

void TrimBlanks(std::string& s) {
  std::size_t front = s.find_first_not_of(' ');
  if (front == std::string::npos) front = s.size();
  reader.leadingBlankCount = static_cast<int>(front);
  s.erase(0, front);
  s.erase(s.find_last_not_of(' ') + 1);
}
