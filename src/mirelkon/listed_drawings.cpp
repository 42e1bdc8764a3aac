// The drawings of --draw, through the drawing library; the list is walked again, as --list
// walks it, and stopped after the limit.
#include "mirelkon/listed_drawings.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/closed_set_lister.h"
#include "core/count.h"
#include "draw/hasse_drawing.h"
#include "input/io_failure.h"
#include "input/legend_names.h"
#include "mirelkon/queries.h"
#include "report/new_file.h"

namespace mirelkon {

namespace {

void WriteDrawing(const std::string& bytes, const std::string& name) {
  errno = 0;
  std::FILE* file = CreateNewFile(name);
  if (file == nullptr) FailIo("create " + name);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) FailIo("write " + name);
}

// "{o,a,i}" by the elements' symbols.
std::string SubsetCaption(const std::string& symbols, Mask set) {
  std::string text = "{";
  for (Mask m = set; m != 0; m &= m - 1) {
    if (text.size() > 1) text += ',';
    text += symbols[Lowest(m)];
  }
  return text += '}';
}

}  // namespace

bool DrawableOrder(const Order& order) {
  for (int x = 0; x < order.size; ++x)
    for (int y = x + 1; y < order.size; ++y)
      if (order.Below(x, y) && order.Below(y, x)) return false;
  return true;
}

void DrawListedSubsets(const std::string& folder, const std::string& inputName, int jobNumber,
                       const ParsedJob& job, const Derivation& derivation, Mask required) {
  if (!DrawableOrder(job.lattice.order)) return;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    errno = error.value();
    FailIo("make the folder " + folder);
  }
  const std::string stem = std::filesystem::path(inputName).stem().string();
  const std::string prefix =
      (std::filesystem::path(folder) / stem).string() + "_" + std::to_string(jobNumber) + "_";
  OrderDrawing drawing{job.lattice.order, LegendNames(job), 0, {}};
  std::uint64_t drawn = 0;
  ListClosedSets(job.lattice.Size(), RulesOf(derivation.table), required, [&](Mask set) {
    drawing.highlighted = set;
    drawing.caption = job.name + ": " + SubsetCaption(job.lattice.elementSymbols, set);
    try {
      WriteDrawing(DrawOrders({drawing}, DrawingFormat::svg),
                   prefix + std::to_string(++drawn) + ".svg");
    } catch (const DrawingFailure& failure) {
      throw IoFailure{"draw: " + failure.text, EIO};
    }
    return drawn < drawnSubsetLimit;
  });
}

}  // namespace mirelkon
