// The game executable: quillon [options] [GAMEDIR] runs the game in GAMEDIR,
// or in the current working directory.
#include <SDL/SDL.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/command_line.h"
#include "core/startup.h"
#include "engine/engine.h"

namespace {

int Refuse(const std::string& error) {
  std::fprintf(stderr, "quillon: %s\n%s", error.c_str(), kUsage);
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc),
                                      [](const char* name) { return static_cast<const char*>(getenv(name)); });
  switch (line.action) {
    case CommandLine::kHelp:
      std::fputs(kUsage, stdout);
      return 0;
    case CommandLine::kVersion:
      std::fputs(kVersionText, stdout);
      return 0;
    case CommandLine::kRefuse:
      return Refuse(line.error);
    case CommandLine::kRun:
      break;
  }
  if (!line.options.gameDir.empty() && chdir(line.options.gameDir.c_str()) != 0)
    return Refuse("cannot enter " + line.options.gameDir + ": " + std::strerror(errno));
  Engine engine;
  engine.player = line.options;
  return RunEngine(engine);
}
