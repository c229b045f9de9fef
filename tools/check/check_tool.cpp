// quillon-check: the command line.
#include "check/check_tool.h"

#include <filesystem>
#include <string>
#include <vector>

#include "check/game_check.h"
#include "common/tool_frame.h"

namespace {

const char kUsage[] =
    "usage: quillon-check [GAMEDIR]\n"
    "\n"
    "Reads the game in GAMEDIR (default: the current folder) without running it\n"
    "and prints each problem as FILE:LINE: MESSAGE: scripts that do not compile;\n"
    "files and pack entries named by literal arguments that are not there;\n"
    "objects, buttons and sounds used under a literal name that no script makes;\n"
    "the errors of quillon-map check and quillon-font check on the walk maps and\n"
    "fonts the scripts name; walk-to positions outside the map their script\n"
    "loads; string files whose languages differ in line count or hold lines\n"
    "longer than the engine reads (255 characters).\n"
    "Exit status: 0 no problem, 1 problems, 2 usage.\n";

}  // namespace

int RunCheckTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  std::vector<std::string> words(argv, argv + argc);
  if (!words.empty() && (words[0] == "--help" || words[0] == "-h" || words[0] == "help")) {
    out << kUsage;
    return 0;
  }
  if (words.size() > 1) {
    err << "quillon-check: give one game folder\n\n" << kUsage;
    return 2;
  }
  std::string folder = words.empty() ? "." : words[0];
  if (!std::filesystem::is_directory(folder)) {
    err << "quillon-check: no game folder " << folder << "\n";
    return 2;
  }
  std::vector<std::string> problems;
  RunToolCommand("check", {{"check", [&] { problems = CheckGame(folder); return 0; }}}, [] { return 2; });
  for (const std::string& problem : problems) out << problem << "\n";
  return problems.empty() ? 0 : 1;
}
