// Writing to standard output with every failure reported.
#include "lattice/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "lattice/command_error.h"

namespace {

[[noreturn]] void Fail() {
  throw UsageError(std::string("cannot write to standard output: ") + std::strerror(errno));
}

}  // namespace

void StandardOutput::Write(const std::string& text) {
  std::lock_guard lock(mutex_);
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) Fail();
}

void StandardOutput::Finish() {
  std::lock_guard lock(mutex_);
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) Fail();
}
