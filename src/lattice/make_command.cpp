// The term's lattice becomes an input file whose edges are its cover pairs, written by the
// same writer that complete uses.
#include "lattice/make_command.h"

#include <cassert>
#include <cctype>
#include <string_view>

#include "core/lattice.h"
#include "core/partial_lattice.h"
#include "families/lattice_families.h"
#include "input/input_file.h"
#include "input/input_writer.h"
#include "input/lattice_completion.h"
#include "input/lattice_file.h"
#include "input/short_string.h"
#include "lattice/command_error.h"
#include "lattice/term_reader.h"
#include "report/counted.h"

namespace mirelkon {

namespace {

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
// means; the others take the first default symbols left, in the order of the listing. Where
// names are numbers, those are letters: a digit standing for another number (7 for the
// divisor 12) would be read as the wrong element.
std::string ElementSymbols(const std::vector<std::string>& names) {
  const std::string_view defaults = defaultElementSymbols;
  std::string symbols(names.size(), '\0');
  bool numbered = false;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const bool own = names[i].size() == 1 && Contains(defaults, names[i]);
    if (own && !Contains(symbols, names[i])) symbols[i] = names[i][0];
    numbered =
        numbered || (!names[i].empty() && std::isdigit(static_cast<unsigned char>(names[i][0])));
  }
  std::size_t next = 0;
  auto usable = [&](char c) {
    return !Contains(symbols, std::string_view(&c, 1)) &&
           !(numbered && std::isdigit(static_cast<unsigned char>(c)));
  };
  for (char& symbol : symbols) {
    if (symbol != '\0') continue;
    while (!usable(defaults[next])) ++next;
    symbol = defaults[next];
  }
  return symbols;
}

std::vector<LegendEntry> Legend(const std::string& symbols, const LatticeFactor& lattice) {
  std::vector<LegendEntry> legend;
  for (std::size_t i = 0; i < symbols.size(); ++i) legend.push_back({symbols[i], lattice.names[i]});
  return legend;
}

}  // namespace

MadeLattice MakeLattice(const std::vector<std::string>& arguments, int largest) {
  const std::vector<std::string> words = TermWords(arguments);
  MadeLattice made{TermName(words), {}, {}};
  // The name stands on lines of the file, which mirelkon reads only up to 1 MiB long.
  if (made.name.size() > maxPhysicalLineLength / 2)
    throw UsageError("the term is longer than " + std::to_string(maxPhysicalLineLength / 2) +
                     " characters; mirelkon could not read the file");
  try {
    made.lattice = ReadTerm(words, largest);
  } catch (const TermError& error) {
    throw UsageError(error.message);
  } catch (const LatticeTooLarge&) {
    throw UsageError(made.name + " has more than " + std::to_string(largest) +
                     " elements, the most a lattice may have");
  }
  if (made.lattice.Size() <= maxElements) made.symbols = ElementSymbols(made.lattice.names);
  return made;
}

std::string MakeInputFile(const MakeRequest& request) {
  const MadeLattice made = MakeLattice(request.words, maxWideElements);
  if (request.names || made.lattice.Size() > maxElements) {
    if (request.verbose || request.subtrahend != 0)
      throw UsageError(made.name + " is written as a lattice file, which has no header for " +
                       "--subtrahend and --verbose");
    return "% " + made.name + ": " + Counted(made.lattice.Size(), "element") +
           ", written by mirelkon-lattice make.\n" +
           LatticeFileText(made.lattice.names, made.lattice.order);
  }
  const Order order = NarrowOrder(made.lattice.order);
  const PartialLattice lattice = {made.symbols, "+*", order, {}};
  const LatticeCheck check = CheckLattice(order);
  assert(!check.fault);  // these lattices always pass
  return "% " + made.name + ": " + Counted(order.size, "element") +
         ", written by mirelkon-lattice make.\n\n" +
         RunSettingsText({request.verbose, request.subtrahend, lattice.operationSymbols}) +
         JobText(made.name, lattice, CoverEdges(order), MissingEquations(lattice, check.tables),
                 Legend(lattice.elementSymbols, made.lattice)) +
         "\\enddata\n";
}

}  // namespace mirelkon
