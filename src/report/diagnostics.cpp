// Writing diagnostic lines.
#include "report/diagnostics.h"

#include <string>

namespace mirelkon {

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

std::string DataErrorText(const DataError& error) {
  if (error.detail.empty()) return error.message;
  const std::string_view message = error.message;
  const std::size_t close = message.find(')');
  if (!message.starts_with('(') || close == std::string_view::npos) return error.detail;
  return std::string(message.substr(0, close + 1)) + " " + error.detail;
}

void WriteDataErrorDiagnostics(std::FILE* stream, std::string_view file, const DataError& error) {
  WriteDiagnostic(stream, file, error.line, DataErrorText(error));
  for (const DiagnosticNote& note : error.notes)
    WriteDiagnostic(stream, file, note.line, "note: " + note.text);
}

}  // namespace mirelkon
