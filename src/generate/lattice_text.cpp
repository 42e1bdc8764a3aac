// Writing generated lattices as text.
#include "generate/lattice_text.h"

#include <cassert>

void AppendDigraph6(const GeneratedLattice& lattice, std::string& text) {
  static_assert(maxGeneratedSize <= 62, "the size fits one character");
  const int n = lattice.size;
  text += '&';
  text += static_cast<char>(63 + n);
  int bits = 0, filled = 0;
  const auto put = [&](bool arc) {
    bits = bits << 1 | arc;
    if (++filled == 6) {
      text += static_cast<char>(63 + bits);
      bits = filled = 0;
    }
  };
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y) put(Holds(lattice.lowerCovers[y], x));
  if (filled > 0) text += static_cast<char>(63 + (bits << (6 - filled)));
}

void AppendCoverList(const std::vector<CoverPair>& pairs, std::string& text) {
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    if (i > 0) text += ' ';
    text += std::to_string(pairs[i].lower);
    text += '<';
    text += std::to_string(pairs[i].upper);
  }
}
