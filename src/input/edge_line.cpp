// Edges enter the order matrix one by one; the order is closed after the last edge line.
#include "input/edge_line.h"

#include "input/item_line.h"
#include "input/line_reader.h"
#include "input/warning.h"
#include "model/job_model.h"
#include "model/short_string.h"
#include "session/fatal_error.h"

namespace {

// Whether the edges read so far lead upward from one element to the other. The matrix
// holds only the identity and those edges until the order is closed.
bool EdgesLead(int from, int to) {
  bool seen[maxElements + 1] = {};
  int pending[maxElements];
  int pendingCount = 0;
  pending[pendingCount++] = from;
  seen[from] = true;
  while (pendingCount > 0) {
    const int x = pending[--pendingCount];
    if (x == to) return true;
    for (int y = 1; y <= job.latticeSize; ++y) {
      if (job.orderMatrix[x][y] && !seen[y]) {
        seen[y] = true;
        pending[pendingCount++] = y;
      }
    }
  }
  return false;
}

}  // namespace

void ParseEdgeLine(std::string& line) {
  PrepareItemLine(line);
  for (;;) {
    TrimBlanks(line);
    if (line.empty()) return;
    std::size_t length = ItemLength(line);
    if (length != 2) FatalDataError(Concat({"(codeg5b) invalid edge in |", line, "|"}));
    int lower = ElementNumber(line[0]);
    int upper = ElementNumber(line[1]);
    if (lower == 0 || upper == 0) {
      FatalDataError(Concat({"(codej6g) invalid element(s) in an edge in ", line}));
    }
    if (lower == upper || job.orderMatrix[lower][upper]) {
      FatalDataError(Concat({"(codepV5) repeated or 0-length edge in ", line}));
    }
    // The order is taken as it comes, cycles included; a cycle is nearly always a reversed edge.
    if (EdgesLead(upper, lower)) {
      Warn({"the edges form a cycle: ", line.substr(0, 1), " and ", line.substr(1, 1),
            " are each below the other"});
    }
    job.orderMatrix[lower][upper] = true;
    job.edgeList[job.edgeCount++] = {static_cast<std::uint8_t>(lower),
                                     static_cast<std::uint8_t>(upper)};
    line.erase(0, length + 1);
  }
}
