// Test support: a report channel whose screen, result file and diagnostics are temporary
// files, so a test can read back exactly what was reported on each output.
#pragma once

#include <cstdio>
#include <string>

#include "report/report_channel.h"

namespace mirelkon {

class CapturedReport {
 public:
  CapturedReport() {
    channel.screen = std::tmpfile();
    channel.resultFile = std::tmpfile();
    channel.diagnostics = std::tmpfile();
    channel.keyboard = nullptr;
  }
  ~CapturedReport() {
    std::fclose(channel.screen);
    std::fclose(channel.diagnostics);
    if (channel.resultFile != nullptr) std::fclose(channel.resultFile);
  }
  CapturedReport(const CapturedReport&) = delete;
  CapturedReport& operator=(const CapturedReport&) = delete;

  std::string Screen() const { return ReadAll(channel.screen); }
  std::string Result() const { return ReadAll(channel.resultFile); }
  std::string Diagnostics() const { return ReadAll(channel.diagnostics); }

  ReportChannel channel;

 private:
  static std::string ReadAll(std::FILE* file) {
    std::fflush(file);
    std::string text;
    std::rewind(file);
    for (int c; (c = std::getc(file)) != EOF;) text.push_back(static_cast<char>(c));
    std::fseek(file, 0, SEEK_END);  // later writes go on after what was read
    return text;
  }
};

}  // namespace mirelkon
