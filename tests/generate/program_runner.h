// Test support: runs mirelkon-lattice or mirelkon in a fresh folder of its own and answers
// the exit status, standard output and standard error.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace mirelkon {

struct ProgramOutcome {
  int status;
  std::string out;
  std::string err;
};

class ProgramFolder {
 public:
  ProgramFolder() {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ProgramFolder() { std::filesystem::remove_all(path_); }
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

  std::string Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(path_ / name, std::ios::binary) << text;
  }

  // The arguments are given to the shell as they are: quote where needed; a redirection
  // among them wins. Standard output goes to `output` in the folder.
  ProgramOutcome Run(const std::string& binary, const std::string& arguments,
                     const std::string& output = "stdout.txt") const {
    const std::string command = "cd '" + path_.string() + "' && { '" + binary + "' " + arguments +
                                "; } > '" + output + "' 2> stderr.txt";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Read(output), Read("stderr.txt")};
  }

 private:
  std::filesystem::path path_ =
      std::filesystem::temp_directory_path() / ("mirelkon-generate-" + std::to_string(::getpid()));
};

}  // namespace mirelkon
