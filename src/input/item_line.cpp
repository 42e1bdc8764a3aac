// Preparation of item lines before their items are parsed.
#include "input/item_line.h"

#include "input/line_reader.h"

namespace {

// Drops a leading label "(...)" together with anything written before it; items lost that way
// are named in a warning.
void RemoveLabel(const InputReader& reader, std::string& line) {
  const std::size_t open = line.find('(');
  const std::size_t close = line.find(')');
  const bool hasOpen = open != std::string::npos;
  const bool hasClose = close != std::string::npos;
  std::string dropped;
  if (hasOpen && hasClose) {
    if (close < open) reader.Fail("(code7h2S): \")\" precedes \"(\" in a constraint line");
    dropped = line.substr(0, open);
    line.erase(0, close + 1);
  } else if (hasOpen || hasClose) {
    reader.Fail("(code9hq8S): Only one of \"(\" and \")\" is present in a constraint line");
  }
  if (line.find_first_of("()") != std::string::npos)
    reader.Fail("(code1h4S): more than one \"(\" or \")\" in a constraint line");
  dropped.erase(dropped.find_last_not_of(' ') + 1);
  if (!dropped.empty()) reader.Warn({"items before the label are dropped: ", dropped});
}

}  // namespace

void PrepareItemLine(InputReader& reader) {
  std::string& line = reader.line;
  line.insert(0, static_cast<std::size_t>(reader.leadingBlankCount), ' ');
  const std::size_t remark = line.find("\\w");
  if (remark != std::string::npos) {
    line[remark] = ';';
    line.erase(remark + 1, 1);
  }
  if (line.find("\\P") != std::string::npos)
    reader.Fail("(code9Hj): \"\\P\" command is not allowed in a constraint line");
  reader.sink.WriteLine(Output::both, line);
  if (remark != std::string::npos) line.erase(remark);
  TrimBlanks(line);
  RemoveLabel(reader, line);
}

std::size_t ItemLength(const std::string& line) {
  const std::size_t blank = line.find(' ');
  return blank == std::string::npos ? line.size() : blank;
}
