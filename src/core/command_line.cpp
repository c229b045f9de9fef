// The game executable's command line and environment.
#include "core/command_line.h"

#include <sys/stat.h>

#include <cstdlib>

const char kUsage[] =
    "usage: quillon [options] [GAMEDIR]\n"
    "Runs the game in GAMEDIR, or in the current folder.\n"
    "  --scale N       show the game N times larger, N from 1 to 4, or auto (the largest that fits)\n"
    "  --fullscreen    play full screen\n"
    "  --fps N         draw at most N frames a second\n"
    "  --mute          play without sound\n"
    "  --no-keys       keep the keyboard and gamepad from moving the pointer and clicking\n"
    "  --help          print this help and end\n"
    "  --version       print the version and end\n"
    "The environment can give the same options: QUILLON_SCALE=N, QUILLON_FULLSCREEN=1,\n"
    "QUILLON_FPS=N, QUILLON_MUTE=1, QUILLON_NO_KEYS=1; the command line wins.\n";

const char kVersionText[] = "Quillon 1.0\n";

namespace {

bool IsFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool HoldsAGame(const std::string& folder) {
  for (const char* start : {"lua.dat", "conf.lua", "init.lua"})
    if (IsFile(folder + "/" + start)) return true;
  return false;
}

// A whole decimal number from low to high; false for anything else.
bool ReadNumber(const std::string& text, int low, int high, int* number) {
  if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  int value = std::atoi(text.c_str());
  if (value < low || value > high) return false;
  *number = value;
  return true;
}

bool ReadScale(const std::string& text, PlayerOptions* options) {
  if (text == "auto") {
    options->autoScale = true;
    return true;
  }
  options->autoScale = false;
  return ReadNumber(text, 1, 4, &options->scale);
}

// A switch from the environment: set unless empty or "0".
bool Switched(const char* value) { return value && *value && std::string(value) != "0"; }

CommandLine Refuse(CommandLine line, const std::string& error) {
  line.action = CommandLine::kRefuse;
  line.error = error;
  return line;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& words, const EnvironmentReader& environment) {
  CommandLine line;
  PlayerOptions& options = line.options;
  if (const char* scale = environment("QUILLON_SCALE"); scale && !ReadScale(scale, &options))
    return Refuse(line, std::string("QUILLON_SCALE must be 1 to 4 or auto, not \"") + scale + "\"");
  if (const char* fps = environment("QUILLON_FPS"); fps && !ReadNumber(fps, 1, 1000, &options.fps))
    return Refuse(line, std::string("QUILLON_FPS must be a number from 1 to 1000, not \"") + fps + "\"");
  options.fullscreen = Switched(environment("QUILLON_FULLSCREEN"));
  options.mute = Switched(environment("QUILLON_MUTE"));
  options.noKeys = Switched(environment("QUILLON_NO_KEYS"));

  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    bool hasValue = i + 1 < words.size();
    if (word == "--help") {
      line.action = CommandLine::kHelp;
      return line;
    } else if (word == "--version") {
      line.action = CommandLine::kVersion;
      return line;
    } else if (word == "--fullscreen") {
      options.fullscreen = true;
    } else if (word == "--mute") {
      options.mute = true;
    } else if (word == "--no-keys") {
      options.noKeys = true;
    } else if (word == "--scale") {
      if (!hasValue || !ReadScale(words[++i], &options)) return Refuse(line, "--scale needs 1 to 4 or auto");
    } else if (word == "--fps") {
      if (!hasValue || !ReadNumber(words[++i], 1, 1000, &options.fps))
        return Refuse(line, "--fps needs a number from 1 to 1000");
    } else if (word.rfind("-", 0) == 0) {
      return Refuse(line, "unknown option " + word);
    } else if (!options.gameDir.empty()) {
      return Refuse(line, "one game folder only, not " + options.gameDir + " and " + word);
    } else {
      options.gameDir = word;
    }
  }
  if (!options.gameDir.empty() && !HoldsAGame(options.gameDir))
    return Refuse(line, "no game in " + options.gameDir + " (it has no lua.dat, conf.lua or init.lua)");
  return line;
}
