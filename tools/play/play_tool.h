// quillon-play: plays a game headless from a replay file, or records one.
#pragma once

#include <ostream>

// Runs the tool with its command-line words (without the program name).
// Returns the exit status: 0 when the run went as expected, 1 when not, 2 on
// a usage error or a replay that cannot be read.
int RunPlayTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
