// The Graphviz source of Hasse diagrams: the layout asked of dot is fixed here, so that every
// format is drawn from the same graph. Rows are the elements' heights, held with rank=same,
// so that a cover pair that skips rows is still drawn upward over them.
#include <algorithm>
#include <cassert>
#include <numeric>

#include "draw/hasse_drawing.h"

namespace mirelkon {

namespace {

// Diagrams per row of a sheet: the survey's top ten come as two rows of five.
constexpr std::size_t drawingsPerRow = 5;

// The lines are drawn first, so the filled labels hide where a line passes behind them.
const char* const graphAttributes =
    "  graph [rankdir=BT, nodesep=0.25, ranksep=0.4, outputorder=edgesfirst, "
    "fontname=\"Helvetica\", fontsize=11];\n"
    "  node [shape=box, style=\"rounded,filled\", fillcolor=white, color=\"#404040\", "
    "fontname=\"Helvetica\", fontsize=11, width=0.3, height=0.25, margin=\"0.06,0.02\"];\n"
    "  edge [dir=none, color=\"#404040\"];\n";
const char* const markedNode = ", fillcolor=\"#ffd45c\", color=\"#b03000\", penwidth=2";
const char* const markedEdge = " [color=\"#b03000\", penwidth=2.5]";

// A DOT string literal: quotes and backslashes escaped, so a name is shown as it is.
std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

// The length of the longest chain below each element: elements with fewer elements below
// come first in any linear extension, so their heights are known when an upper cover asks.
std::vector<int> Heights(const Order& order) {
  std::vector<int> byDownSet(order.size);
  std::iota(byDownSet.begin(), byDownSet.end(), 0);
  std::stable_sort(byDownSet.begin(), byDownSet.end(),
                   [&](int x, int y) { return Size(order.BelowOf(x)) < Size(order.BelowOf(y)); });
  std::vector<int> height(order.size, 0);
  for (int x : byDownSet)
    for (int y = 0; y < order.size; ++y)
      if (order.Covers(y, x)) height[x] = std::max(height[x], height[y] + 1);
  return height;
}

struct DiagramNodes {
  std::string prefix;  // "e" for one diagram, "d2e" for the second of several
  std::string Name(int x) const { return prefix + std::to_string(x); }
};

// The diagrams of one row of a sheet (or the one diagram), row by row: the elements of one
// height in all of them on one row.
void AppendRanks(const std::vector<OrderDrawing>& drawings, std::size_t first, std::size_t last,
                 const std::vector<DiagramNodes>& nodes, std::string& dot) {
  std::vector<std::vector<int>> heights;
  int rows = 0;
  for (std::size_t k = first; k < last; ++k) {
    heights.push_back(Heights(drawings[k].order));
    for (int height : heights.back()) rows = std::max(rows, height + 1);
  }
  for (int row = 0; row < rows; ++row) {
    dot += "  { rank=same;";
    for (std::size_t k = first; k < last; ++k)
      for (int x = 0; x < drawings[k].order.size; ++x)
        if (heights[k - first][x] == row) dot += ' ' + nodes[k].Name(x) + ';';
    dot += " }\n";
  }
}

// The elements of one diagram with their labels, then its cover pairs by lower element.
void AppendElements(const OrderDrawing& drawing, const DiagramNodes& nodes,
                    const std::string& indent, std::string& dot) {
  const Order& order = drawing.order;
  assert(static_cast<int>(drawing.labels.size()) == order.size);
  for (int x = 0; x < order.size; ++x)
    dot += indent + nodes.Name(x) + " [label=" + Quoted(drawing.labels[x]) +
           (Holds(drawing.highlighted, x) ? markedNode : "") + "];\n";
  for (int x = 0; x < order.size; ++x)
    for (int y = 0; y < order.size; ++y)
      if (order.Covers(x, y))
        dot += indent + nodes.Name(x) + " -> " + nodes.Name(y) +
               (Holds(drawing.highlighted, x) && Holds(drawing.highlighted, y) ? markedEdge : "") +
               ";\n";
}

// The elements of a diagram without an upper (lower) cover.
std::vector<int> Extremes(const Order& order, bool maximal) {
  std::vector<int> extremes;
  for (int x = 0; x < order.size; ++x) {
    const Mask related = maximal ? order.above[x] : order.BelowOf(x);
    if (related == Bit(x)) extremes.push_back(x);
  }
  return extremes;
}

// Each diagram in a box of its own with its caption under it, the first row at the top. The
// ranks are set across the boxes (newrank), so the diagrams of a row stand on one line, and
// invisible lines two rows long from the tops of a row's diagrams to the bottoms of those
// above hold the rows apart with room for the captions.
void AppendSheet(const std::vector<OrderDrawing>& drawings, std::string& dot) {
  dot += "  newrank=true;\n";
  std::vector<DiagramNodes> nodes;
  for (std::size_t k = 0; k < drawings.size(); ++k)
    nodes.push_back({std::string("d").append(std::to_string(k + 1)).append("e")});
  for (std::size_t k = 0; k < drawings.size(); ++k) {
    dot.append("  subgraph cluster_").append(std::to_string(k + 1));
    dot += " {\n    color=none; labelloc=t; label=" + Quoted(drawings[k].caption) + ";\n";
    AppendElements(drawings[k], nodes[k], "    ", dot);
    dot += "  }\n";
  }
  for (std::size_t first = 0; first < drawings.size(); first += drawingsPerRow)
    AppendRanks(drawings, first, std::min(first + drawingsPerRow, drawings.size()), nodes, dot);
  for (std::size_t k = drawingsPerRow; k < drawings.size(); ++k)
    for (int top : Extremes(drawings[k].order, true))
      for (int bottom : Extremes(drawings[k - drawingsPerRow].order, false))
        dot += "  " + nodes[k].Name(top) + " -> " + nodes[k - drawingsPerRow].Name(bottom) +
               " [style=invis, minlen=2];\n";
}

}  // namespace

std::string HasseDot(const std::vector<OrderDrawing>& drawings) {
  std::string dot = "digraph hasse {\n";
  dot += graphAttributes;
  if (drawings.size() == 1) {
    if (!drawings[0].caption.empty())
      dot += "  labelloc=b; label=" + Quoted(drawings[0].caption) + ";\n";
    AppendRanks(drawings, 0, 1, {{"e"}}, dot);
    AppendElements(drawings[0], {"e"}, "  ", dot);
  } else {
    AppendSheet(drawings, dot);
  }
  return dot + "}\n";
}

std::optional<DrawingFormat> FormatOfFileName(const std::string& name) {
  static const std::pair<const char*, DrawingFormat> extensions[] = {{".svg", DrawingFormat::svg},
                                                                     {".png", DrawingFormat::png},
                                                                     {".pdf", DrawingFormat::pdf},
                                                                     {".dot", DrawingFormat::dot}};
  for (const auto& [extension, format] : extensions)
    if (name.size() > 4 && name.ends_with(extension)) return format;
  return std::nullopt;
}

}  // namespace mirelkon
