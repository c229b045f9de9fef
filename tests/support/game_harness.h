// Runs a whole game folder written by a test, headless, with a test clock.
#pragma once

#include <SDL/SDL.h>

#include <functional>
#include <map>
#include <string>

#include "engine/engine.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

// A clock that moves only when told: by the test, or by a fixed step per
// frame (see GameHarness::msPerFrame).
struct ManualClock {
  Uint32 now = 1000;  // ticks returned

  void Attach(Engine& engine) {
    engine.clock.context = this;
    engine.clock.source = [](void* self) { return static_cast<ManualClock*>(self)->now; };
  }
};

class GameHarness {
 public:
  GameHarness();

  // Writes a file of the game folder (text or binary).
  void Write(const std::string& name, const std::string& content) { dir.Write(name, content); }
  std::string Path(const std::string& name) const { return dir.Path(name); }

  // Runs the engine in the game folder until it ends; returns the exit status.
  int Run();

  // Runs action after frame number frame (1 = after the first frame).
  void At(Uint32 frame, std::function<void(Engine&)> action) { actions_[frame] = std::move(action); }

  // Pushes input events into SDL's queue.
  static void MoveMouse(int x, int y);
  static void Click(int x, int y, Uint8 button = SDL_BUTTON_LEFT);

  TempDir dir;
  Engine engine;
  ManualClock clock;
  LogCapture log;
  Uint32 msPerFrame = 10;       // the clock advances this much at the end of every frame
  Uint32 stopAfterFrames = 500; // the top-level loop is ended after this many frames
  std::function<void(Engine&)> everyFrame;  // runs after every frame, nested ones included

 private:
  std::map<Uint32, std::function<void(Engine&)>> actions_;
};

// Log text from the first occurrence of marker on (the whole log when absent).
std::string LogFrom(const std::string& log, const std::string& marker);

// Runs a chunk in the game's script state; a failing chunk fails the test.
void Lua(Engine& engine, const std::string& code);
// The value of a script expression as tostring writes it; a failing one fails the test.
std::string LuaValue(Engine& engine, const std::string& expression);
