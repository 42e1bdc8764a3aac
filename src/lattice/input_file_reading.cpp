// The input file of a command: the reader's echo is dropped, its warnings go to standard error.
#include "lattice/input_file_reading.h"

#include <cstring>

#include "input/data_error.h"
#include "input/io_failure.h"
#include "lattice/command_error.h"
#include "report/diagnostics.h"

namespace mirelkon {

namespace {

class WarningsOnly : public NullSink {
 public:
  explicit WarningsOnly(std::string name) : name_(std::move(name)) {}
  void Warn(int line, std::string_view text) override {
    WriteDiagnostic(stderr, name_, line, std::string("warning: ").append(text));
  }

 private:
  std::string name_;
};

}  // namespace

void ReadNamedInputFile(const std::string& name,
                        const std::function<void(InputFile&, ReportSink&)>& read) {
  InputFile file;
  if (!file.Open(name)) throw UsageError("cannot open the input file " + name);
  WarningsOnly sink(name);
  try {
    read(file, sink);
  } catch (const DataError& error) {
    throw CommandError{DiagnosticText(name, error.line, error.message)};
  } catch (const IoFailure& failure) {
    throw IoError("cannot " + failure.operation + ": " + std::strerror(failure.errorNumber));
  }
}

}  // namespace mirelkon
