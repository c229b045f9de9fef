// The game harness: a fresh engine, a test clock and captured log per run.
#include "support/game_harness.h"

#include <cstdlib>

#include "core/startup.h"

namespace {

// Headless SDL for every test, also when the binary is run by hand.
struct HeadlessDrivers {
  HeadlessDrivers() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
  }
} headless;

}  // namespace

GameHarness::GameHarness() { clock.Attach(engine); }

GameHarness::~GameHarness() = default;

int GameHarness::Run() {
  WorkingDirectory inGame(dir.path());
  engine.core.frameHook = [this](Engine& e) {
    clock.now += msPerFrame;
    auto action = actions_.find(e.timing.frameCounter);
    if (action != actions_.end()) action->second(e);
    if (everyFrame) everyFrame(e);
    if (e.timing.frameCounter >= stopAfterFrames) e.core.running = false;
  };
  return RunEngine(engine);
}

void GameHarness::MoveMouse(int x, int y) { SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y)); }

void GameHarness::Click(int x, int y, Uint8 button) {
  SDL_Event event = {};
  event.type = SDL_MOUSEBUTTONDOWN;
  event.button.type = SDL_MOUSEBUTTONDOWN;
  event.button.button = button;
  event.button.state = SDL_PRESSED;
  event.button.x = static_cast<Uint16>(x);
  event.button.y = static_cast<Uint16>(y);
  SDL_PushEvent(&event);
  event.type = event.button.type = SDL_MOUSEBUTTONUP;
  event.button.state = SDL_RELEASED;
  SDL_PushEvent(&event);
}

void GameHarness::PressKey(SDLKey key) {
  SDL_Event event = {};
  event.type = event.key.type = SDL_KEYDOWN;
  event.key.state = SDL_PRESSED;
  event.key.keysym.sym = key;
  SDL_PushEvent(&event);
}

void GameHarness::CloseWindow() {
  SDL_Event event = {};
  event.type = SDL_QUIT;
  SDL_PushEvent(&event);
}

std::string LogFrom(const std::string& log, const std::string& marker) {
  size_t at = log.find(marker);
  return at == std::string::npos ? log : log.substr(at);
}
