// Exclusive creation, through the C library's "x" mode.
#include "report/new_file.h"

#include <cerrno>

namespace mirelkon {

std::FILE* CreateNewFile(const std::string& name) {
  errno = 0;
  return std::fopen(name.c_str(), "wbx");
}

}  // namespace mirelkon
