// Closure and derived relations of an order.
#include "core/order.h"

#include <cassert>

namespace mirelkon {

Order Order::Identity(int n) {
  assert(0 <= n && n <= maxElements);
  Order order;
  order.size = n;
  for (int x = 0; x < n; ++x) order.above[x] = Bit(x);
  return order;
}

// Warshall's closure: after round k every path whose inner elements are all at most k has
// become a direct pair, so after the last round the relation is transitive.
void Order::Close() {
  for (int x = 0; x < size; ++x) above[x] |= Bit(x);
  for (int k = 0; k < size; ++k)
    for (int x = 0; x < size; ++x)
      if (Holds(above[x], k)) above[x] |= above[k];
}

Mask Order::BelowOf(int x) const {
  Mask below = 0;
  for (int y = 0; y < size; ++y)
    if (Below(y, x)) below |= Bit(y);
  return below;
}

bool Order::Covers(int lower, int upper) const {
  if (lower == upper || !Below(lower, upper)) return false;
  const Mask between = above[lower] & BelowOf(upper) & ~(Bit(lower) | Bit(upper));
  return between == 0;
}

}  // namespace mirelkon
