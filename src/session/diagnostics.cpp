// Writing diagnostic lines.
#include "session/diagnostics.h"

#include <string>

void WriteDiagnostic(std::FILE* stream, std::string_view file, int line, std::string_view text) {
  std::string out(file);
  if (line > 0) out.append(":").append(std::to_string(line));
  out.append(": ").append(text).append("\n");
  std::fwrite(out.data(), 1, out.size(), stream);
  std::fflush(stream);
}

void WriteDataErrorDiagnostics(std::FILE* stream, std::string_view file, const DataError& error) {
  WriteDiagnostic(stream, file, error.line, error.message);
  for (const DiagnosticNote& note : error.notes)
    WriteDiagnostic(stream, file, note.line, "note: " + note.text);
}
