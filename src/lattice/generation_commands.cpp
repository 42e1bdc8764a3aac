// Dispatching all, survey and merge.
#include "lattice/generation_commands.h"

#include <cstdio>
#include <cstring>

#include "lattice/all_command.h"
#include "lattice/command_error.h"
#include "lattice/command_output.h"
#include "lattice/lattice_usage.h"
#include "lattice/merge_command.h"
#include "lattice/survey_command.h"

namespace mirelkon {

int RunGenerationCommand(int argc, char** argv) {
  try {
    for (int i = 1; i < argc; ++i)
      if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
        WriteToStandardOutput(LatticeUsageText());
        return 0;
      }
    const GenerationRequest request = ParseGenerationRequest(argc, argv);
    switch (request.command) {
      case GenerationCommand::all:
        RunAllCommand(request);
        break;
      case GenerationCommand::survey:
        RunSurveyCommand(request);
        break;
      case GenerationCommand::merge:
        RunMergeCommand(request);
        break;
    }
    return 0;
  } catch (const CommandError& error) {
    std::fprintf(stderr, "%s\n", error.text.c_str());
    return error.status;
  }
}

}  // namespace mirelkon
