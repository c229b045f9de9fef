// One run of a game under quillon-play: a replay played headless, or a player recorded.
#pragma once

#include <functional>
#include <ostream>
#include <string>

struct Engine;

struct PlayOptions {
  std::string target;         // a game folder or a .replay file
  std::string replay;         // a replay for a game folder given as target
  std::string screenshotDir;  // where screenshot steps write; empty: ./screenshots
  std::string record;         // record the player into this replay file instead of playing one
  int msPerFrame = 0;         // game time per frame; 0: the replay's own, else 20
  int maxFrames = 0;          // the run's frame budget; 0: 50000 (recordings have none)
  bool quiet = false;         // keep the game's log off out
  bool strict = false;        // author diagnostics on; the first one fails the run
  bool reloadEachStep = false;  // after every step at which no wait runs: save, close, load into a fresh engine
  std::function<void(Engine&)> standIn;  // while recording: acts at the window from the frame hook (tests)
  std::function<void(const Engine&)> finished;  // sees the engine once the game has ended (tests)
  std::function<void(Engine&)> everyFrame;     // sees the engine after every frame, nested ones too (tests)
};

// Runs the game; its log goes to out, the verdict and failures to err.
// Returns 0 when the run went as the replay expects, 1 when not, 2 when the
// replay or the folders cannot be used. A run stuck in a nested frame loop
// after a failure ends the process with status 1 once its report is out.
int RunPlaySession(const PlayOptions& options, std::ostream& out, std::ostream& err);
