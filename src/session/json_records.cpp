// Writing the JSON lines. Names and messages come from the input file and may hold bytes
// that are not UTF-8; those are replaced rather than refused, so every line stays valid.
#include "session/json_records.h"

#include <nlohmann/json.hpp>

#include "session/io_failure.h"

JsonRecords json;

namespace {

using Json = nlohmann::ordered_json;

// Each line goes out in one write of well under 4096 bytes, which a pipe keeps whole, so
// the lines of processes run side by side into one pipe never mix.
void WriteLine(const Json& record) {
  std::string line = record.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
  if (std::fwrite(line.data(), 1, line.size(), json.out) != line.size() ||
      std::fflush(json.out) != 0)
    FailIo("write to standard output");
}

Json LineOrNull(int line) {
  return line > 0 ? Json(line) : Json(nullptr);
}

}  // namespace

void StartJsonFile(const std::string& file) {
  json.file = file;
  json.jobNumber = 0;
}

void WriteJobRecord(const JobRecord& r) {
  ++json.jobNumber;
  if (json.out == nullptr) return;
  WriteLine({{"file", json.file},
             {"job", json.jobNumber},
             {"name", r.name},
             {"size", r.size},
             {"subtrahend", r.subtrahend},
             {"input_constraints", r.inputConstraints},
             {"derived_constraints", r.derivedConstraints},
             {"sub", r.sub},
             {"sigma", r.sigma},
             {"ms", r.milliseconds}});
}

void WriteErrorRecord(const std::string& message, int line) {
  if (json.out == nullptr) return;
  WriteLine({{"file", json.file}, {"error", message}, {"line", LineOrNull(line)}});
}
