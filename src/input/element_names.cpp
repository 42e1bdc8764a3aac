// Elements by name or symbol.
#include "input/element_names.h"

#include <algorithm>

namespace mirelkon {

namespace {

// The element the legend gives the name, or -1.
int ElementNamed(const PartialLattice& lattice, const std::vector<LegendEntry>& legend,
                 std::string_view name) {
  const auto entry = std::find_if(legend.begin(), legend.end(),
                                  [&](const LegendEntry& e) { return e.name == name; });
  return entry == legend.end() ? -1 : lattice.ElementOf(entry->symbol);
}

// The elements of a run of symbols; false when a character is no element's symbol.
bool AddSymbols(const PartialLattice& lattice, std::string_view symbols, Mask& elements) {
  Mask found = 0;
  for (char symbol : symbols) {
    const int x = lattice.ElementOf(symbol);
    if (x < 0) return false;
    found |= Bit(x);
  }
  elements |= found;
  return !symbols.empty();
}

bool AddWord(const PartialLattice& lattice, const std::vector<LegendEntry>& legend,
             std::string_view word, Mask& elements) {
  if (const int x = ElementNamed(lattice, legend, word); x >= 0) {
    elements |= Bit(x);
    return true;
  }
  return AddSymbols(lattice, word, elements);
}

std::vector<std::string_view> Split(std::string_view text, std::string_view separators) {
  std::vector<std::string_view> words;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t stop = std::min(text.find_first_of(separators, at), text.size());
    if (stop > at) words.push_back(text.substr(at, stop - at));
    at = stop + 1;
  }
  return words;
}

}  // namespace

ElementChoice ResolveElements(const PartialLattice& lattice, const std::vector<LegendEntry>& legend,
                              std::string_view text) {
  ElementChoice choice;
  for (std::string_view word : Split(text, " \t")) {
    if (AddWord(lattice, legend, word, choice.elements)) continue;
    for (std::string_view piece : Split(word, ","))
      if (!AddWord(lattice, legend, piece, choice.elements)) {
        choice.unknown = piece;
        return choice;
      }
  }
  return choice;
}

std::string ElementName(const PartialLattice& lattice, const std::vector<LegendEntry>& legend,
                        int x) {
  const char symbol = lattice.elementSymbols[x];
  for (const LegendEntry& entry : legend)
    if (entry.symbol == symbol) return entry.name;
  return std::string(1, symbol);
}

std::string ElementsText(const PartialLattice& lattice, const std::vector<LegendEntry>& legend,
                         Mask set) {
  std::string text;
  for (Mask m = set; m != 0; m &= m - 1) {
    if (!legend.empty() && !text.empty()) text += ' ';
    text += ElementName(lattice, legend, Lowest(m));
  }
  return text.empty() ? "{}" : text;
}

}  // namespace mirelkon
