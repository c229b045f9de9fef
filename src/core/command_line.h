// The game executable's command line and environment: quillon [options] [GAMEDIR].
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/player.h"

struct CommandLine {
  enum Action { kRun, kHelp, kVersion, kRefuse };
  Action action = kRun;
  PlayerOptions options;
  std::string error;  // with kRefuse: the one line that says why
};

// Reads the environment variable of that name; null when it is not set.
using EnvironmentReader = std::function<const char*(const char* name)>;

// Reads the words after the program's name. QUILLON_SCALE, QUILLON_FULLSCREEN,
// QUILLON_FPS and QUILLON_MUTE give the same options; the command line wins.
// A game folder given must hold a game (lua.dat, conf.lua or init.lua).
CommandLine ParseCommandLine(const std::vector<std::string>& words, const EnvironmentReader& environment);

// The text --help prints, ending in a line end.
extern const char kUsage[];
// The text --version prints, ending in a line end.
extern const char kVersionText[];
