// Terms are read word by word: a family name and its whole-number arguments, factors joined
// by "x". The product becomes a lattice whose edges are its cover pairs, written by the same
// writer that complete uses.
#include "lattice/make_command.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <string_view>

#include "core/lattice.h"
#include "core/partial_lattice.h"
#include "input/lattice_completion.h"
#include "input/short_string.h"
#include "input/whole_number.h"
#include "lattice/command_error.h"
#include "lattice/input_writer.h"
#include "lattice/lattice_families.h"

namespace {

constexpr int maxArguments = 2;

struct Family {
  std::string_view name;
  std::string_view argumentNames;  // one letter per argument, as the usage writes them
  int minimum[maxArguments];
  bool firstIsPrime;
  bool (*build)(LatticeFactor&, const int*);
};

constexpr Family families[] = {
    {"chain", "N", {1}, false, BuildChain},
    {"boolean", "K", {0}, false, BuildBoolean},
    {"diamond", "K", {0}, false, BuildDiamond},
    {"pentagon", "", {}, false, BuildPentagon},
    {"divisors", "M", {1}, false, BuildDivisors},
    {"partitions", "K", {1}, false, BuildPartitions},
    {"subspaces", "PK", {2, 0}, true, BuildSubspaces},
};

// The factors built so far and their product.
struct MakeState {
  LatticeFactor product;
  LatticeFactor factor;
  int factorCount = 0;
};

std::string Joined(const std::vector<std::string>& words, std::size_t first, std::size_t last) {
  std::string text;
  for (std::size_t w = first; w < last; ++w) text += (w > first ? " " : "") + words[w];
  return text;
}

std::string FormOf(const Family& family) {
  std::string form(family.name);
  for (char argument : family.argumentNames) form += std::string(" ") + argument;
  return form;
}

const Family& FindFamily(const std::string& word) {
  for (const Family& family : families)
    if (family.name == word) return family;
  std::string known;
  for (const Family& family : families) known += (known.empty() ? "" : ", ") + FormOf(family);
  throw UsageError("unknown lattice \"" + word + "\"; the lattices are " + known);
}

bool IsPrime(int p) {
  if (p < 2) return false;
  for (long long d = 2; d * d <= p; ++d)
    if (p % d == 0) return false;
  return true;
}

// Builds the factor named by words[first..last) into made.factor.
bool BuildTerm(MakeState& made, const std::vector<std::string>& words, std::size_t first,
               std::size_t last) {
  if (first == last) throw UsageError("a lattice is missing beside \"x\"");
  const std::string term = Joined(words, first, last);
  const Family& family = FindFamily(words[first]);
  if (last - first - 1 != family.argumentNames.size())
    throw UsageError("\"" + term + "\" should read " + FormOf(family));
  int arguments[maxArguments] = {};
  for (std::size_t a = 0; a < family.argumentNames.size(); ++a) {
    if (!ParseWholeNumber(words[first + 1 + a], arguments[a]) || arguments[a] < family.minimum[a]) {
      throw UsageError("in \"" + term + "\", " + family.argumentNames[a] +
                       " must be a whole number from " + std::to_string(family.minimum[a]) +
                       " to " + std::to_string(INT_MAX));
    }
  }
  if (family.firstIsPrime && !IsPrime(arguments[0]))
    throw UsageError("in \"" + term + "\", " + family.argumentNames[0] + " must be a prime");
  made.factor = LatticeFactor{};
  return family.build(made.factor, arguments);
}

// Builds every factor and multiplies them up; false when the product outgrows the tables.
bool BuildProduct(MakeState& made, const std::vector<std::string>& words) {
  for (std::size_t first = 0; first <= words.size();) {
    std::size_t last = first;
    while (last < words.size() && words[last] != "x") ++last;
    if (!BuildTerm(made, words, first, last)) return false;
    if (made.factorCount++ == 0) {
      made.product = made.factor;
    } else if (!MultiplyBy(made.product, made.factor)) {
      return false;
    }
    first = last + 1;
  }
  return true;
}

// The cover pairs, by lower element, then upper: the edges a user would draw.
std::vector<Edge> CoverEdges(const Order& order) {
  std::vector<Edge> edges;
  for (int i = 0; i < order.size; ++i)
    for (int j = 0; j < order.size; ++j)
      if (order.Covers(i, j))
        edges.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(j)});
  return edges;
}

// Each element whose name is a single character that may be a symbol takes it as its symbol
// (the divisors 1 to 9, the atoms a, b, c of the pentagon), so that a+b=c reads as what it
// means; the others take the first default symbols left, in the order of the listing.
std::string ElementSymbols(const std::vector<std::string>& names) {
  const std::string_view defaults = defaultElementSymbols;
  std::string symbols(names.size(), '\0');
  for (std::size_t i = 0; i < names.size(); ++i) {
    const bool own = names[i].size() == 1 && Contains(defaults, names[i]);
    if (own && !Contains(symbols, names[i])) symbols[i] = names[i][0];
  }
  std::size_t next = 0;
  for (char& symbol : symbols) {
    if (symbol != '\0') continue;
    while (Contains(symbols, defaults.substr(next, 1))) ++next;
    symbol = defaults[next];
  }
  return symbols;
}

std::vector<LegendEntry> Legend(const std::string& symbols, const MakeState& made) {
  std::vector<LegendEntry> legend;
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    const std::string& name = made.product.names[i];
    legend.push_back({symbols[i], made.factorCount > 1 ? "(" + name + ")" : name});
  }
  return legend;
}

}  // namespace

std::string MakeInputFile(const MakeRequest& request) {
  const std::string name = Joined(request.words, 0, request.words.size());
  MakeState made;
  if (!BuildProduct(made, request.words)) {
    throw UsageError(name + " has more than " + std::to_string(maxElements) +
                     " elements, the most a lattice may have");
  }
  const Order& order = made.product.order;
  const PartialLattice lattice = {ElementSymbols(made.product.names), "+*", order, {}};
  const LatticeCheck check = CheckLattice(order);
  assert(!check.fault);  // these lattices always pass
  return "% " + name + ": " + std::to_string(order.size) +
         " elements, written by mirelkon-lattice make.\n\n" +
         RunSettingsText({request.verbose, request.subtrahend, lattice.operationSymbols}) +
         JobText(name, lattice, CoverEdges(order), MissingEquations(lattice, check.tables),
                 Legend(lattice.elementSymbols, made)) +
         "\\enddata\n";
}
