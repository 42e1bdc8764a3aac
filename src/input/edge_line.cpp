// Edges enter the job's order one by one; the order is closed after the last edge line.
#include "input/edge_line.h"

#include "core/bits.h"
#include "input/item_line.h"
#include "input/line_reader.h"
#include "input/short_string.h"

namespace {

// Whether the edges read so far lead upward from one element to the other. The order holds
// only the identity and those edges until it is closed.
bool EdgesLead(const Order& edges, int from, int to) {
  Mask reached = Bit(from);
  for (Mask fresh = reached; fresh != 0;) {
    Mask next = 0;
    for (Mask m = fresh; m != 0; m &= m - 1) next |= edges.above[Lowest(m)];
    fresh = next & ~reached;
    reached |= fresh;
  }
  return Holds(reached, to);
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
    if (length != 2) reader.Fail(Concat({"(codeg5b) invalid edge in |", line, "|"}));
    const int lower = lattice.ElementOf(line[0]);
    const int upper = lattice.ElementOf(line[1]);
    if (lower < 0 || upper < 0)
      reader.Fail(Concat({"(codej6g) invalid element(s) in an edge in ", line}));
    if (lower == upper || lattice.order.Below(lower, upper))
      reader.Fail(Concat({"(codepV5) repeated or 0-length edge in ", line}));
    // The order is taken as it comes, cycles included; a cycle is nearly always a reversed edge.
    if (!reader.latticeRequired && EdgesLead(lattice.order, upper, lower)) {
      reader.Warn({"the edges form a cycle: ", line.substr(0, 1), " and ", line.substr(1, 1),
                   " are each below the other"});
    }
    lattice.order.Add(lower, upper);
    reader.job.edges.push_back(
        {static_cast<std::uint8_t>(lower), static_cast<std::uint8_t>(upper)});
    line.erase(0, length + 1);
  }
}
