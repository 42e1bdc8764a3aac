// The typed builders: the families' builders behind argument checks that throw.
#include "families/lattices.h"

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/limits.h"
#include "families/lattice_constructions.h"

namespace mirelkon {

namespace {

using Builder = bool (*)(LatticeFactor&, const int*);

[[noreturn]] void Refuse(std::string_view what, const std::string& reason) {
  throw std::invalid_argument(std::string(what) + ": " + reason);
}

// Builds the lattice from arguments no less than their minimums.
LatticeFactor Built(std::string_view what, Builder build, std::vector<int> arguments,
                    std::initializer_list<int> minimums) {
  for (std::size_t a = 0; a < arguments.size(); ++a)
    if (const int minimum = minimums.begin()[a]; arguments[a] < minimum)
      Refuse(what, std::to_string(arguments[a]) + " is below " + std::to_string(minimum));
  LatticeFactor factor;
  if (!build(factor, arguments.data()))
    Refuse(what, "more than " + std::to_string(maxWideElements) + " elements");
  return factor;
}

}  // namespace

LatticeFactor Chain(int n) {
  return Built("Chain", BuildChain, {n}, {0});
}

LatticeFactor Boolean(int k) {
  return Built("Boolean", BuildBoolean, {k}, {0});
}

LatticeFactor Diamond(int k) {
  return Built("Diamond", BuildDiamond, {k}, {0});
}

LatticeFactor Pentagon() {
  return Built("Pentagon", BuildPentagon, {}, {});
}

LatticeFactor Divisors(int m) {
  return Built("Divisors", BuildDivisors, {m}, {1});
}

LatticeFactor Partitions(int k) {
  return Built("Partitions", BuildPartitions, {k}, {1});
}

LatticeFactor Subspaces(int p, int k) {
  if (!IsPrime(p)) Refuse("Subspaces", std::to_string(p) + " is no prime");
  return Built("Subspaces", BuildSubspaces, {p, k}, {2, 0});
}

LatticeFactor Tamari(int n) {
  return Built("Tamari", BuildTamari, {n}, {1});
}

LatticeFactor Young(int m, int n) {
  return Built("Young", BuildYoung, {m, n}, {0, 0});
}

LatticeFactor Product(LatticeFactor a, const LatticeFactor& b) {
  if (!MultiplyBy(a, b))
    Refuse("Product", "more than " + std::to_string(maxWideElements) + " elements");
  return a;
}

bool IsPrime(int p) {
  if (p < 2) return false;
  for (long long d = 2; d * d <= p; ++d)
    if (p % d == 0) return false;
  return true;
}

}  // namespace mirelkon
