// The game in a web page. The page turns its address into words as a command
// line has them: the player's options (--scale 2, --fps 30, --mute), or
// "--replay FILE" to play a replay headless as quillon-play does, with the
// log and screenshots left in /results for the page to hand on.
#include <emscripten.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/command_line.h"
#include "core/startup.h"
#include "engine/engine.h"
#include "play/play_session.h"

namespace {

// Where the page's file package puts the game.
const char kGameFolder[] = "/game";

int PlayReplay(const std::string& replay) {
  PlayOptions options;
  options.target = kGameFolder;
  options.replay = replay;
  options.screenshotDir = "/results/screenshots";
  std::ostringstream log, verdict;
  int status = RunPlaySession(options, log, verdict);
  std::ofstream("/results/log.txt", std::ios::binary) << log.str();
  std::ofstream("/results/verdict.txt", std::ios::binary) << verdict.str();
  std::fputs(verdict.str().c_str(), stderr);
  return status;
}

int PlayGame(const std::vector<std::string>& words) {
  if (chdir(kGameFolder) != 0) {
    std::fprintf(stderr, "quillon: the page holds no game in %s\n", kGameFolder);
    return 2;
  }
  CommandLine line =
      ParseCommandLine(words, [](const char* name) { return static_cast<const char*>(getenv(name)); });
  if (line.action == CommandLine::kRefuse) {
    std::fprintf(stderr, "quillon: %s\n", line.error.c_str());
    return 2;
  }
  Engine engine;
  engine.player = line.options;
  return RunEngine(engine);
}

}  // namespace

int main(int argc, char* argv[]) {
  std::vector<std::string> words(argv + 1, argv + argc);
  bool replaying = words.size() == 2 && words[0] == "--replay";
  int status = replaying ? PlayReplay(words[1]) : PlayGame(words);
  EM_ASM({ Module.quillonEnded($0, $1); }, status, replaying);
  return status;
}
