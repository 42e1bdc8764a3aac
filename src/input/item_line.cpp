// Preparation of item lines before their items are parsed.
#include "input/item_line.h"

#include "input/line_reader.h"

#include <array>
#include <cstdio>

#include "input/nearest_word.h"

namespace mirelkon {

namespace {

constexpr std::array<std::string_view, 10> commands = {
    "\\beginjob",    "\\name",     "\\size",    "\\elements", "\\edges",
    "\\constraints", "\\endofjob", "\\enddata", "\\P",        "\\w"};

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

std::string Shown(std::string_view text) {
  std::string shown;
  for (char c : text) {
    if (c == '\t') {
      shown += "\\t";
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
      shown += hex;
    } else {
      shown += c;
    }
  }
  return shown;
}

std::string WrongLengthDetail(std::string_view item, std::string_view kind, std::size_t wanted,
                              std::string_view example) {
  if (item.empty()) return "the " + std::string(kind) + " line holds only a label or a remark";
  if (item.front() == '\\') {
    const std::string meant = NearestWord(item, commands);
    std::string detail = std::string(item) + " is no command";
    return meant.empty() ? detail : detail + "; did you mean " + meant + "?";
  }
  std::string detail = "\"";
  detail.append(Shown(item)).append("\" has ").append(std::to_string(item.size()));
  detail.append(item.size() == 1 ? " character; " : " characters; ")
      .append(kind == "edge" ? "an " : "a ")
      .append(kind);
  detail.append(" has ").append(std::to_string(wanted)).append(", as ").append(example);
  if (item.find('\t') != std::string_view::npos) detail += "; a tab is no blank";
  return detail;
}

}  // namespace mirelkon
