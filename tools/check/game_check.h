// quillon-check's reading of a game folder: what would go wrong, without running it.
#pragma once

#include <string>
#include <vector>

// Each problem as "file:line: message", files relative to the game folder, in
// the order of the scripts' names and lines. Reads every *.lua file: scripts
// that do not compile; files and pack entries named by literal arguments that
// are not there; objects, buttons and sounds used under a literal name that no
// script spells anywhere else; the errors of quillon-map check and
// quillon-font check on the loose maps and fonts the scripts name; walk-to
// positions outside the map their own script loads; string files whose
// languages differ in line count or hold lines longer than the engine reads.
std::vector<std::string> CheckGame(const std::string& folder);

// Which argument (from 1) of a script function names a file or pack entry: 3
// for LoadAnim, 1 for LoadBackground; 0 for a function that names none.
int FileArgumentOf(const std::string& function);
