// Warnings name the input file and line through the diagnostic stream of the report channel.
#include "input/warning.h"

#include <string>

#include "input/input_file.h"
#include "session/diagnostics.h"
#include "session/report.h"

void WarnAt(int line, std::initializer_list<std::string_view> pieces) {
  std::string text = "warning: ";
  for (std::string_view piece : pieces) text.append(piece);
  WriteDiagnostic(report.diagnostics, input.name, line, text);
}

void Warn(std::initializer_list<std::string_view> pieces) {
  WarnAt(input.lineNumber, pieces);
}
