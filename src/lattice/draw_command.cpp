// Drawing a term's lattice, or every job of an input file read and checked as complete reads
// it. A job that is no lattice is still an order and is drawn as one, with a note on standard
// error; a cycle is no order and is refused as complete refuses it.
#include "lattice/draw_command.h"

#include <filesystem>

#include "core/lattice.h"
#include "draw/hasse_drawing.h"
#include "input/data_error.h"
#include "input/element_names.h"
#include "input/lattice_completion.h"
#include "input/legend_names.h"
#include "lattice/command_error.h"
#include "lattice/command_output.h"
#include "lattice/drawing_output.h"
#include "lattice/input_file_reading.h"
#include "lattice/make_command.h"
#include "report/diagnostics.h"

namespace mirelkon {

namespace {

// The marked elements of one diagram, named as --containing names them (legend names first,
// then symbols), or "{}" for none.
Mask Highlighted(const DrawRequest& request, const PartialLattice& lattice,
                 const std::vector<LegendEntry>& legend, const std::string& caption) {
  if (!request.highlight || *request.highlight == "{}") return 0;
  const ElementChoice choice = ResolveElements(lattice, legend, *request.highlight);
  if (!choice.unknown.empty())
    throw UsageError("--highlight: \"" + choice.unknown + "\" is no element of " + caption);
  return choice.elements;
}

// An operand that names a file, or looks like a file name (no term has "." or "/"), is a file.
bool IsFileOperand(const std::vector<std::string>& operands) {
  if (operands.size() != 1) return false;
  const std::string& operand = operands[0];
  return operand.find_first_of("./") != std::string::npos || std::filesystem::exists(operand);
}

OrderDrawing TermDrawing(const DrawRequest& request) {
  const MadeLattice made = MakeLattice(request.operands, maxWideElements);
  const LatticeFactor& lattice = made.lattice;
  if (lattice.Size() > maxElements)
    throw UsageError(made.name + " has " + std::to_string(lattice.Size()) +
                     " elements; draw takes lattices of at most " + std::to_string(maxElements));
  std::vector<LegendEntry> legend;
  for (std::size_t x = 0; x < made.symbols.size(); ++x)
    legend.push_back({made.symbols[x], lattice.names[x]});
  const Order order = NarrowOrder(lattice.order);
  return {order, lattice.names,
          Highlighted(request, {made.symbols, "+*", order, {}}, legend, made.name), made.name};
}

// A lattice's typed joins and meets must hold, as for complete; an order that is no lattice is
// drawn with a note; a cycle is refused.
void CheckJob(const InputReader& reader, const ParsedJob& job, const std::string& fileName) {
  const LatticeCheck check = CheckLattice(job.lattice.order);
  if (!check.fault) {
    LatticeCompletion(reader, job);
    return;
  }
  const std::string fault = LatticeFaultText(job.lattice, *check.fault);
  if (check.fault->kind == LatticeFault::cycle) throw DataError{fault, job.edgesLine, {}};
  WriteDiagnostic(stderr, fileName, job.edgesLine, "note: " + fault + "; drawn as an order");
}

std::vector<OrderDrawing> FileDrawings(const DrawRequest& request) {
  const std::string& name = request.operands[0];
  std::vector<OrderDrawing> drawings;
  ReadNamedInputFile(name, [&](InputFile& file, ReportSink& sink) {
    InputReader reader(file, sink);
    reader.latticeRequired = true;  // a cycle is refused by the check, not warned of as well
    ReadRunHeader(reader);
    for (bool firstJob = true;; firstJob = false) {
      const ParsedJob job = ReadJob(reader, firstJob);
      CheckJob(reader, job, name);
      const std::vector<std::string> names = LegendNames(job);
      drawings.push_back({job.lattice.order, names,
                          Highlighted(request, job.lattice, job.legend, job.name), job.name});
      if (AtEndOfData(reader)) break;
    }
  });
  return drawings;
}

// "out.svg" becomes out_1.svg, out_2.svg, ...
std::string NumberedName(const std::string& name, std::size_t number) {
  const std::size_t dot = name.rfind('.');
  return name.substr(0, dot) + "_" + std::to_string(number) + name.substr(dot);
}

}  // namespace

void RunDrawCommand(const DrawRequest& request) {
  const DrawingFormat format = DrawingFileFormat(request.outputName, "-o");
  const std::vector<OrderDrawing> drawings = IsFileOperand(request.operands)
                                                 ? FileDrawings(request)
                                                 : std::vector<OrderDrawing>{TermDrawing(request)};
  if (request.outputName.empty()) {
    WriteToStandardOutput(DrawnBytes(drawings, format));
  } else if (drawings.size() == 1 || request.sheet) {
    WriteToNewFile(DrawnBytes(drawings, format), request.outputName);
  } else {
    // Every file is drawn and its name checked before the first is written.
    std::vector<std::string> pictures;
    for (std::size_t k = 0; k < drawings.size(); ++k) {
      const std::string name = NumberedName(request.outputName, k + 1);
      if (std::filesystem::exists(name))
        throw UsageError(name + " exists already; it is not overwritten");
      pictures.push_back(DrawnBytes({drawings[k]}, format));
    }
    for (std::size_t k = 0; k < drawings.size(); ++k)
      WriteToNewFile(pictures[k], NumberedName(request.outputName, k + 1));
  }
}

}  // namespace mirelkon
