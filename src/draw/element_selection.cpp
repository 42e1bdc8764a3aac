// Reading a marked subset. Symbols come first: they are what --list writes, and a word of
// symbols that is also a name (the divisor 12 against the divisors 1 and 2) means the symbols.
#include "draw/element_selection.h"

#include <sstream>

namespace {

std::optional<Mask> BySymbols(const std::string& word, const std::string& symbols) {
  if (word == "{}") return Mask{0};
  Mask elements = 0;
  for (char c : word) {
    const std::size_t at = symbols.find(c);
    if (at == std::string::npos || Holds(elements, static_cast<int>(at))) return std::nullopt;
    elements |= Bit(static_cast<int>(at));
  }
  return elements;
}

}  // namespace

ElementSelection SelectElements(const std::string& value, const std::string& symbols,
                                const std::vector<std::string>& names) {
  std::istringstream in(value);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  if (words.size() == 1)
    if (const std::optional<Mask> elements = BySymbols(words[0], symbols)) return {elements, {}};
  Mask elements = 0;
  for (const std::string& word : words) {
    std::size_t x = 0;
    while (x < names.size() && names[x] != word) ++x;
    if (x == names.size()) return {std::nullopt, word};
    elements |= Bit(static_cast<int>(x));
  }
  return {elements, {}};
}
