// Runs the bytes of one input file through the whole job path in process: header, jobs,
// derivation and count, reporting through the channel given. Shared by the fuzz target and
// the tests of hostile and fuzzer-found inputs.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "input/data_error.h"
#include "mirelkon/job_run.h"
#include "mirelkon/session.h"

// Answers the fatal data error, or one with the message "" when the run ended at \enddata.
inline DataError RunInputBytes(ReportChannel& report, const void* data, std::size_t size) {
  // fmemopen refuses an empty buffer; an empty file reads the same as /dev/null.
  Session session(report);
  session.input.Attach(size > 0 ? fmemopen(const_cast<void*>(data), size, "rb")
                                : std::fopen("/dev/null", "rb"));
  JsonRecords noJson;
  const Queries noQueries;
  DataError outcome{};
  try {
    RunJobs(session, {noJson, noQueries});
  } catch (const DataError& error) {
    outcome = error;
  }
  return outcome;
}
