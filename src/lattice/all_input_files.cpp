// Writing lattices as input files. Each file holds one job: the cover edges and every join
// and meet of two incomparable elements, written by the same writer as make and complete.
// The files are numbered in the order the lattices come, which with -j above 1 changes from
// run to run. A run that fails half-way removes the folder it created, so no folder with
// part of the lattices is left looking complete.
#include "lattice/all_input_files.h"

#include <atomic>
#include <filesystem>
#include <string>

#include "generate/lattice_counts.h"
#include "input/input_writer.h"
#include "lattice/command_error.h"
#include "lattice/command_output.h"
#include "lattice/parallel_walk.h"

namespace mirelkon {

namespace {

std::string RunName(const GenerationRequest& request) {
  std::string name = "all " + std::to_string(request.largest);
  if (request.parts > 1)
    name += " --part " + std::to_string(request.part + 1) + "/" + std::to_string(request.parts);
  return name;
}

}  // namespace

void WriteInputFiles(const GenerationRequest& request) {
  const int size = request.largest;
  const std::uint64_t expected = KnownLatticeCount(size) / request.parts;
  if (expected > maxInputFiles)
    throw UsageError(RunName(request) + " --input would write " + std::to_string(expected) +
                     " files, more than the " + std::to_string(maxInputFiles) +
                     " one folder takes; split it with --part K/M");
  CreateNewFolder(request.directory);
  const std::string run = RunName(request);
  const std::size_t digits = std::to_string(KnownLatticeCount(size)).size();
  std::atomic<std::uint64_t> written{0};
  try {
    WalkInParallel({size, request.part, request.parts, request.threads},
                   [&](int) -> LatticeGenerator::Visitor {
                     return [&](const GeneratedLattice& lattice) {
                       const std::string number = std::to_string(++written);
                       const std::string name = "lattice " + number + " of " + run;
                       WriteToNewFile(GeneratedInputFile(CoverPairs(lattice), size, name),
                                      request.directory + "/lattice" +
                                          std::string(digits - number.size(), '0') + number +
                                          ".txt");
                     };
                   });
  } catch (...) {
    std::error_code ignored;
    std::filesystem::remove_all(request.directory, ignored);
    throw;
  }
}

}  // namespace mirelkon
