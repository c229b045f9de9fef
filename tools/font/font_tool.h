// quillon-font: makes bitmap font images from TrueType faces and checks font images.
#pragma once

#include <ostream>

// Runs the tool with its command-line words (without the program name).
// Returns the exit status: 0 on success, 1 on any failure, 2 on a usage error.
int RunFontTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
