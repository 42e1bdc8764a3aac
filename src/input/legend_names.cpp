// Elements named by the legend.
#include "input/legend_names.h"

#include <algorithm>

namespace mirelkon {

std::vector<std::string> LegendNames(const ParsedJob& job) {
  std::vector<std::string> names;
  for (char symbol : job.lattice.elementSymbols) {
    const auto entry = std::find_if(job.legend.begin(), job.legend.end(),
                                    [&](const LegendEntry& e) { return e.symbol == symbol; });
    names.push_back(entry != job.legend.end() ? entry->name : std::string(1, symbol));
  }
  return names;
}

}  // namespace mirelkon
