// Completion of an input file, job by job: each read by the input reader, checked as a
// lattice by the library, and written again by the input writer. The output is the written
// file alone: the reader's echo is dropped, its warnings go to standard error.
#include "lattice/complete_command.h"

#include <cstring>

#include "core/derivation.h"
#include "input/data_error.h"
#include "input/derivation_fault.h"
#include "input/input_writer.h"
#include "input/lattice_completion.h"
#include "input/short_string.h"
#include "lattice/input_file_reading.h"

namespace mirelkon {

namespace {

// The job written again with its completion, checked as mirelkon will read it: a derivation
// that mirelkon would stop on (a typed a+z=z of a chain a<k<z derives k+z=z, which names an
// element twice) is refused here in the same words, told in full.
std::string CompletedJob(const InputReader& reader, ParsedJob job) {
  const std::vector<Equation> added = LatticeCompletion(reader, job);
  std::string text = JobText(job.name, job.lattice, job.edges, added, job.legend);
  AddCompletion(job, added);
  const Derivation derivation = Derive(job.lattice);
  if (derivation.fault) {
    DataError error = DerivationError(job, derivation, reader.file.LineNumber());
    if (!error.record.empty()) error.message = error.record;
    throw error;
  }
  return text;
}

}  // namespace

std::string CompleteInput(InputFile& file, ReportSink& sink) {
  InputReader reader(file, sink);
  reader.latticeRequired = true;
  ReadRunHeader(reader);
  RunSettings settings = reader.settings;
  settings.operationSymbols = WithJoinAndMeet(settings.operationSymbols);
  // The reader keeps only 255 characters of a line: an added symbol must not fall beyond.
  if (settings.operationSymbols.size() + std::strlen("\\operationsymbols=") > maxStringLength)
    reader.Fail("no room on the \"\\operationsymbols=\" line for the join and meet symbols");
  std::string text = RunSettingsText(settings);
  for (bool firstJob = true;; firstJob = false) {
    text += CompletedJob(reader, ReadJob(reader, firstJob));
    if (AtEndOfData(reader)) break;
  }
  return text + "\\enddata\n";
}

std::string CompleteFile(const std::string& name) {
  std::string text;
  ReadNamedInputFile(name,
                     [&](InputFile& file, ReportSink& sink) { text = CompleteInput(file, sink); });
  return text;
}

}  // namespace mirelkon
