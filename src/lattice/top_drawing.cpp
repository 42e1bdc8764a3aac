// The top lists drawn: each ranked lattice's cover pairs closed to its order.
#include "lattice/top_drawing.h"

namespace mirelkon {

void AddTopDrawings(const SurveyTally& tally, bool severalSizes, std::vector<OrderDrawing>& sheet) {
  const int n = tally.Settings().size;
  std::vector<std::string> labels;
  for (int x = 0; x < n; ++x) labels.push_back(std::to_string(x));
  const std::vector<RankedLattice> top = tally.Top();
  for (std::size_t rank = 1; rank <= top.size(); ++rank) {
    Order order = Order::Identity(n);
    for (const CoverPair& pair : top[rank - 1].covers) order.Add(pair.lower, pair.upper);
    order.Close();
    std::string caption = severalSizes ? std::to_string(n) + " elements, " : std::string();
    caption += "rank " + std::to_string(rank) +
               ", |Sub(L)| = " + std::to_string(top[rank - 1].sublattices);
    sheet.push_back({order, labels, 0, caption});
  }
}

}  // namespace mirelkon
