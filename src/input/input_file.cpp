// Character-level reading of an input file.
#include "input/input_file.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "input/data_error.h"
#include "input/io_failure.h"
#include "input/short_string.h"
#include "input/whole_number.h"

namespace mirelkon {

namespace {

bool IsDigit(int c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool InputFile::Open(const std::string& name) {
  Close();
  std::error_code ignored;
  if (std::filesystem::is_directory(name, ignored)) {
    errno = EISDIR;
    return false;
  }
  errno = 0;
  std::FILE* stream = std::fopen(name.c_str(), "rb");
  if (stream == nullptr) return false;
  Attach(stream, name);
  return true;
}

bool InputFile::OpenStandardInput(std::string name) {
  Close();
  errno = 0;
  const int descriptor = dup(fileno(stdin));
  std::FILE* stream = descriptor < 0 ? nullptr : fdopen(descriptor, "rb");
  if (stream == nullptr) {
    if (descriptor >= 0) close(descriptor);
    return false;
  }
  Attach(stream, std::move(name));
  return true;
}

void InputFile::Attach(std::FILE* stream, std::string name) {
  Close();
  stream_ = stream;
  name_ = std::move(name);
  lineNumber_ = 0;
  lineLength_ = 0;
  atLineStart_ = true;
  foundEndlessLine_ = false;
}

void InputFile::Close() {
  if (stream_ != nullptr) std::fclose(stream_);
  stream_ = nullptr;
}

namespace {

// An input that cannot seek (a pipe) read again from its start: the bytes read ahead, then the
// rest of the stream.
struct Replay {
  std::string start;
  std::size_t at;
  std::FILE* rest;
};

ssize_t ReadReplay(void* cookie, char* buffer, std::size_t size) {
  Replay& replay = *static_cast<Replay*>(cookie);
  if (replay.at < replay.start.size()) {
    const std::size_t n = std::min(size, replay.start.size() - replay.at);
    std::memcpy(buffer, replay.start.data() + replay.at, n);
    replay.at += n;
    return static_cast<ssize_t>(n);
  }
  const std::size_t n = std::fread(buffer, 1, size, replay.rest);
  return n == 0 && std::ferror(replay.rest) ? -1 : static_cast<ssize_t>(n);
}

int CloseReplay(void* cookie) {
  Replay* replay = static_cast<Replay*>(cookie);
  const int status = std::fclose(replay->rest);
  delete replay;
  return status;
}

}  // namespace

std::string InputFile::PeekStart(std::size_t limit) {
  std::string start;
  // A keyboard is read line by line as it is typed, never ahead.
  if (stream_ == nullptr || lineNumber_ != 0 || isatty(fileno(stream_))) return start;
  start.resize(limit);
  errno = 0;
  start.resize(std::fread(start.data(), 1, limit, stream_));
  if (std::ferror(stream_)) FailIo("read the input file");
  if (std::fseek(stream_, 0, SEEK_SET) == 0) return start;
  auto* replay = new Replay{start, 0, stream_};
  std::FILE* replayed =
      fopencookie(replay, "rb", cookie_io_functions_t{ReadReplay, nullptr, nullptr, CloseReplay});
  if (replayed == nullptr) {
    delete replay;
    FailIo("read the input file");
  }
  stream_ = replayed;
  return start;
}

int InputFile::ReadByte() {
  errno = 0;
  int c = std::getc(stream_);
  if (c == EOF && std::ferror(stream_)) FailIo("read the input file");
  return c;
}

int InputFile::PeekByte() {
  int c = ReadByte();
  if (c != EOF) std::ungetc(c, stream_);
  return c;
}

// The next character, with every line end (LF, CR LF or a lone CR) read as one '\n', and the
// line count moved on when a line begins.
int InputFile::NextChar() {
  int c = ReadByte();
  if (c == EOF) return c;
  if (atLineStart_) {
    ++lineNumber_;
    lineLength_ = 0;
    atLineStart_ = false;
  }
  if (c == '\r') {
    if (PeekByte() == '\n') ReadByte();
    c = '\n';
  }
  if (c == '\n') {
    atLineStart_ = true;
  } else if (++lineLength_ > maxPhysicalLineLength) {
    foundEndlessLine_ = true;
    throw DataError{"(codeEndless) line longer than 1 MiB: is this a text file?", lineNumber_, {}};
  }
  return c;
}

void InputFile::SkipRestOfLine() {
  int c;
  while ((c = NextChar()) != EOF && c != '\n') {
  }
}

bool InputFile::Exhausted() {
  return PeekByte() == EOF;
}

bool InputFile::ReadPhysicalLine(std::string& line) {
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

bool InputFile::ReadRawInteger(int& value) {
  int c = NextChar();
  while (c == ' ' || c == '\t' || c == '\n') c = NextChar();
  const std::string sign = c == '-' ? "-" : "";
  if (c == '+' || c == '-') c = NextChar();
  // A failed read ends the run, and the line of what stands there instead is the one to name.
  if (!IsDigit(c)) return false;
  // Leading zeros change nothing, and a number of more digits than an int holds is too large
  // however it goes on: the digits kept stay few.
  constexpr std::size_t maxDigits = 11;
  std::string digits;
  for (; IsDigit(c); c = NextChar())
    if ((c != '0' || !digits.empty()) && digits.size() <= maxDigits)
      digits.push_back(static_cast<char>(c));
  if (digits.empty()) digits.push_back('0');
  const bool separated = c == EOF || c == ' ' || c == '\t' || c == '\n' || c == '%';
  if (c != EOF && c != '\n') SkipRestOfLine();
  return separated && ParseWholeNumber(sign + digits, value);
}

}  // namespace mirelkon
