// Drawings as the commands of mirelkon-lattice write them: the format a file name asks for,
// checked before the work starts, and the drawn bytes, with Graphviz's failures as refusals.
#pragma once

#include <string>
#include <vector>

#include "draw/hasse_drawing.h"

namespace mirelkon {

// The format of the file's extension; SVG for an empty name, standard output. A file name of no
// known format, and any format but DOT in a build without Graphviz, is refused, naming the option
// that gave the file.
DrawingFormat DrawingFileFormat(const std::string& file, const std::string& option);

// The diagrams on one sheet; a failure of Graphviz comes as a CommandError.
std::string DrawnBytes(const std::vector<OrderDrawing>& drawings, DrawingFormat format);

}  // namespace mirelkon
