// Formats and refusals of drawings.
#include "lattice/drawing_output.h"

#include "lattice/command_error.h"

namespace mirelkon {

DrawingFormat DrawingFileFormat(const std::string& file, const std::string& option) {
  const std::optional<DrawingFormat> format =
      file.empty() ? DrawingFormat::svg : FormatOfFileName(file);
  if (!format) throw UsageError(option + " needs a file name ending in .svg, .png, .pdf or .dot");
  if (*format != DrawingFormat::dot && !DrawingAvailable())
    throw UsageError(DrawingUnavailableText());
  return *format;
}

std::string DrawnBytes(const std::vector<OrderDrawing>& drawings, DrawingFormat format) {
  try {
    return DrawOrders(drawings, format);
  } catch (const DrawingFailure& failure) {
    throw UsageError(failure.text);
  }
}

}  // namespace mirelkon
