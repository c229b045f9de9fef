// String files: the lookup by line number behind GetString.
#pragma once

#include <string>

#include "engine/text_state.h"

// Line lineNumber (1 = the first; fractions truncate) of the open string file,
// reread from its beginning. Empty without an open file, for line numbers below
// 1, and beyond the last line when the file ends with a line feed; beyond the
// last line of a file without a final line feed, that last line.
std::string LookUpString(TextState& text, double lineNumber);

// Opens baseName + "." + the language as the string file (a missing file leaves none open).
void OpenStringFile(TextState& text, const std::string& baseName);
