// Physical lines become logical lines here.
#include "input/line_reader.h"

#include <algorithm>

#include "input/data_error.h"
#include "input/short_string.h"

namespace mirelkon {

namespace {

// Outside the item sections a line holding "\P" is printed (without those two characters) and
// yields no logical line.
void CarryOutPrintLine(InputReader& reader) {
  if (reader.inEdgesSection || reader.inConstraintsSection) return;
  std::string& line = reader.line;
  const std::size_t at = line.find("\\P");
  if (at == std::string::npos) return;
  line.erase(at, 2);
  reader.sink.WriteLine(Output::both, line);
  line.clear();
}

// An item line cut at 255 characters would lose the items beyond the cut without a word; a
// cut inside a comment or a remark, or one that drops only blanks and commas, is harmless.
void RefuseLostItems(const InputReader& reader, bool lostText) {
  if (!lostText || !(reader.inEdgesSection || reader.inConstraintsSection)) return;
  if (Contains(reader.line, "%") || Contains(reader.line, "\\w")) return;
  reader.Fail("(codeLong) line longer than 255 characters: split it");
}

void AddLegendItem(InputReader& reader, char symbol, std::string_view name) {
  const std::size_t slot = static_cast<unsigned char>(symbol);
  if (reader.legendNamed[slot]) {
    if (reader.legendRepeated++ == 0) reader.legendRepeatedLine = reader.file.LineNumber();
    return;
  }
  reader.legendNamed[slot] = true;
  reader.legend.push_back(
      {symbol, std::string(CutAtCharacter(name, maxStringLength)), reader.file.LineNumber()});
}

// A legend line adds its items "S=NAME" to the legend; items of another form are let be, as
// the line is a comment all the same.
void NoteLegendLine(InputReader& reader) {
  std::string_view line = reader.line;
  line.remove_prefix(std::min(line.size(), line.find_first_not_of(' ')));
  if (!line.starts_with(legendMarker)) return;
  line.remove_prefix(legendMarker.size());
  while (!line.empty()) {
    const std::size_t blank = line.find(' ');
    const std::string_view item = line.substr(0, blank);
    if (item.size() > 2 && item[1] == '=') AddLegendItem(reader, item[0], item.substr(2));
    line.remove_prefix(blank == std::string_view::npos ? line.size() : blank + 1);
  }
}

void CutComment(std::string& line) {
  const std::size_t at = line.find('%');
  if (at != std::string::npos) line.erase(at);
}

}  // namespace

void InputReader::Fail(std::string_view message, std::string detail) const {
  throw DataError{Concat({message}), file.LineNumber(), {}, std::move(detail)};
}

void InputReader::WarnAt(int lineNumber, std::initializer_list<std::string_view> pieces) const {
  std::string text;
  for (std::string_view piece : pieces) text.append(piece);
  sink.Warn(lineNumber, text);
}

void ReadLogicalLine(InputReader& reader) {
  reader.line.clear();
  while (reader.line.empty()) {
    if (reader.file.Exhausted()) reader.Fail("(CodezTvQ2b): unexpected end of input file");
    const bool lostText = reader.file.ReadPhysicalLine(reader.line);
    RefuseLostItems(reader, lostText);
    NoteLegendLine(reader);
    CarryOutPrintLine(reader);
    CutComment(reader.line);
    CommasToBlanks(reader.line);
    reader.leadingBlankCount = TrimBlanks(reader.line);
  }
}

void FailIfExhausted(const InputReader& reader, std::string_view message) {
  if (reader.file.Exhausted()) reader.Fail(message);
}

void SkipToCommand(InputReader& reader, std::string_view command, std::string_view message) {
  while (!Contains(reader.line, command)) {
    FailIfExhausted(reader, message);
    ReadLogicalLine(reader);
  }
  FailIfExhausted(reader, message);
  CheckCommandStanding(reader, command);
}

void CheckCommandStanding(const InputReader& reader, std::string_view command) {
  const std::string& line = reader.line;
  const std::size_t at = line.find(command);
  const bool takesArgument = command.back() == '=';
  const bool hasBackslash = command.front() == '\\';
  const std::size_t begin = !hasBackslash && at > 0 && line[at - 1] == '\\' ? at - 1 : at;
  const bool textAfter = !takesArgument && at + command.size() < line.size();
  if (begin == 0 && !textAfter) return;
  reader.Warn({"\"", line, "\" is taken for ", hasBackslash ? "" : "\\", command,
               takesArgument ? "; begin the line with the command"
                             : "; write the command alone on its line"});
}

void CommasToBlanks(std::string& s) {
  std::replace(s.begin(), s.end(), ',', ' ');
}

int TrimBlanks(std::string& s) {
  std::size_t front = s.find_first_not_of(' ');
  if (front == std::string::npos) front = s.size();
  s.erase(0, front);
  s.erase(s.find_last_not_of(' ') + 1);
  return static_cast<int>(front);
}

}  // namespace mirelkon
