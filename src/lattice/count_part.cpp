// The record of a counted part.
#include "lattice/count_part.h"

#include <cstdio>
#include <nlohmann/json.hpp>

namespace mirelkon {

std::string CountChecksum(const CountPart& count) {
  // FNV-1a over the record's fields as text: any changed digit changes the checksum.
  const std::string fields =
      std::to_string(count.size) + " " + std::to_string(count.part.part + 1) + "/" +
      std::to_string(count.part.parts) + " " + std::to_string(count.lattices);
  std::uint64_t hash = 14695981039346656037ull;
  for (const unsigned char c : fields) hash = (hash ^ c) * 1099511628211ull;
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
  return digits;
}

std::string CountPartJson(const CountPart& count) {
  const nlohmann::ordered_json record{
      {"n", count.size},
      {"lattices", std::to_string(count.lattices)},
      {"part", std::to_string(count.part.part + 1) + "/" + std::to_string(count.part.parts)},
      {"checksum", CountChecksum(count)}};
  return record.dump() + "\n";
}

}  // namespace mirelkon
