// The line of an option in a usage text, as both programs lay it out.
#pragma once

#include <string>
#include <string_view>

namespace mirelkon {

// The head ("  -o FILE"), then the text from the column (two blanks after a longer head),
// later lines of the text, separated by "\n", indented to the same column; ends the line.
inline std::string UsageLine(std::string head, std::string_view text, std::size_t column) {
  head.append(head.size() < column ? column - head.size() : 2, ' ');
  for (char c : text) head += c == '\n' ? "\n" + std::string(column, ' ') : std::string(1, c);
  return head + "\n";
}

}  // namespace mirelkon
