// Character-level reading of the input file.
#include "input/input_file.h"

#include <cerrno>
#include <climits>
#include <filesystem>

#include "model/short_string.h"
#include "session/io_failure.h"

InputFile input;

namespace {

int NextChar() {
  errno = 0;
  int c = std::getc(input.file);
  if (c == EOF && std::ferror(input.file)) FailIo("read the input file");
  return c;
}

int PeekChar() {
  int c = NextChar();
  if (c != EOF) std::ungetc(c, input.file);
  return c;
}

// Consumes the line end that c begins (c is '\n' or '\r').
void FinishLineEnd(int c) {
  if (c == '\r' && PeekChar() == '\n') NextChar();
}

void SkipRestOfLine() {
  int c;
  while ((c = NextChar()) != EOF && c != '\n' && c != '\r') {
  }
  if (c != EOF) FinishLineEnd(c);
}

bool IsDigit(int c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool OpenInputFile(const std::string& name) {
  std::error_code ignored;
  if (std::filesystem::is_directory(name, ignored)) return false;
  std::FILE* file = std::fopen(name.c_str(), "rb");
  if (file == nullptr) return false;
  AttachInputFile(file);
  return true;
}

void AttachInputFile(std::FILE* file) {
  input.file = file;
}

void CloseInputFile() {
  if (input.file == nullptr) return;
  std::fclose(input.file);
  input.file = nullptr;
}

bool InputExhausted() {
  return PeekChar() == EOF;
}

void ReadPhysicalLine(std::string& line) {
  line.clear();
  int c;
  while ((c = NextChar()) != EOF && c != '\n' && c != '\r') {
    if (line.size() < maxStringLength) line.push_back(static_cast<char>(c));
  }
  if (c != EOF) FinishLineEnd(c);
}

bool ReadRawInteger(int& value) {
  int c = NextChar();
  while (c == ' ' || c == '\t' || c == '\n' || c == '\r') c = NextChar();
  bool negative = c == '-';
  if (c == '+' || c == '-') c = NextChar();
  if (!IsDigit(c)) {
    if (c != EOF) std::ungetc(c, input.file);
    return false;
  }
  long long magnitude = 0;
  for (; IsDigit(c); c = NextChar()) {
    if (magnitude <= INT_MAX) magnitude = magnitude * 10 + (c - '0');
  }
  bool separated = c == EOF || c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '%';
  if (c == '\n' || c == '\r') {
    FinishLineEnd(c);
  } else if (c != EOF) {
    SkipRestOfLine();
  }
  long long signedValue = negative ? -magnitude : magnitude;
  if (!separated || signedValue < INT_MIN || signedValue > INT_MAX) return false;
  value = static_cast<int>(signedValue);
  return true;
}
