// The report channel's writes, reads and the result file's life.
#include "session/report.h"

#include <cerrno>

#include "session/io_failure.h"

ReportChannel report;

namespace {

constexpr std::string_view lineEnd = "\r\n";

void WriteTo(std::FILE* file, std::string_view text, const char* operation) {
  if (text.empty()) return;
  if (std::fwrite(text.data(), 1, text.size(), file) != text.size()) FailIo(operation);
}

}  // namespace

void FailIo(const std::string& operation) {
  int errorNumber = errno != 0 ? errno : EIO;
  throw IoFailure{operation, errorNumber};
}

void WriteScreen(std::string_view text) {
  WriteTo(report.screen, text, "write to the screen");
  if (report.flushScreen) FlushScreen();
}

void FlushScreen() {
  if (std::fflush(report.screen) != 0) FailIo("write to the screen");
}

std::FILE* NullSink() {
  static std::FILE* sink = nullptr;
  if (sink != nullptr) return sink;
  errno = 0;
  sink = std::fopen("/dev/null", "wb");
  if (sink == nullptr) FailIo("open the null device");
  return sink;
}

void WriteScreenLine(std::string_view text) {
  WriteTo(report.screen, text, "write to the screen");
  WriteScreen(lineEnd);
}

void WriteResult(std::string_view text) {
  WriteTo(report.resultFile, text, "write to the result file");
}

void WriteResultLine(std::string_view text) {
  WriteResult(text);
  WriteResult(lineEnd);
}

void WriteBoth(std::string_view text) {
  WriteScreen(text);
  WriteResult(text);
}

void WriteBothLine(std::string_view text) {
  WriteScreenLine(text);
  WriteResultLine(text);
}

bool ReadKeyboardLine(std::string& line) {
  line.clear();
  errno = 0;
  int c;
  while ((c = std::getc(report.keyboard)) != EOF && c != '\n') line.push_back(static_cast<char>(c));
  if (c == EOF && std::ferror(report.keyboard)) FailIo("read from the keyboard");
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return c != EOF || !line.empty();
}

void WaitForEnter() {
  if (report.keyboard == nullptr) return;
  std::string ignored;
  ReadKeyboardLine(ignored);
}

void CreateResultFile(const std::string& name) {
  errno = 0;
  report.resultFile = std::fopen(name.c_str(), "wbx");
  if (report.resultFile == nullptr) FailIo("create the result file " + name);
}

void CloseResultFile() {
  if (report.resultFile == nullptr) return;
  std::FILE* file = report.resultFile;
  report.resultFile = nullptr;
  errno = 0;
  if (std::fclose(file) != 0) FailIo("close the result file");
}

void AbandonResultFile() {
  if (report.resultFile == nullptr) return;
  std::fclose(report.resultFile);
  report.resultFile = nullptr;
}
