// Finding the documentation from the running program's own place.
#include "mirelkon/doc_folder.h"

#include <filesystem>

namespace mirelkon {

std::string DocumentationFolder() {
  namespace fs = std::filesystem;
  std::error_code ignored;
  const fs::path program = fs::read_symlink("/proc/self/exe", ignored);
  if (!program.empty()) {
    const fs::path beside = (program.parent_path() / MIRELKON_DOC_FROM_BIN).lexically_normal();
    if (fs::is_directory(beside / "docs", ignored)) return beside.string();
  }
  // Not installed: a program run from its build folder finds the checkout it was built from.
  if (!fs::is_directory(fs::path(MIRELKON_DOC_DIR) / "docs", ignored) &&
      fs::is_directory(fs::path(MIRELKON_SOURCE_DIR) / "docs", ignored))
    return MIRELKON_SOURCE_DIR;
  return MIRELKON_DOC_DIR;
}

}  // namespace mirelkon
