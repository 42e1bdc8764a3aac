// libFuzzer target for merge on damaged parts: the bytes, split at each byte 0x01, are the
// part files (at most four), read and added up as merge does. A refusal is a normal outcome;
// a crash, a sanitizer report, any other exception or a hang is a finding.
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "lattice/command_error.h"
#include "lattice/merge_command.h"

using namespace mirelkon;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::vector<PartFile> parts;
  std::size_t start = 0;
  for (int k = 0; k < 4 && start <= bytes.size(); ++k) {
    const std::size_t end = std::min(bytes.find('\x01', start), bytes.size());
    const std::string name =
        "/tmp/fuzz_merge_" + std::to_string(::getpid()) + "_" + std::to_string(k) + ".jsonl";
    std::ofstream(name, std::ios::binary) << bytes.substr(start, end - start);
    parts.push_back(ReadPartFile(name));
    ::unlink(name.c_str());
    start = end + 1;
  }
  GenerationRequest request;
  request.command = GenerationCommand::merge;
  request.json = size % 2 == 0;
  try {
    std::vector<OrderDrawing> sheet;
    MergedText(parts, request, sheet);
  } catch (const CommandError&) {
  }
  return 0;
}
