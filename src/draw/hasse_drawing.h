// Hasse diagrams of finite orders, laid out and rendered in memory: each element on the row
// of its height (the longest chain below it), the bottom at the bottom, each cover pair one
// line without an arrow, the elements labelled by their names. Several diagrams may share one
// sheet. The same drawings give the same bytes on every run.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/bits.h"
#include "core/order.h"

namespace mirelkon {

enum class DrawingFormat { svg, png, pdf, dot };

struct OrderDrawing {
  Order order;                      // closed and without a cycle
  std::vector<std::string> labels;  // one per element
  Mask highlighted = 0;             // marked elements; a cover pair inside it is marked too
  std::string caption;              // under the diagram; empty for none
};

// Graphviz failed, or this build has none; the text says which.
struct DrawingFailure {
  std::string text;
};

// False when the programs were built without Graphviz: DrawOrders then fails, except for DOT.
bool DrawingAvailable();

// The text of the refusal where drawing is unavailable, naming the package to build with.
std::string DrawingUnavailableText();

// The format a file name asks for by its extension (.svg, .png, .pdf, .dot).
std::optional<DrawingFormat> FormatOfFileName(const std::string& name);

// The Graphviz source of the diagrams on one sheet: a digraph whose nodes are named e0, e1, ...
// for one diagram and d1e0, d1e1, ... d2e0, ... for several.
std::string HasseDot(const std::vector<OrderDrawing>& drawings);

// The diagrams on one sheet in the format; a DrawingFailure when Graphviz cannot render them.
// Calls from several threads are served one after the other: Graphviz keeps state of its own.
std::string DrawOrders(const std::vector<OrderDrawing>& drawings, DrawingFormat format);

}  // namespace mirelkon
