// The report channel: the screen, the result file and the keyboard. Every line ends with CR LF
// on both outputs; the screen is flushed after every write (in a console session), the result
// file is buffered and complete on disk once closed. Text meant for both outputs goes to the
// screen first, then to the result file. Diagnostics (report/diagnostics.h) have a stream of
// their own, standard error, apart from both.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "input/report_sink.h"

namespace mirelkon {

class ReportChannel : public ReportSink {
 public:
  std::FILE* screen = stdout;   // nullptr: no screen text at all (JSON lines take its place)
  std::FILE* keyboard = stdin;  // nullptr in a batch run: nobody answers, nothing waits
  std::FILE* resultFile = nullptr;
  std::FILE* diagnostics = stderr;
  bool flushScreen = true;  // false in a batch run, which nobody watches line by line
  std::string inputName;    // the input file the diagnostics speak of, as the user gave it
  // The warnings since the last job was reported, by input line, for its JSON record.
  std::vector<std::pair<int, std::string>> warnings;

  void WriteScreen(std::string_view text);
  void WriteScreenLine(std::string_view text = {});
  void WriteResult(std::string_view text);
  void WriteResultLine(std::string_view text = {});
  void WriteBoth(std::string_view text);
  void WriteBothLine(std::string_view text = {});

  void Write(Output to, std::string_view text) override;
  void EndLine(Output to) override;
  // "FILE:LINE: warning: text" on the diagnostic stream.
  void Warn(int line, std::string_view text) override;
  void ListOrder(const PartialLattice& lattice) override;
  void ListEquations(const PartialLattice& lattice, std::span<const Equation> equations) override;

  // Reads one keyboard line without its line end (LF or CR LF); false at the end of input.
  bool ReadKeyboardLine(std::string& line);

  // Waits for one press of <enter>; returns at once at the end of the keyboard's input, and
  // when there is no keyboard.
  void WaitForEnter();

  // Writes out what the screen still holds in its buffer.
  void FlushScreen();

  // Creates the result file; never empties an existing file (it fails instead).
  void CreateResultFile(const std::string& name);
  void CloseResultFile();
  // Closes the result file, created under the given name, and removes it when nothing has
  // been written to it.
  void CloseAndRemoveEmptyResultFile(const std::string& name);

  // Closes the result file after a failure elsewhere, writing out what it can and ignoring
  // any further error; with removeIfEmpty, a result file nothing was written to is removed.
  void AbandonResultFile(bool removeIfEmpty = false);

 private:
  std::string resultName_;  // of the result file last created
};

}  // namespace mirelkon
