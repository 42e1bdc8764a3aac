// Writing the JSON lines. Names and messages come from the input file and may hold bytes that
// are not UTF-8; those are replaced rather than refused, so every line stays valid.
#include "report/json_records.h"

#include <nlohmann/json.hpp>

#include "input/io_failure.h"

namespace mirelkon {

namespace {

using Json = nlohmann::ordered_json;

// Each line goes out in one write of well under 4096 bytes, which a pipe keeps whole, so the
// lines of processes run side by side into one pipe never mix.
void WriteLine(std::FILE* out, const Json& record) {
  std::string line = record.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
  if (std::fwrite(line.data(), 1, line.size(), out) != line.size() || std::fflush(out) != 0)
    FailIo("write to standard output");
}

Json LineOrNull(int line) {
  return line > 0 ? Json(line) : Json(nullptr);
}

}  // namespace

void JsonRecords::StartFile(const std::string& file) {
  file_ = file;
  jobNumber_ = 0;
}

void JsonRecords::WriteJob(const JobRecord& r) {
  ++jobNumber_;
  if (out == nullptr) return;
  Json record = {
      {"file", file_},  {"job", jobNumber_},          {"name", r.name},
      {"size", r.size}, {"subtrahend", r.subtrahend}, {"input_constraints", r.inputConstraints}};
  if (r.latticeConstraints) record["lattice_constraints"] = *r.latticeConstraints;
  record["derived_constraints"] = r.derivedConstraints;
  record["sub"] = r.sub ? Json(*r.sub) : Json(nullptr);
  record["sigma"] = r.sigma;
  record["ms"] = r.milliseconds;
  for (const auto& [name, text] : r.answers) record[name] = text ? Json(*text) : Json(nullptr);
  if (!r.profile.empty()) record["profile"] = r.profile;
  record["derived"] = r.derived;
  Json& warnings = record["warnings"] = Json::array();
  for (const auto& [line, text] : r.warnings)
    warnings.push_back({{"line", LineOrNull(line)}, {"warning", text}});
  if (!r.impossible.empty()) {
    record["partial_lattice"] = false;
    record["impossible"] = r.impossible;
  }
  if (!r.legend.empty()) {
    Json& legend = record["legend"] = Json::object();
    for (const auto& [symbol, name] : r.legend) legend[symbol] = name;
  }
  WriteLine(out, record);
}

void JsonRecords::WriteSubset(const std::string& subset) {
  if (out == nullptr) return;
  WriteLine(out, {{"file", file_}, {"job", jobNumber_}, {"subset", subset}});
}

void JsonRecords::WriteError(const std::string& message, int line, const std::string& detail) {
  if (out == nullptr) return;
  Json record = {{"file", file_}, {"error", message}, {"line", LineOrNull(line)}};
  if (!detail.empty()) record["detail"] = detail;
  WriteLine(out, record);
}

}  // namespace mirelkon
