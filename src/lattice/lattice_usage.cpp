// The usage text, written for --help and after a command line that names no command, and the
// version line.
#include "lattice/lattice_usage.h"

std::string LatticeUsageText() {
  static constexpr const char* lines[] = {
      "Usage: mirelkon-lattice complete IN [-o FILE]",
      "       mirelkon-lattice make TERM [--subtrahend S] [--verbose] [-o FILE]",
      "       mirelkon-lattice all N [--covers | --count | -o DIR --input] [-j T] [--part K/M]",
      "       mirelkon-lattice survey N|A..B [--top T] [--at-least X] [--json]",
      "                        [--top-input DIR] [-j T] [--part K/M]",
      "       mirelkon-lattice merge FILES... [--top T] [--json]",
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
      "all N        writes every lattice of N elements (1 to 20) up to isomorphism, one to a",
      "             line: digraph6 of its Hasse diagram, the elements numbered along a linear",
      "             extension, bottom 0 and top N-1; --covers writes its cover pairs instead",
      "             (0<1 0<2 1<3 2<3), --count only the number of lattices, -o DIR --input",
      "             each as an input file for mirelkon in the new folder DIR.",
      "survey N     counts |Sub(L)| of every lattice of N elements (or of A to B elements)",
      "             and writes how many lattices have each count, the T with the most (--top",
      "             T, 10 without it) and with --at-least X every lattice with at least X",
      "             sublattices (X a whole number or k*2^(N-s), like 83*2^(N-8)).",
      "merge FILES  adds up the outputs of survey --json over the parts of one run.",
      "",
      "Options:",
      "  -o FILE           write to FILE, which must not exist yet (all --input: a new folder)",
      "  --subtrahend S    (make) the subtrahend in sigma(L), 0 to 20; 0 when not given",
      "  --verbose         (make) ask mirelkon for its verbose listings",
      "  -j T              (all, survey) use T threads",
      "  --part K/M        (all, survey) only part K of M disjoint parts of the lattices",
      "  --json            (survey, merge) JSON lines instead of text",
      "  --top-input DIR   (survey) the T with the most as input files in the new folder DIR",
      "",
      "Errors go to standard error, as FILE:LINE: message for complete and as",
      "mirelkon-lattice: message otherwise; the exit status is then 1 and nothing is written.",
      "Example: mirelkon-lattice make divisors 60 -o d60.txt && mirelkon d60.txt",
  };
  std::string text;
  for (const char* line : lines) text.append(line).append("\n");
  return text;
}

std::string LatticeVersionText() {
  return "mirelkon-lattice " MIRELKON_VERSION "\n";
}
