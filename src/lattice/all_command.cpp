// Generating and writing every lattice of one size. Each thread gathers its lines and hands
// them to standard output a megabyte at a time, so lines never mix; with -j above 1 the
// order of the lines changes from run to run.
#include "lattice/all_command.h"

#include <string>
#include <vector>

#include "generate/lattice_text.h"
#include "lattice/all_input_files.h"
#include "lattice/command_output.h"
#include "lattice/count_part.h"
#include "lattice/parallel_walk.h"

namespace mirelkon {

namespace {

constexpr std::size_t chunk = 1 << 20;

void AppendLine(LatticeForm form, const GeneratedLattice& lattice, std::string& text) {
  if (form == LatticeForm::covers) {
    AppendCoverList(CoverPairs(lattice), text);
  } else {
    AppendDigraph6(lattice, text);
  }
  text += '\n';
}

}  // namespace

void RunAllCommand(const GenerationRequest& request) {
  const WalkSetup setup{request.largest, request.part, request.parts, request.threads};
  if (request.form == LatticeForm::inputFiles) {
    WriteInputFiles(request);
    return;
  }
  StandardOutput out;
  if (request.form == LatticeForm::count) {
    const GeneratorStats stats = WalkInParallel(setup, [](int) { return nullptr; });
    out.Write(request.partGiven
                  ? CountPartJson({request.largest, {request.part, request.parts}, stats.lattices})
                  : std::to_string(stats.lattices) + "\n");
  } else {
    std::vector<std::string> pending(request.threads);
    WalkInParallel(setup, [&](int t) -> LatticeGenerator::Visitor {
      return [&, t](const GeneratedLattice& lattice) {
        AppendLine(request.form, lattice, pending[t]);
        if (pending[t].size() >= chunk) {
          out.Write(pending[t]);
          pending[t].clear();
        }
      };
    });
    for (const std::string& text : pending) out.Write(text);
  }
  out.Finish();
}

}  // namespace mirelkon
