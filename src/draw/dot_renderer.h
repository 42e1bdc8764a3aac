// Rendering a Graphviz source, the one place where the build with Graphviz and the build
// without it differ: graphviz_renderer.cpp or missing_renderer.cpp is compiled, not both.
#pragma once

#include <string>

#include "draw/hasse_drawing.h"

namespace mirelkon {

// The rendered bytes of the source in the format (not dot); a DrawingFailure when it fails.
std::string RenderDot(const std::string& dot, DrawingFormat format);

}  // namespace mirelkon
