// Character-level reading of the input file.
#include "input/input_file.h"

#include <cerrno>
#include <climits>
#include <filesystem>

#include "model/short_string.h"
#include "session/io_failure.h"

InputFile input;

namespace {

int ReadByte() {
  errno = 0;
  int c = std::getc(input.file);
  if (c == EOF && std::ferror(input.file)) FailIo("read the input file");
  return c;
}

int PeekByte() {
  int c = ReadByte();
  if (c != EOF) std::ungetc(c, input.file);
  return c;
}

// The next character, with every line end (LF, CR LF or a lone CR) read as one '\n', and
// the line count moved on when a line begins.
int NextChar() {
  int c = ReadByte();
  if (c == EOF) return c;
  if (input.atLineStart) {
    ++input.lineNumber;
    input.atLineStart = false;
  }
  if (c == '\r') {
    if (PeekByte() == '\n') ReadByte();
    c = '\n';
  }
  if (c == '\n') input.atLineStart = true;
  return c;
}

void SkipRestOfLine() {
  int c;
  while ((c = NextChar()) != EOF && c != '\n') {
  }
}

bool IsDigit(int c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool OpenInputFile(const std::string& name) {
  std::error_code ignored;
  if (std::filesystem::is_directory(name, ignored)) {
    errno = EISDIR;
    return false;
  }
  errno = 0;
  std::FILE* file = std::fopen(name.c_str(), "rb");
  if (file == nullptr) return false;
  AttachInputFile(file, name);
  return true;
}

void AttachInputFile(std::FILE* file, const std::string& name) {
  input.file = file;
  input.name = name;
  input.lineNumber = 0;
  input.atLineStart = true;
}

void CloseInputFile() {
  if (input.file == nullptr) return;
  std::fclose(input.file);
  input.file = nullptr;
}

bool InputExhausted() {
  return PeekByte() == EOF;
}

bool ReadPhysicalLine(std::string& line) {
  line.clear();
  bool lostText = false, inComment = false;
  int c;
  while ((c = NextChar()) != EOF && c != '\n') {
    if (line.size() < maxStringLength) {
      line.push_back(static_cast<char>(c));
    } else {
      inComment = inComment || c == '%';
      lostText = lostText || (!inComment && c != ' ' && c != ',');
    }
  }
  return lostText;
}

bool ReadRawInteger(int& value) {
  int c = NextChar();
  while (c == ' ' || c == '\t' || c == '\n') c = NextChar();
  bool negative = c == '-';
  if (c == '+' || c == '-') c = NextChar();
  // A failed read ends the run, and the line of what stands there instead is the one to name.
  if (!IsDigit(c)) return false;
  long long magnitude = 0;
  for (; IsDigit(c); c = NextChar()) {
    if (magnitude <= INT_MAX) magnitude = magnitude * 10 + (c - '0');
  }
  bool separated = c == EOF || c == ' ' || c == '\t' || c == '\n' || c == '%';
  if (c != EOF && c != '\n') SkipRestOfLine();
  long long signedValue = negative ? -magnitude : magnitude;
  if (!separated || signedValue < INT_MIN || signedValue > INT_MAX) return false;
  value = static_cast<int>(signedValue);
  return true;
}
