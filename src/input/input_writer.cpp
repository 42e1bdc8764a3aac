// The input-file writer. Edges go ten to a line and equations nine to a line, the widths of
// the example files; every line stays far below the reader's 255 characters.
#include "input/input_writer.h"

#include <cassert>

#include "core/lattice.h"
#include "input/lattice_completion.h"
#include "input/short_string.h"

namespace mirelkon {

namespace {

constexpr int edgesPerLine = 10;

// Items written side by side, separated by blanks, a fixed number to a line.
struct ItemLines {
  std::string& text;
  int perLine;
  int onLine = 0;
};

void EndItems(ItemLines& lines) {
  if (lines.onLine > 0) lines.text += '\n';
  lines.onLine = 0;
}

void AddItem(ItemLines& lines, std::string_view item) {
  if (lines.onLine > 0) lines.text += ' ';
  lines.text += item;
  if (++lines.onLine == lines.perLine) EndItems(lines);
}

void WriteEquations(std::string& text, const PartialLattice& lattice,
                    const std::vector<Equation>& equations) {
  ItemLines lines{text, equationsPerLine};
  for (const Equation& e : equations) AddItem(lines, lattice.WrittenForm(e));
  EndItems(lines);
}

// Legend lines stay within this width, far below the reader's 255 characters.
constexpr std::size_t legendLineWidth = 80;

std::string LegendText(const std::vector<LegendEntry>& legend) {
  std::string text, line;
  for (const LegendEntry& entry : legend) {
    const std::string item = std::string(1, entry.symbol) + "=" + entry.name;
    if (!line.empty() && line.size() + 1 + item.size() > legendLineWidth) {
      text += line + "\n";
      line.clear();
    }
    line += (line.empty() ? std::string(legendMarker) : "") + " " + item;
  }
  return line.empty() ? text : text + line + "\n";
}

}  // namespace

std::string RunSettingsText(const RunSettings& settings) {
  return std::string("\\verbose=") + (settings.verbose ? "true" : "false") + '\n' +
         "\\subtrahend-in-exponent=" + std::to_string(settings.subtrahend) + '\n' +
         "\\operationsymbols=" + settings.operationSymbols + '\n';
}

std::string JobText(const std::string& name, const PartialLattice& lattice,
                    const std::vector<Edge>& edges, const std::vector<Equation>& missing,
                    const std::vector<LegendEntry>& legend) {
  const std::string& symbols = lattice.elementSymbols;
  std::string text = "\\beginjob\n" + LegendText(legend) + "\\name\n" + name + "\n\\size\n" +
                     std::to_string(lattice.Size()) + "\n\\elements\n" + symbols + "\n\\edges\n";
  ItemLines edgeLines{text, edgesPerLine};
  for (const Edge& edge : edges)
    AddItem(edgeLines, std::string{symbols[edge.lower], symbols[edge.upper]});
  EndItems(edgeLines);
  text += "\\constraints\n";
  WriteEquations(text, lattice, lattice.equations);
  text += missing.empty() ? "% No join or meet of two incomparable elements is missing.\n"
                          : "% The joins and meets of two incomparable elements, added by "
                            "mirelkon-lattice:\n";
  WriteEquations(text, lattice, missing);
  return text + "\\endofjob\n";
}

std::string GeneratedInputFile(const std::vector<CoverPair>& covers, int n,
                               const std::string& name) {
  Order order = Order::Identity(n);
  std::vector<Edge> edges;
  for (const CoverPair& pair : covers) {
    order.Add(pair.lower, pair.upper);
    edges.push_back({pair.lower, pair.upper});
  }
  order.Close();
  const PartialLattice lattice{std::string(defaultElementSymbols, n), "+*", order, {}};
  const LatticeCheck check = CheckLattice(order);
  assert(!check.fault);  // generated lattices always pass
  return "% " + name + ", written by mirelkon-lattice. The elements are numbered along\n" +
         "% a linear extension of the order, bottom first.\n\n" +
         RunSettingsText({false, 0, lattice.operationSymbols}) +
         JobText(name, lattice, edges, MissingEquations(lattice, check.tables), {}) + "\\enddata\n";
}

}  // namespace mirelkon
