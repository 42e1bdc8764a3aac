// Products, powers, duals and sums of lattices, built from the factors' listings and orders.
#include "families/lattice_constructions.h"

namespace mirelkon {

bool MultiplyBy(LatticeFactor& product, const LatticeFactor& factor) {
  if (product.Size() * factor.Size() > maxWideElements) return false;
  const LatticeFactor left = product;
  product = LatticeFactor{};
  for (const std::string& a : left.names)
    for (const std::string& b : factor.names) AddElement(product, a + "," + b);
  const int width = factor.Size();
  SetOrder(product, [&](int i, int j) {
    return left.order.Below(i / width, j / width) && factor.order.Below(i % width, j % width);
  });
  return true;
}

void NameAsTuples(LatticeFactor& product) {
  for (std::string& name : product.names) name = "(" + name + ")";
}

bool RaiseToPower(LatticeFactor& base, int k) {
  // A one-element lattice is its own power, however large k is.
  if (k == 1 || base.Size() == 1) return true;
  const LatticeFactor factor = base;
  for (int i = 1; i < k; ++i)
    if (!MultiplyBy(base, factor)) return false;
  NameAsTuples(base);
  return true;
}

LatticeFactor Dual(const LatticeFactor& lattice) {
  const int last = lattice.Size() - 1;
  LatticeFactor dual;
  for (int i = last; i >= 0; --i) AddElement(dual, lattice.names[i]);
  SetOrder(dual, [&](int i, int j) { return lattice.order.Below(last - j, last - i); });
  return dual;
}

bool AddSummand(LatticeFactor& sum, const LatticeFactor& upper, bool glued) {
  // The listings are linear extensions: the top of sum is its last element, the bottom of
  // upper its first.
  const int skip = glued ? 1 : 0;
  const int lowerSize = sum.Size();
  if (lowerSize + upper.Size() - skip > maxWideElements) return false;
  const LatticeFactor lower = sum;
  for (int i = skip; i < upper.Size(); ++i) AddElement(sum, upper.names[i]);
  SetOrder(sum, [&](int i, int j) {
    if (j < lowerSize) return i < lowerSize && lower.order.Below(i, j);
    return i < lowerSize || upper.order.Below(i - lowerSize + skip, j - lowerSize + skip);
  });
  return true;
}

void PrefixNames(LatticeFactor& lattice, const std::string& prefix) {
  for (std::string& name : lattice.names) name.insert(0, prefix);
}

}  // namespace mirelkon
