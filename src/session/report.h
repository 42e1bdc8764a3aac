// The report channel: the screen, the result file and the keyboard. Every line ends with
// CR LF on both outputs; the screen is flushed after every write (in a console session),
// the result file is buffered and complete on disk once closed. Text meant for both
// outputs goes to the screen first, then to the result file. Diagnostics
// (session/diagnostics.h) have a stream of their own, standard error, apart from both.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

struct ReportChannel {
  std::FILE* screen = stdout;
  std::FILE* keyboard = stdin;  // nullptr in a batch run: nobody answers, nothing waits
  std::FILE* resultFile = nullptr;
  std::FILE* diagnostics = stderr;
  bool flushScreen = true;  // false in a batch run, which nobody watches line by line
};

extern ReportChannel report;

void WriteScreen(std::string_view text);
void WriteScreenLine(std::string_view text = {});
void WriteResult(std::string_view text);
void WriteResultLine(std::string_view text = {});
void WriteBoth(std::string_view text);
void WriteBothLine(std::string_view text = {});

// Reads one keyboard line without its line end (LF or CR LF); false at the end of input.
bool ReadKeyboardLine(std::string& line);

// Waits for one press of <enter>; returns at once at the end of the keyboard's input, and
// when there is no keyboard.
void WaitForEnter();

// Writes out what the screen still holds in its buffer.
void FlushScreen();

// A stream that takes text and keeps none, for an output nobody is to see; opened once and
// kept for the whole program.
std::FILE* NullSink();

// Creates the result file; never empties an existing file (it fails instead).
void CreateResultFile(const std::string& name);
void CloseResultFile();

// Closes the result file after a failure elsewhere, writing out what it can and ignoring
// any further error.
void AbandonResultFile();
