// Writing diagnostic lines.
#include "report/diagnostics.h"

#include <string>

std::string DiagnosticText(std::string_view file, int line, std::string_view text) {
  std::string out(file);
  if (line > 0) out.append(":").append(std::to_string(line));
  return out.append(": ").append(text);
}

void WriteDiagnostic(std::FILE* stream, std::string_view file, int line, std::string_view text) {
  const std::string out = DiagnosticText(file, line, text) + "\n";
  std::fwrite(out.data(), 1, out.size(), stream);
  std::fflush(stream);
}

void WriteDataErrorDiagnostics(std::FILE* stream, std::string_view file, const DataError& error) {
  WriteDiagnostic(stream, file, error.line, error.message);
  for (const DiagnosticNote& note : error.notes)
    WriteDiagnostic(stream, file, note.line, "note: " + note.text);
}
