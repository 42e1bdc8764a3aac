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

void RequireAtLeast(std::string_view what, int argument, int minimum) {
  if (argument < minimum)
    Refuse(what, std::to_string(argument) + " is below " + std::to_string(minimum));
}

LatticeFactor Built(std::string_view what, Builder build, std::vector<int> arguments) {
  LatticeFactor factor;
  if (!build(factor, arguments.data()))
    Refuse(what, "more than " + std::to_string(maxElements) + " elements");
  return factor;
}

}  // namespace

LatticeFactor Chain(int n) {
  RequireAtLeast("Chain", n, 0);
  return Built("Chain", BuildChain, {n});
}

LatticeFactor Boolean(int k) {
  RequireAtLeast("Boolean", k, 0);
  return Built("Boolean", BuildBoolean, {k});
}

LatticeFactor Diamond(int k) {
  RequireAtLeast("Diamond", k, 0);
  return Built("Diamond", BuildDiamond, {k});
}

LatticeFactor Pentagon() {
  return Built("Pentagon", BuildPentagon, {});
}

LatticeFactor Divisors(int m) {
  RequireAtLeast("Divisors", m, 1);
  return Built("Divisors", BuildDivisors, {m});
}

LatticeFactor Partitions(int k) {
  RequireAtLeast("Partitions", k, 1);
  return Built("Partitions", BuildPartitions, {k});
}

LatticeFactor Subspaces(int p, int k) {
  if (!IsPrime(p)) Refuse("Subspaces", std::to_string(p) + " is no prime");
  RequireAtLeast("Subspaces", k, 0);
  return Built("Subspaces", BuildSubspaces, {p, k});
}

LatticeFactor Tamari(int n) {
  RequireAtLeast("Tamari", n, 1);
  return Built("Tamari", BuildTamari, {n});
}

LatticeFactor Young(int m, int n) {
  RequireAtLeast("Young", m, 0);
  RequireAtLeast("Young", n, 0);
  return Built("Young", BuildYoung, {m, n});
}

LatticeFactor Product(LatticeFactor a, const LatticeFactor& b) {
  if (!MultiplyBy(a, b))
    Refuse("Product", "more than " + std::to_string(maxElements) + " elements");
  return a;
}

bool IsPrime(int p) {
  if (p < 2) return false;
  for (long long d = 2; d * d <= p; ++d)
    if (p % d == 0) return false;
  return true;
}

}  // namespace mirelkon
