// Standard output for a command whose output is written while it runs, from several threads:
// each piece goes out whole under a lock, and a failed write ends the command with a
// CommandError instead of passing unnoticed.
#pragma once

#include <mutex>
#include <string>

class StandardOutput {
 public:
  void Write(const std::string& text);
  // Flushes what the C library still holds.
  void Finish();

 private:
  std::mutex mutex_;
};
