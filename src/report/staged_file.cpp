// Staged files: a temporary file from mkstemp in the final name's folder, linked to the final
// name when complete (a link, unlike a rename, fails where a file appeared meanwhile).
#include "report/staged_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace mirelkon {

bool StagedFile::Create(const std::string& name) {
  struct stat status;
  if (::lstat(name.c_str(), &status) == 0) {
    errno = EEXIST;
    return false;
  }
  std::vector<char> temporary(name.begin(), name.end());
  for (const char c : std::string(".partXXXXXX")) temporary.push_back(c);
  temporary.push_back('\0');
  const int descriptor = ::mkstemp(temporary.data());
  if (descriptor < 0) return false;
  file_ = ::fdopen(descriptor, "wb");
  if (file_ == nullptr) {
    const int error = errno;
    ::close(descriptor);
    ::unlink(temporary.data());
    errno = error;
    return false;
  }
  name_ = name;
  temporaryName_ = temporary.data();
  return true;
}

bool StagedFile::Publish() {
  if (file_ == nullptr) return true;
  std::FILE* file = file_;
  file_ = nullptr;
  errno = 0;
  bool published = std::fclose(file) == 0 && ::link(temporaryName_.c_str(), name_.c_str()) == 0;
  const int error = errno;
  ::unlink(temporaryName_.c_str());
  temporaryName_.clear();
  errno = error;
  return published;
}

void StagedFile::Discard() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  if (!temporaryName_.empty()) ::unlink(temporaryName_.c_str());
  temporaryName_.clear();
}

}  // namespace mirelkon
