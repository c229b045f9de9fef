// The demo played in this process by quillon-play's session, as the build packs it unless told otherwise.
#pragma once

#include <sstream>
#include <string>

#include "play/play_session.h"

struct PlayedDemo {
  int status = -1;
  std::string log, err;
};

inline const char kPlaythrough[] = QUILLON_SOURCE_DIR "/games/demo/playthrough.replay";

inline PlayedDemo PlayDemo(const std::string& replay, const std::string& shots, PlayOptions options = {}) {
  if (options.target.empty()) options.target = QUILLON_BINARY_DIR "/demo";
  options.replay = replay;
  options.screenshotDir = shots;
  std::ostringstream out, err;
  PlayedDemo run;
  run.status = RunPlaySession(options, out, err);
  run.log = out.str();
  run.err = err.str();
  return run;
}
