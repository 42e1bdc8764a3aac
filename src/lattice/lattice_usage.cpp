// The usage text, written for --help and after a command line that names no command, and the
// version line.
#include "lattice/lattice_usage.h"

#include "generate/generated_lattice.h"
#include "lattice/command_error.h"
#include "lattice/lattice_options.h"

namespace mirelkon {

std::string LatticeUsageText() {
  static const std::string lines[] = {
      "Usage: mirelkon-lattice complete IN [-o FILE]",
      "       mirelkon-lattice make TERM [--subtrahend S] [--verbose] [--names] [-o FILE]",
      "       mirelkon-lattice draw TERM|IN [--highlight ELEMENTS] [--sheet] [-o PICTURE]",
      "       mirelkon-lattice all N [--covers | --count | -o DIR --input] [-j T] [--part K/M]",
      "       mirelkon-lattice survey N|A..B [--top T] [--at-least X] [--json]",
      "                        [--top-input DIR] [--draw-top PICTURE] [-j T] [--part K/M]",
      "       mirelkon-lattice merge FILES... [--top T] [--json] [--draw-top PICTURE]",
      "       mirelkon-lattice --help | --version",
      "",
      "complete and make write an input file for mirelkon, with every join and meet of two",
      "incomparable elements, to standard output or to the new file FILE (an existing file",
      "is never overwritten).",
      "",
      "complete IN  checks every job of the input file IN: its edges must give a lattice",
      "             (no cycle; every two elements have a least upper and a greatest lower",
      "             bound) and its given joins and meets must hold there. It writes the file",
      "             again with the joins and meets that are missing. When \"+\" or \"*\" is",
      "             missing from \\operationsymbols=, it is added at the end of that line.",
      "make TERM    writes the lattice named by the term; an element named by one",
      "             character is written by it, the others by the first of 0-9, a-z, A-Z,",
      "             !\"#$&/:;<>@^_`|~ left, bottom first, and a legend (% legend: 0=bottom",
      "             ...) names them. Lattices, with their short names:",
      "               chain N          CN   the chain of N elements",
      "               boolean K        BK   the subsets of a K-set",
      "               diamond K        MK   M_K: bottom, top and K atoms",
      "               pentagon         N5   N_5",
      "               divisors M       DM   the divisors of M under divisibility",
      "               partitions K     PiK  the partitions of a K-set",
      "               subspaces P K         the subspaces of GF(P)^K, P prime",
      "               tamari N              binary trees with N inner nodes under rotation",
      "               young M N             partitions in an M x N box (Young's lattice)",
      "             and lattices made of lattices, the loosest binding first:",
      "               A + B   A ++ B   glued sum (top of A = bottom of B); ordinal sum",
      "               A x B            direct product",
      "               A ^ k            direct power",
      "               dual A           the order turned upside down",
      "               ( A )            grouping, as in (C2 + B2) x C3",
      "             A lattice of more than 64 elements (up to 1024), or any with --names, is",
      "             written as a lattice file instead: its cover pairs by the elements' names,",
      "             as {1,3}<{1,2,3}, which mirelkon counts as it counts an input file.",
      "draw TERM|IN draws the Hasse diagram of the term's lattice, or of each job of the",
      "             input file IN (an order that is no lattice is drawn as one, with a note):",
      "             the bottom at the bottom, each height on a row, the elements by their",
      "             names (the legend's, else the symbols). SVG on standard output, or the",
      "             format of PICTURE: .svg, .png, .pdf or .dot (the Graphviz source).",
      "all N        writes every lattice of N elements (1 to " + std::to_string(maxGeneratedSize) +
          ") up to isomorphism, one to a",
      "             line: digraph6 of its Hasse diagram, the elements numbered along a linear",
      "             extension, bottom 0 and top N-1; --covers writes its cover pairs instead",
      "             (0<1 0<2 1<3 2<3), --count only the number of lattices (with --part, a",
      "             record for merge), -o DIR --input each as an input file for mirelkon",
      "             in the new folder DIR.",
      "survey N     counts |Sub(L)| of every lattice of N elements (or of A to B elements)",
      "             and writes how many lattices have each count, the T with the most (--top",
      "             T, 10 without it) and with --at-least X every lattice with at least X",
      "             sublattices (X a whole number or k*2^(N-s), like 83*2^(N-8)).",
      "merge FILES  adds up the outputs of survey --json or all --count --part over the",
      "             parts of one run, and names the parts missing or damaged.",
      "",
      "Options:",
  };
  static const std::string closing[] = {
      "",
      "Errors go to standard error, as FILE:LINE: message for complete and draw and as",
      "mirelkon-lattice: message otherwise; the exit status is then " +
          std::to_string(statusRefused) + " and nothing is written",
      std::string(1, '(') + std::to_string(statusIoFailure) + " when output cannot be written, " +
          std::to_string(statusOutOfMemory) + " when memory runs out).",
      "Example: mirelkon-lattice make divisors 60 -o d60.txt && mirelkon d60.txt",
  };
  std::string text;
  for (const std::string& line : lines) text.append(line).append("\n");
  text += LatticeOptionLines();
  for (const std::string& line : closing) text.append(line).append("\n");
  return text;
}

std::string LatticeVersionText() {
  return "mirelkon-lattice " MIRELKON_VERSION "\n";
}

}  // namespace mirelkon
