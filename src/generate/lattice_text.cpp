// Writing generated lattices as text.
#include "generate/lattice_text.h"

#include <cassert>

namespace mirelkon {

void AppendDigraph6(const GeneratedLattice& lattice, std::string& text) {
  static_assert(maxGeneratedSize <= 62, "the size fits one character");
  const int n = lattice.size;
  // Row x of the matrix as an n-bit number whose highest bit is column 0, the order in which
  // digraph6 takes the bits; the rows then go into the stream whole, not bit by bit.
  Mask rows[maxGeneratedSize] = {};
  for (int y = 0; y < n; ++y)
    for (Mask covered = lattice.lowerCovers[y]; covered != 0; covered &= covered - 1)
      rows[Lowest(covered)] |= Bit(n - 1 - y);
  char line[2 + (maxGeneratedSize * maxGeneratedSize + 5) / 6];
  int length = 0;
  line[length++] = '&';
  line[length++] = static_cast<char>(63 + n);
  Mask pending = 0;  // the last `held` bits of the stream not yet written
  int held = 0;
  for (int x = 0; x < n; ++x) {
    pending = pending << n | rows[x];
    for (held += n; held >= 6;) {
      held -= 6;
      line[length++] = static_cast<char>(63 + (pending >> held & 63));
    }
  }
  if (held > 0) line[length++] = static_cast<char>(63 + (pending << (6 - held) & 63));
  text.append(line, length);
}

void AppendCoverList(const std::vector<CoverPair>& pairs, std::string& text) {
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    if (i > 0) text += ' ';
    text += std::to_string(pairs[i].lower);
    text += '<';
    text += std::to_string(pairs[i].upper);
  }
}

}  // namespace mirelkon
