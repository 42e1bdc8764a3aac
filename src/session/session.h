// The session: the choice of the input file, the result file's name and the run's clock.
#pragma once

#include <string>

#include "session/timing.h"

struct Session {
  std::string inputFileName;
  std::string resultFileName;
  TimeOfDay startTime{};  // set when the run header is written
  TimeOfDay endTime{};
  int elapsedMilliseconds = 0;
};

extern Session session;

// The 34 characters that tell result names apart; "l" and "w" are left out.
constexpr char resultSuffixAlphabet[] = "0123456789abcdefghijkmnopqrstuvxyz";

enum class SessionStart { ready, helpShown, noInputFile };

// The banner's three screen lines.
void WriteBanner();

// Banner, input file (command line or dialogue), help, result name and result file.
SessionStart OpenSession(const std::string& argument);

// With the input file open: says so on the screen, then finds the first free result name
// and creates the result file there (a fatal data error when all are taken).
void StartRunOnOpenedInput();

// The candidate result name number i (0-based) for an input name: base + "_r" + suffix
// character + extension, the extension being the text from the last "." when no "/",
// "\" or ":" stands after it.
std::string ResultFileCandidate(const std::string& inputName, int i);

// Timing lines, farewell and the two waits for <enter> (neither without a keyboard);
// closes both files.
void EndRun();
