// The game harness: a fresh engine, a test clock and captured log per run.
#include "support/game_harness.h"

#include <gtest/gtest.h>

extern "C" {
#include <lauxlib.h>
}

#include <cstdlib>

#include "core/startup.h"
#include "core/input_events.h"

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

void GameHarness::MoveMouse(int x, int y) { MovePointer(x, y); }

void GameHarness::Click(int x, int y, Uint8 button) { PushClick(button, x, y); }

std::string LogFrom(const std::string& log, const std::string& marker) {
  size_t at = log.find(marker);
  return at == std::string::npos ? log : log.substr(at);
}

void Lua(Engine& engine, const std::string& code) {
  ASSERT_EQ(luaL_dostring(engine.script.L, code.c_str()), 0) << code << ": " << lua_tostring(engine.script.L, -1);
}

std::string LuaValue(Engine& engine, const std::string& expression) {
  lua_State* L = engine.script.L;
  bool ran = luaL_dostring(L, ("return tostring(" + expression + ")").c_str()) == 0;
  size_t length = 0;
  const char* text = lua_tolstring(L, -1, &length);
  std::string value(text ? text : "", length);
  lua_pop(L, 1);
  EXPECT_TRUE(ran) << expression << ": " << value;
  return value;
}
