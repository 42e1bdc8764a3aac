// Where the commands of mirelkon-lattice write: standard output and new files. Every failed
// write ends the command with a CommandError instead of passing unnoticed.
#pragma once

#include <mutex>
#include <string>

namespace mirelkon {

// Standard output, also for a command whose output is written while it runs, from several
// threads: each piece goes out whole under a lock.
class StandardOutput {
 public:
  void Write(const std::string& text);
  // Flushes what the C library still holds.
  void Finish();

 private:
  std::mutex mutex_;
};

// The whole text at once, flushed.
void WriteToStandardOutput(const std::string& text);

// Creates the file exclusively, so an existing one is never replaced, not even one that
// appears while the output is being built; a file that could not be written in full is
// removed again.
void WriteToNewFile(const std::string& text, const std::string& name);

// Creates the folder, which must not exist yet: files of an earlier run are never mixed with
// the new ones.
void CreateNewFolder(const std::string& folder);

}  // namespace mirelkon
