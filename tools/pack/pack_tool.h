// quillon-pack: builds, lists, extracts and checks pack archives.
#pragma once

#include <ostream>

// Runs the tool with its command-line words (without the program name).
// Returns the exit status: 0 on success, 1 on any failure, 2 on a usage error.
int RunPackTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
