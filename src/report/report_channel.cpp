// The report channel's writes, reads and the result file's life.
#include "report/report_channel.h"

#include <cerrno>

#include "input/io_failure.h"
#include "report/diagnostics.h"
#include "report/listing.h"
#include "report/new_file.h"

namespace mirelkon {

namespace {

constexpr std::string_view lineEnd = "\r\n";

void WriteTo(std::FILE* file, std::string_view text, const char* operation) {
  if (text.empty() || file == nullptr) return;
  if (std::fwrite(text.data(), 1, text.size(), file) != text.size()) FailIo(operation);
}

}  // namespace

void ReportChannel::WriteScreen(std::string_view text) {
  WriteTo(screen, text, "write to the screen");
  if (flushScreen) FlushScreen();
}

void ReportChannel::FlushScreen() {
  if (screen != nullptr && std::fflush(screen) != 0) FailIo("write to the screen");
}

void ReportChannel::WriteScreenLine(std::string_view text) {
  WriteTo(screen, text, "write to the screen");
  WriteScreen(lineEnd);
}

void ReportChannel::WriteResult(std::string_view text) {
  WriteTo(resultFile, text, "write to the result file");
}

void ReportChannel::WriteResultLine(std::string_view text) {
  WriteResult(text);
  WriteResult(lineEnd);
}

void ReportChannel::WriteBoth(std::string_view text) {
  WriteScreen(text);
  WriteResult(text);
}

void ReportChannel::WriteBothLine(std::string_view text) {
  WriteScreenLine(text);
  WriteResultLine(text);
}

void ReportChannel::Write(Output to, std::string_view text) {
  if (to != Output::result) WriteScreen(text);
  if (to != Output::screen) WriteResult(text);
}

void ReportChannel::EndLine(Output to) {
  Write(to, lineEnd);
}

void ReportChannel::ListOrder(const PartialLattice& lattice) {
  ListStrictOrder(*this, lattice);
}

void ReportChannel::ListEquations(const PartialLattice& lattice,
                                  std::span<const Equation> equations) {
  mirelkon::ListEquations(*this, lattice, equations);
}

void ReportChannel::Warn(int line, std::string_view text) {
  WriteDiagnostic(diagnostics, inputName, line, std::string("warning: ").append(text));
  warnings.emplace_back(line, text);
}

bool ReportChannel::ReadKeyboardLine(std::string& line) {
  line.clear();
  errno = 0;
  int c;
  while ((c = std::getc(keyboard)) != EOF && c != '\n') line.push_back(static_cast<char>(c));
  if (c == EOF && std::ferror(keyboard)) FailIo("read from the keyboard");
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return c != EOF || !line.empty();
}

void ReportChannel::WaitForEnter() {
  if (keyboard == nullptr) return;
  std::string ignored;
  ReadKeyboardLine(ignored);
}

void ReportChannel::CreateResultFile(const std::string& name) {
  resultFile = CreateNewFile(name);
  if (resultFile == nullptr) FailIo("create the result file " + name);
  resultName_ = name;
}

void ReportChannel::CloseResultFile() {
  if (resultFile == nullptr) return;
  std::FILE* file = resultFile;
  resultFile = nullptr;
  errno = 0;
  if (std::fclose(file) != 0) FailIo("close the result file");
}

void ReportChannel::CloseAndRemoveEmptyResultFile(const std::string& name) {
  const bool empty = resultFile != nullptr && std::ftell(resultFile) == 0;
  CloseResultFile();
  if (empty) std::remove(name.c_str());
}

void ReportChannel::AbandonResultFile(bool removeIfEmpty) {
  if (resultFile == nullptr) return;
  const bool empty = std::ftell(resultFile) == 0;
  std::fclose(resultFile);
  resultFile = nullptr;
  if (removeIfEmpty && empty) std::remove(resultName_.c_str());
}

}  // namespace mirelkon
