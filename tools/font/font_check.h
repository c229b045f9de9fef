// Checking a font image the way the engine will read it.
#pragma once

#include <ostream>
#include <string>

// Reports what the engine makes of the image at the given cell height: colours,
// cells, bands, empty and unusually wide cells, a damaged marker row. Problems
// go to err, one line each naming the file. Returns 1 on errors (and, when
// strict, on warnings), otherwise 0.
int CheckFontImage(const std::string& path, int cellHeight, bool strict, std::ostream& out, std::ostream& err);
