// Runs the bytes of one input file through the whole job path in process: header, jobs,
// derivation and count, reporting through whatever the report channel is set to. Shared
// by the fuzz target and the tests of hostile and fuzzer-found inputs.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "input/input_file.h"
#include "input/job_sequence.h"
#include "session/fatal_error.h"

// Answers the fatal data error, or one with the message "" when the run ended at \enddata.
inline DataError RunInputBytes(const void* data, std::size_t size) {
  // fmemopen refuses an empty buffer; an empty file reads the same as /dev/null.
  AttachInputFile(size > 0 ? fmemopen(const_cast<void*>(data), size, "rb")
                           : std::fopen("/dev/null", "rb"));
  DataError outcome{};
  try {
    RunJobs();
  } catch (const DataError& error) {
    outcome = error;
  }
  CloseInputFile();
  return outcome;
}
