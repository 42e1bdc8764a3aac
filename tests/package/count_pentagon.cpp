// Counts the sublattices of the pentagon N_5 through the library's entry header: 23.
#include <cstdio>

#include "core/mirelkon.h"

int main() {
  mirelkon::Order order = mirelkon::Order::Identity(5);
  for (auto [x, y] : {std::pair{0, 1}, {1, 3}, {3, 4}, {0, 2}, {2, 4}}) order.Add(x, y);
  order.Close();
  const mirelkon::PartialLattice n5 = mirelkon::LatticeOf(order);
  mirelkon::ClosedSetCounter counter;
  const mirelkon::Problem problem(n5.order, n5.equations);
  std::printf("%s\n", mirelkon::DecimalText(problem.Count(counter)).c_str());
}
