// The usage text, written for --help and after a command line that names no command.
#include "lattice/lattice_usage.h"

std::string LatticeUsageText() {
  static constexpr const char* lines[] = {
      "Usage: mirelkon-lattice complete IN [-o FILE]",
      "       mirelkon-lattice make TERM [x TERM ...] [--subtrahend S] [--verbose] [-o FILE]",
      "       mirelkon-lattice --help",
      "",
      "Both commands write an input file for mirelkon, with every join and meet of two",
      "incomparable elements, to standard output or to the new file FILE (an existing file",
      "is never overwritten).",
      "",
      "complete IN  checks every job of the input file IN: its edges must give a lattice",
      "             (no cycle; every two elements have a least upper and a greatest lower",
      "             bound) and its given joins and meets must hold there. It writes the file",
      "             again with the joins and meets that are missing. When \"+\" or \"*\" is",
      "             missing from \\operationsymbols=, it is added at the end of that line.",
      "make TERM    writes the lattice named by the term, or the direct product of the",
      "             terms joined by \"x\"; an element named by one character is written",
      "             by it, the others by the first of 0-9, a-z, A-Z, !\"#$&/:;<>@^_`|~ left,",
      "             bottom first, and a legend (% legend: 0=bottom ...) names them. Terms:",
      "               chain N          the chain of N elements",
      "               boolean K        the subsets of a K-set",
      "               diamond K        M_K: bottom, top and K atoms",
      "               pentagon         N_5",
      "               divisors M       the divisors of M under divisibility",
      "               partitions K     the partitions of a K-set",
      "               subspaces P K    the subspaces of GF(P)^K, P prime",
      "",
      "Options:",
      "  -o FILE           write to FILE, which must not exist yet",
      "  --subtrahend S    (make) the subtrahend in sigma(L), 0 to 20; 0 when not given",
      "  --verbose         (make) ask mirelkon for its verbose listings",
      "",
      "Errors go to standard error, as FILE:LINE: message for complete and as",
      "mirelkon-lattice: message otherwise; the exit status is then 1 and nothing is written.",
      "Example: mirelkon-lattice make divisors 60 -o d60.txt && mirelkon d60.txt",
  };
  std::string text;
  for (const char* line : lines) text.append(line).append("\n");
  return text;
}
