// The command "merge FILES...": adds up the JSON-lines outputs of survey runs over the parts
// of one generation (survey --part K/M --json) into the survey of the whole, checking that
// every part is there once.
#pragma once

#include "lattice/generation_request.h"

void RunMergeCommand(const GenerationRequest& request);
