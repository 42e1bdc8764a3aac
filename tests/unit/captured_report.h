// Test support: sends the screen, the result file and the diagnostics to temporary files
// for the lifetime of the object, so a test can read back exactly what was reported on
// each output.
#pragma once

#include <cstdio>
#include <string>

#include "session/report.h"

class CapturedReport {
 public:
  CapturedReport() : saved_(report) {
    report.screen = std::tmpfile();
    report.resultFile = std::tmpfile();
    report.diagnostics = std::tmpfile();
  }
  ~CapturedReport() {
    std::fclose(report.screen);
    std::fclose(report.diagnostics);
    if (report.resultFile != nullptr) std::fclose(report.resultFile);
    report = saved_;
  }
  CapturedReport(const CapturedReport&) = delete;
  CapturedReport& operator=(const CapturedReport&) = delete;

  std::string Screen() const { return ReadAll(report.screen); }
  std::string Result() const { return ReadAll(report.resultFile); }
  std::string Diagnostics() const { return ReadAll(report.diagnostics); }

 private:
  static std::string ReadAll(std::FILE* file) {
    std::fflush(file);
    std::string text;
    std::rewind(file);
    for (int c; (c = std::getc(file)) != EOF;) text.push_back(static_cast<char>(c));
    std::fseek(file, 0, SEEK_END);  // later writes go on after what was read
    return text;
  }
  ReportChannel saved_;
};
