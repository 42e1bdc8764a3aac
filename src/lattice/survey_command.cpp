// Surveying the sublattices of every lattice of some sizes: one counter and one tally per
// thread, the tallies added up when the threads are done.
#include "lattice/survey_command.h"

#include <memory>
#include <string>
#include <vector>

#include "generate/sublattice_counter.h"
#include "lattice/command_error.h"
#include "lattice/command_output.h"
#include "lattice/drawing_output.h"
#include "lattice/parallel_walk.h"
#include "lattice/survey_report.h"
#include "lattice/top_drawing.h"

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
                     std::to_string(size) + " elements have at least " +
                     std::to_string(*settings.atLeast) + " sublattices, more than the " +
                     std::to_string(settings.listCapacity) + " a survey lists; raise --at-least");
  return tallies[0];
}

}  // namespace

void RunSurveyCommand(const GenerationRequest& request) {
  std::string text;
  std::vector<OrderDrawing> sheet;
  for (int size = request.smallest; size <= request.largest; ++size) {
    const SurveyTally tally = SurveyOfSize(request, size);
    AddTopDrawings(tally, request.smallest < request.largest, sheet);
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
  WriteToStandardOutput(text);
}
