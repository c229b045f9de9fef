// quillon-play: the command line of the play runner.
#include "play/play_tool.h"

#include <string>

#include "play/play_session.h"

namespace {

const char kUsage[] =
    "usage: quillon-play GAME_FOLDER_OR_REPLAY [--replay FILE] [--screenshots DIR]\n"
    "                    [--ms-per-frame N] [--max-frames N] [--quiet] [--strict]\n"
    "                    [--reload-each-step]\n"
    "       quillon-play GAME_FOLDER --record FILE [--ms-per-frame N]\n"
    "\n"
    "Plays the game headless (no window, no sound device) from a replay file: a\n"
    "game folder with --replay, or a .replay file, whose game is its own folder\n"
    "unless it names one in a \"game FOLDER\" line. Game time moves N ms per frame\n"
    "(default 20), so every run of a replay gives the same log. A game folder\n"
    "alone passes when the game ends by itself.\n"
    "  --screenshots DIR  where screenshot steps write their BMPs (default ./screenshots)\n"
    "  --max-frames N     the run fails after N frames (default 50000)\n"
    "  --quiet            keep the game's log off standard output\n"
    "  --strict           turn on author diagnostics; the first one fails the run\n"
    "  --reload-each-step after every step at which no wait runs, save the game, close\n"
    "                     the engine and load the save into a fresh one that plays on\n"
    "  --record FILE      run the game in a window and write the player's inputs to FILE\n"
    "\n"
    "The game's log goes to standard output; a line for every speech line a\n"
    "character starts (speech: ID: \"TEXT\"), the verdict and the report of a\n"
    "failed step to standard error. Exit status: 0 passed, 1 failed, 2 usage.\n";

bool PositiveNumber(const std::string& word, int* value) {
  if (word.empty() || word.size() > 9 || word.find_first_not_of("0123456789") != std::string::npos) return false;
  *value = std::stoi(word);
  return *value > 0;
}

}  // namespace

int RunPlayTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  PlayOptions options;
  std::string problem;
  for (int i = 0; i < argc && problem.empty(); ++i) {
    std::string word = argv[i];
    bool takesValue = word == "--replay" || word == "--screenshots" || word == "--record" ||
                      word == "--ms-per-frame" || word == "--max-frames";
    if (takesValue && i + 1 >= argc) {
      problem = word + " needs a value";
    } else if (word == "--replay") {
      options.replay = argv[++i];
    } else if (word == "--screenshots") {
      options.screenshotDir = argv[++i];
    } else if (word == "--record") {
      options.record = argv[++i];
    } else if (word == "--ms-per-frame") {
      if (!PositiveNumber(argv[++i], &options.msPerFrame)) problem = "--ms-per-frame takes a number above 0";
    } else if (word == "--max-frames") {
      if (!PositiveNumber(argv[++i], &options.maxFrames)) problem = "--max-frames takes a number above 0";
    } else if (word == "--quiet") {
      options.quiet = true;
    } else if (word == "--strict") {
      options.strict = true;
    } else if (word == "--reload-each-step") {
      options.reloadEachStep = true;
    } else if (word == "--help" || word == "-h") {
      out << kUsage;
      return 0;
    } else if (word.rfind("--", 0) == 0 || !options.target.empty()) {
      problem = "unexpected " + word;
    } else {
      options.target = word;
    }
  }
  if (problem.empty() && options.target.empty()) problem = "give a game folder or a replay file";
  if (problem.empty() && !options.record.empty() && !options.replay.empty())
    problem = "--record writes a replay; it does not play one";
  if (problem.empty() && !options.record.empty() && options.reloadEachStep)
    problem = "--reload-each-step plays a replay; it does not record one";
  if (!problem.empty()) {
    err << "quillon-play: " << problem << "\n\n" << kUsage;
    return 2;
  }
  return RunPlaySession(options, out, err);
}
