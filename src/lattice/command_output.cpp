// Writing to standard output and to new files with every failure reported.
#include "lattice/command_output.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "lattice/command_error.h"
#include "report/broken_pipe.h"
#include "report/new_file.h"

namespace mirelkon {

namespace {

[[noreturn]] void FailOnStandardOutput() {
  if (errno == EPIPE) EndOnBrokenPipe();
  throw IoError(std::string("cannot write to standard output: ") + std::strerror(errno));
}

}  // namespace

void StandardOutput::Write(const std::string& text) {
  std::lock_guard lock(mutex_);
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) FailOnStandardOutput();
}

void StandardOutput::Finish() {
  std::lock_guard lock(mutex_);
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) FailOnStandardOutput();
}

void WriteToStandardOutput(const std::string& text) {
  StandardOutput out;
  out.Write(text);
  out.Finish();
}

void WriteToNewFile(const std::string& text, const std::string& name) {
  std::FILE* file = CreateNewFile(name);
  if (file == nullptr) {
    if (errno == EEXIST) throw UsageError(name + " exists already; it is not overwritten");
    throw IoError("cannot create " + name + ": " + std::strerror(errno));
  }
  bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  written = std::fclose(file) == 0 && written;
  if (!written) {
    const int error = errno;
    std::remove(name.c_str());
    throw IoError("cannot write " + name + ": " + std::strerror(error));
  }
}

void CreateNewFolder(const std::string& folder) {
  if (::mkdir(folder.c_str(), 0777) == 0) return;
  if (errno == EEXIST) throw UsageError(folder + " exists already; it is not overwritten");
  throw IoError("cannot create the folder " + folder + ": " + std::strerror(errno));
}

}  // namespace mirelkon
