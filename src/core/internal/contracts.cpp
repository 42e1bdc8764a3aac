// The entry points' checks, each with a message that names the offending value.
#include "core/internal/contracts.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <type_traits>

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

// Whether every element of every triple is below n; this runs on every count and derivation,
// so rules and equations of a 64-element lattice, three elements in a few bytes each, are read
// as plain words, in a loop the compiler turns into vector instructions.
template <class Triple>
bool AllInside(int n, std::span<const Triple> triples) {
  int largest = -1;
  for (const Triple& t : triples)
    largest = std::max(largest, std::max<int>(t.left, std::max(t.right, t.result)));
  return largest < n;
}

// A rule is three element bytes.
template <>
bool AllInside(int n, std::span<const Rule> rules) {
  static_assert(sizeof(Rule) == 3 && std::is_same_v<decltype(Rule::left), std::uint8_t>);
  const auto* byte = reinterpret_cast<const std::uint8_t*>(rules.data());
  std::uint8_t largest = 0;
  for (std::size_t i = 0; i < rules.size_bytes(); ++i) largest = std::max(largest, byte[i]);
  return rules.empty() || largest < n;
}

// An equation is three element bytes and its operation's: a word whose low three bytes are
// the elements. Below 128 elements, a byte b is at least n exactly when b or b + 128 - n has
// its high bit set.
template <>
bool AllInside(int n, std::span<const Equation> equations) {
  static_assert(sizeof(Equation) == 4 && offsetof(Equation, operation) == 3);
  static_assert(std::endian::native == std::endian::little);
  assert(0 <= n && n < 128);
  constexpr std::uint32_t elements = 0x00FFFFFF, low = 0x00010101;
  const std::uint32_t shift = static_cast<std::uint32_t>(128 - n) * low;
  std::uint32_t high = 0;
  for (const Equation& e : equations) {
    std::uint32_t word;
    std::memcpy(&word, &e, sizeof word);
    word &= elements;
    high |= ((word & 0x7F7F7F) + shift) | word;
  }
  return (high & 0x808080) == 0;
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
  for (int x : required)
    if (x < 0 || x >= n) Refuse(what, "required element " + std::to_string(x) + OfElements(n));
}

void CheckLevels(std::string_view what, int n, std::span<const int> levels) {
  if (!levels.empty() && levels.size() != static_cast<std::size_t>(n))
    Refuse(what, std::to_string(levels.size()) + " levels for " + std::to_string(n) +
                     " elements (one per element, or none)");
}

}  // namespace mirelkon
