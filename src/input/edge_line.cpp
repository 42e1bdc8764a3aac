// Edges enter the order matrix one by one; the order is closed after the last edge line.
#include "input/edge_line.h"

#include "input/item_line.h"
#include "input/line_reader.h"
#include "model/job_model.h"
#include "model/short_string.h"
#include "session/fatal_error.h"

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
    job.orderMatrix[lower][upper] = true;
    job.edgeList[job.edgeCount++] = {static_cast<std::uint8_t>(lower),
                                     static_cast<std::uint8_t>(upper)};
    line.erase(0, length + 1);
  }
}
