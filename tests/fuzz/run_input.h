// Runs the bytes of one input file through the whole job path in process: header, jobs,
// derivation and count, with both outputs sent to /dev/null. Shared by the fuzz target
// and the regression test of the inputs the fuzzer has found.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "input/input_file.h"
#include "input/job_sequence.h"
#include "session/fatal_error.h"
#include "session/report.h"

// Answers the fatal data error's message, or "" when the run ended at \enddata.
inline std::string RunInputBytes(const std::uint8_t* data, std::size_t size) {
  static std::FILE* sink = std::fopen("/dev/null", "wb");
  report.screen = sink;
  report.resultFile = sink;
  // fmemopen refuses an empty buffer; an empty file reads the same as /dev/null.
  AttachInputFile(size > 0 ? fmemopen(const_cast<std::uint8_t*>(data), size, "rb")
                           : std::fopen("/dev/null", "rb"));
  std::string message;
  try {
    RunJobs();
  } catch (const DataError& error) {
    message = error.message;
  }
  CloseInputFile();
  return message;
}
