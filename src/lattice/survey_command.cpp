// Surveying the sublattices of every lattice of some sizes: one counter and one tally per
// thread, the tallies added up when the threads are done.
#include "lattice/survey_command.h"

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "generate/sublattice_counter.h"
#include "input/input_writer.h"
#include "lattice/command_error.h"
#include "lattice/command_output.h"
#include "lattice/drawing_output.h"
#include "lattice/parallel_walk.h"
#include "lattice/survey_report.h"
#include "lattice/top_drawing.h"
#include "report/counted.h"

namespace mirelkon {

namespace {

SurveyTally SurveyOfSize(const GenerationRequest& request, int size) {
  SurveySettings settings;
  settings.size = size;
  settings.top = request.top.value_or(10);
  if (request.atLeast) settings.atLeast = request.atLeast->For(size);
  std::vector<SurveyTally> tallies(request.threads, SurveyTally(settings));
  WalkInParallel({size, request.part, request.parts, request.threads},
                 [&](int t) -> LatticeGenerator::Visitor {
                   // The counter's memory is taken on the thread that uses it.
                   auto counter = std::make_shared<SublatticeCounter>();
                   return [&tally = tallies[t], counter](const GeneratedLattice& lattice) {
                     tally.Add(counter->Count(lattice), lattice);
                   };
                 });
  for (std::size_t t = 1; t < tallies.size(); ++t) tallies[0].Merge(tallies[t]);
  if (tallies[0].ListedCount() > settings.listCapacity)
    throw UsageError(std::to_string(tallies[0].ListedCount()) + " lattices of " +
                     Counted(size, "element") + " have at least " +
                     std::to_string(*settings.atLeast) + " sublattices, more than the " +
                     std::to_string(settings.listCapacity) + " a survey lists; raise --at-least");
  return tallies[0];
}

// survey --top-input DIR: each lattice of the top list as an input file, named by its size
// and rank ("n12_top01.txt"), so a glob takes them in rank order.
void AddTopInputFiles(const SurveyTally& tally,
                      std::vector<std::pair<std::string, std::string>>& files) {
  const int size = tally.Settings().size;
  const std::vector<RankedLattice> top = tally.Top();
  const std::size_t digits = std::to_string(top.size()).size();
  for (std::size_t r = 0; r < top.size(); ++r) {
    const std::string rank = std::to_string(r + 1);
    std::string name = "rank " + rank + " among the lattices of " + Counted(size, "element");
    name.append(" (").append(std::to_string(top[r].sublattices)).append(" sublattices)");
    std::string file = "n";
    file.append(std::to_string(size)).append("_top").append(digits - rank.size(), '0');
    file.append(rank).append(".txt");
    files.emplace_back(file, GeneratedInputFile(top[r].covers, size, name));
  }
}

// Writes the files into the new folder; a run that fails half-way leaves no folder.
void WriteTopInputFiles(const std::string& folder,
                        const std::vector<std::pair<std::string, std::string>>& files) {
  CreateNewFolder(folder);
  try {
    for (const auto& [name, text] : files) WriteToNewFile(text, folder + "/" + name);
  } catch (...) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    throw;
  }
}

}  // namespace

void RunSurveyCommand(const GenerationRequest& request) {
  std::string text;
  std::vector<OrderDrawing> sheet;
  std::vector<std::pair<std::string, std::string>> topFiles;
  for (int size = request.smallest; size <= request.largest; ++size) {
    const SurveyTally tally = SurveyOfSize(request, size);
    AddTopDrawings(tally, request.smallest < request.largest, sheet);
    if (!request.topInput.empty()) AddTopInputFiles(tally, topFiles);
    const SurveyPart part{request.part, request.parts};
    if (request.json) {
      AppendSurveyJson(tally, part, text);
    } else {
      if (size > request.smallest) text += '\n';
      AppendSurveyText(tally, part, text);
    }
  }
  if (!request.drawTop.empty())
    WriteToNewFile(DrawnBytes(sheet, DrawingFileFormat(request.drawTop, "--draw-top")),
                   request.drawTop);
  if (!request.topInput.empty()) WriteTopInputFiles(request.topInput, topFiles);
  WriteToStandardOutput(text);
}

}  // namespace mirelkon
