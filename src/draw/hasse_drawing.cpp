// Drawing diagrams in a format: the DOT source is written here, the rest is rendered.
#include "draw/hasse_drawing.h"

#include "draw/dot_renderer.h"

namespace mirelkon {

std::string DrawingUnavailableText() {
  return "drawing needs Graphviz, which this build lacks; build it with Graphviz (on Debian: "
         "sudo apt-get install libgraphviz-dev)";
}

std::string DrawOrders(const std::vector<OrderDrawing>& drawings, DrawingFormat format) {
  const std::string dot = HasseDot(drawings);
  return format == DrawingFormat::dot ? dot : RenderDot(dot, format);
}

}  // namespace mirelkon
