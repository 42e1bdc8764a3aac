// A new file written under a temporary name beside its final one and given that name only when
// complete, so that a run that fails half-way (a full disk, memory that runs out) leaves no
// half-written file looking whole. Like every output file, it never replaces an existing one.
#pragma once

#include <cstdio>
#include <string>

namespace mirelkon {

class StagedFile {
 public:
  StagedFile() = default;
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;
  ~StagedFile() { Discard(); }

  // Creates the temporary file for the final name; false with errno telling why (EEXIST when
  // anything stands under the final name already).
  bool Create(const std::string& name);

  std::FILE* File() const { return file_; }

  // Closes the file and gives it its final name; false with errno telling why, the temporary
  // file then removed.
  bool Publish();

  // Closes and removes the temporary file, ignoring any further error.
  void Discard();

 private:
  std::FILE* file_ = nullptr;
  std::string name_, temporaryName_;
};

}  // namespace mirelkon
