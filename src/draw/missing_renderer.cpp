// The renderer of a build without Graphviz: every format but DOT is refused, naming the
// package to build with.
#include "draw/dot_renderer.h"

namespace mirelkon {

bool DrawingAvailable() {
  return false;
}

std::string RenderDot(const std::string&, DrawingFormat) {
  throw DrawingFailure{DrawingUnavailableText()};
}

}  // namespace mirelkon
