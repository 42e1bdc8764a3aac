// The entry points' checks, each with a message that names the offending value.
#include "core/internal/contracts.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "core/limits.h"

namespace mirelkon {

namespace {

[[noreturn]] void Refuse(std::string_view what, const std::string& reason) {
  throw std::invalid_argument(std::string(what) + ": " + reason);
}

std::string OfElements(int n) {
  return " of " + std::to_string(n) + " elements";
}

// The first element of the triple outside 0..n-1; one of them is.
int OutsideElement(int n, int a, int b, int c) {
  return a >= n ? a : b >= n ? b : c;
}

// Whether every element of every triple is below n; this runs on every count and derivation.
template <class Triple>
bool AllInside(int n, std::span<const Triple> triples) {
  int largest = -1;
  for (const Triple& t : triples)
    largest = std::max(largest, std::max<int>(t.left, std::max(t.right, t.result)));
  return largest < n;
}

}  // namespace

void CheckSize(std::string_view what, int n, int largest) {
  if (n < 0 || n > largest)
    Refuse(what,
           std::to_string(n) + " elements; the library counts 0 to " + std::to_string(largest));
}

namespace {

template <class R>
void CheckRulesOf(std::string_view what, int n, std::span<const R> rules, int largest) {
  CheckSize(what, n, largest);
  if (AllInside(n, rules)) return;
  for (const R& r : rules)
    if (const int x = OutsideElement(n, r.left, r.right, r.result); x >= n)
      Refuse(what, "a rule names element " + std::to_string(x) + OfElements(n) + " (0 to " +
                       std::to_string(n - 1) + ")");
}

}  // namespace

void CheckRules(std::string_view what, int n, std::span<const Rule> rules) {
  CheckRulesOf(what, n, rules, maxElements);
}

void CheckRules(std::string_view what, int n, std::span<const WideRule> rules) {
  CheckRulesOf(what, n, rules, maxWideElements);
}

void CheckEquations(std::string_view what, int n, std::span<const Equation> equations) {
  CheckSize(what, n);
  if (AllInside(n, equations)) return;
  for (const Equation& e : equations)
    if (const int x = OutsideElement(n, e.left, e.right, e.result); x >= n)
      Refuse(what, "an equation names element " + std::to_string(x) + OfElements(n));
}

void CheckRequired(std::string_view what, int n, Mask required) {
  if ((required & ~FirstElements(n)) != 0)
    Refuse(what, "required element " + std::to_string(Highest(required)) + OfElements(n));
}

void CheckRequired(std::string_view what, int n, std::span<const int> required) {
  for (int r : required)
    if (r < 0 || r >= n) Refuse(what, "required element " + std::to_string(r) + OfElements(n));
}

void CheckLevels(std::string_view what, int n, std::span<const int> levels) {
  if (!levels.empty() && levels.size() != static_cast<std::size_t>(n))
    Refuse(what, std::to_string(levels.size()) + " levels for " + std::to_string(n) +
                     " elements (one per element, or none)");
}

}  // namespace mirelkon
