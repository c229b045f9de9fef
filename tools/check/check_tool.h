// quillon-check: reads a game folder and reports what would go wrong when it runs.
#pragma once

#include <ostream>

// quillon-check [GAMEDIR]: each problem on out as "file:line: message";
// status 1 when there is one, 0 when none, 2 for a wrong command line.
int RunCheckTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
