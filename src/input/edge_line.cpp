// Edges enter the job's order one by one; the order is closed after the last edge line.
#include "input/edge_line.h"

#include <string>
#include <vector>

#include "core/bits.h"
#include "input/item_line.h"
#include "input/line_reader.h"
#include "input/short_string.h"

namespace mirelkon {

namespace {

// The elements on a way upward along the edges read so far from one element to the other,
// both included; empty when there is none. The order holds only the identity and those edges
// until it is closed.
std::vector<int> UpwardWay(const Order& edges, int from, int to) {
  std::vector<int> cameFrom(edges.size, -1);
  Mask reached = Bit(from);
  for (Mask fresh = reached; fresh != 0 && !Holds(reached, to);) {
    Mask next = 0;
    for (Mask m = fresh; m != 0; m &= m - 1) {
      const int x = Lowest(m);
      for (Mask up = edges.above[x] & ~reached & ~next; up != 0; up &= up - 1)
        cameFrom[Lowest(up)] = x;
      next |= edges.above[x] & ~reached;
    }
    fresh = next;
    reached |= fresh;
  }
  if (!Holds(reached, to)) return {};
  std::vector<int> way{to};
  while (way.back() != from) way.push_back(cameFrom[way.back()]);
  return {way.rbegin(), way.rend()};
}

// "c < a < b < c": the new edge from lower to upper, then the way back down to lower.
std::string CycleText(const PartialLattice& lattice, int lower, const std::vector<int>& way) {
  std::string text(1, lattice.elementSymbols[lower]);
  for (int x : way) text += std::string(" < ") + lattice.elementSymbols[x];
  return text;
}

}  // namespace

void ParseEdgeLine(InputReader& reader) {
  std::string& line = reader.line;
  PrepareItemLine(reader);
  PartialLattice& lattice = reader.job.lattice;
  for (;;) {
    TrimBlanks(line);
    if (line.empty()) return;
    const std::size_t length = ItemLength(line);
    if (length != 2) {
      reader.Fail(Concat({"(codeg5b) invalid edge in |", line, "|"}),
                  WrongLengthDetail(std::string_view(line).substr(0, length), "edge", 2, "ab"));
    }
    const int lower = lattice.ElementOf(line[0]);
    const int upper = lattice.ElementOf(line[1]);
    if (lower < 0 || upper < 0) {
      reader.Fail(Concat({"(codej6g) invalid element(s) in an edge in ", line}),
                  Shown(line.substr(lower < 0 ? 0 : 1, 1)) + " is not among the elements " +
                      lattice.elementSymbols);
    }
    if (lower == upper || lattice.order.Below(lower, upper)) {
      reader.Fail(Concat({"(codepV5) repeated or 0-length edge in ", line}),
                  lower == upper
                      ? line.substr(0, 2) + " leads from " + line.substr(0, 1) + " to itself"
                      : line.substr(0, 2) + " is given twice");
    }
    // The order is taken as it comes, cycles included; a cycle is nearly always a reversed edge.
    if (!reader.latticeRequired) {
      if (const std::vector<int> way = UpwardWay(lattice.order, upper, lower); !way.empty())
        reader.Warn({"the edges form a cycle: ", CycleText(lattice, lower, way)});
    }
    lattice.order.Add(lower, upper);
    reader.job.edges.push_back(
        {static_cast<std::uint8_t>(lower), static_cast<std::uint8_t>(upper)});
    line.erase(0, length + 1);
  }
}

}  // namespace mirelkon
