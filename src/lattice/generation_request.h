// The command lines of all, survey and merge: the sizes asked for, the form of the output,
// and how the work is split among threads and parts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mirelkon {

// A threshold for survey --at-least: a whole number, or factor * 2^(N - offset) for the size
// N surveyed, as the published bounds are written (83*2^(N-8)).
struct AtLeastThreshold {
  std::uint64_t factor = 0;
  std::optional<int> offset;

  // The least whole number of sublattices that reaches the threshold for the size.
  std::uint64_t For(int size) const;
};

enum class GenerationCommand { all, survey, merge };
enum class LatticeForm { digraph6, covers, count, inputFiles };

struct GenerationRequest {
  GenerationCommand command = GenerationCommand::all;
  int smallest = 0, largest = 0;  // the sizes; one for all
  LatticeForm form = LatticeForm::digraph6;
  std::string directory;  // all -o DIR --input
  int threads = 1;
  int part = 0, parts = 1;  // --part K/M: part K-1 of M
  bool partGiven = false;   // a part, even 1/1, writes its count as a record for merge
  std::optional<int> top;   // --top
  std::string topInput;     // survey --top-input DIR: the top lists as input files in DIR
  std::optional<AtLeastThreshold> atLeast;
  bool json = false;
  std::vector<std::string> files;  // merge
  std::string drawTop;             // --draw-top FILE: the top lists drawn on one sheet
};

bool IsGenerationCommand(const std::string& word);

// Reads argv[1] (the command) and its arguments; a mistake comes as a UsageError.
GenerationRequest ParseGenerationRequest(int argc, char** argv);

}  // namespace mirelkon
