// The command "draw": the Hasse diagram of a term's lattice or of each job of an input file,
// as SVG, PNG, PDF or the Graphviz source.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mirelkon {

struct DrawRequest {
  std::vector<std::string> operands;     // one input file, or the words of a term
  std::string outputName;                // empty: SVG on standard output
  std::optional<std::string> highlight;  // --highlight: symbols or names of marked elements
  bool sheet = false;                    // --sheet: the jobs of a file on one sheet
};

// Writes the drawings; a refusal comes as a CommandError before anything is written.
void RunDrawCommand(const DrawRequest& request);

}  // namespace mirelkon
