// The program's outermost flow: session, jobs, end of run, and the two ways a run stops
// early (a fatal data error, an input/output failure). Returns the exit status.
#pragma once

namespace mirelkon {

int Main(int argc, char** argv);

}  // namespace mirelkon
