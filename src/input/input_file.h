// An input file as physical lines. A line ends at LF, CR LF or a lone CR, so files written on
// any system read alike; lines longer than 255 characters keep their first 255, and a line
// longer than 1 MiB ends the reading.
#pragma once

#include <cstdio>
#include <string>
#include <utility>

namespace mirelkon {

// No text file has a line this long; a file without line ends (/dev/zero, a binary) would be
// read forever while the rest of its first line is skipped.
constexpr long maxPhysicalLineLength = 1L << 20;

class InputFile {
 public:
  InputFile() = default;
  ~InputFile() { Close(); }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Opens the named file for reading; false, with errno telling why, when it is missing,
  // unreadable or a folder.
  bool Open(const std::string& name);
  // Reads standard input under the given name, through a stream of its own, so that closing
  // it leaves standard input to the keyboard; false, with errno telling why, when it fails.
  bool OpenStandardInput(std::string name);
  // Reads from an already open stream, from its first line, under the given name, and closes
  // it when done.
  void Attach(std::FILE* stream, std::string name = "");
  void Close();

  const std::string& Name() const { return name_; }
  // The physical line (from 1) holding the last character read: the place a diagnostic
  // names. It stays on a line until the first character of the next one has been read.
  int LineNumber() const { return lineNumber_; }

  // True when not a single character remains after what has been read.
  bool Exhausted();
  // True once a line longer than maxPhysicalLineLength has stopped the reading: the input is
  // no text file.
  bool FoundEndlessLine() const { return foundEndlessLine_; }

  // Replaces line with the next physical line, without its line end. Answers whether the cut
  // at 255 characters dropped text other than blanks and commas before a "%". Every read
  // below stops with a DataError (codeEndless) on a line longer than maxPhysicalLineLength.
  bool ReadPhysicalLine(std::string& line);

  // Reads a whole number straight from the input: blanks, tabs and line ends are skipped,
  // then an optional sign and digits are read, and the rest of the physical line on which
  // the number ends is dropped. False when no number stands there, when text other than a
  // blank, a tab or a comment is glued to it, or when it does not fit a signed 32-bit integer.
  bool ReadRawInteger(int& value);

  // The first bytes of the input, at most `limit`, read before anything else and left unread:
  // a file is read again from its start, a pipe through a stream that gives them again; a
  // terminal is not read ahead, and gives none.
  std::string PeekStart(std::size_t limit);

  // The stream itself, for a reader of another format that takes the input over.
  std::FILE* Stream() const { return stream_; }

 private:
  int ReadByte();
  int PeekByte();
  int NextChar();
  void SkipRestOfLine();

  std::FILE* stream_ = nullptr;
  std::string name_;  // as the user gave it: diagnostics name the file by it
  int lineNumber_ = 0;
  long lineLength_ = 0;      // characters read of the line lineNumber_
  bool atLineStart_ = true;  // the next character read begins a new line
  bool foundEndlessLine_ = false;
};

}  // namespace mirelkon
