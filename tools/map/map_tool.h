// quillon-map: compiles, decompiles, checks and draws walk-box maps, and shows
// the path the engine would walk.
#pragma once

#include <ostream>

// Runs the tool with its command-line words (without the program name).
// Returns the exit status: 0 on success, 1 on any failure (and for check on
// errors, with --strict also on warnings; for path when there is no path),
// 2 on a usage error.
int RunMapTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
