// Runs the bytes of one input file (or lattice file) through the whole job path in process:
// header, jobs, derivation and count, reporting through the channel given. Shared by the fuzz
// target and the tests of hostile and fuzzer-found inputs.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "input/data_error.h"
#include "mirelkon/job_run.h"
#include "mirelkon/lattice_run.h"
#include "mirelkon/session.h"

namespace mirelkon {

// Answers the fatal data error, or one with the message "" when the run ended at \enddata.
// The queries and options are those of the command line; jsonOut, when given, takes the
// JSON records.
inline DataError RunInputBytes(ReportChannel& report, const void* data, std::size_t size,
                               const Queries& queries = {}, const RunOptions& options = {},
                               std::FILE* jsonOut = nullptr) {
  // fmemopen refuses an empty buffer; an empty file reads the same as /dev/null.
  Session session(report, options);
  session.input.Attach(size > 0 ? fmemopen(const_cast<void*>(data), size, "rb")
                                : std::fopen("/dev/null", "rb"));
  JsonRecords json;
  json.out = jsonOut;
  json.StartFile("fuzz");
  DataError outcome{};
  try {
    RunOpenedInput(session, {json, queries});
  } catch (const DataError& error) {
    outcome = error;
  }
  return outcome;
}

}  // namespace mirelkon
