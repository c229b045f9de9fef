// Input dispatch: keys, the close event, the pointer and the interaction modes.
#include <gtest/gtest.h>

#include "support/game_harness.h"

extern "C" {
#include <lauxlib.h>
}

namespace {

const char kIdleGame[] =
    "function Init() end\n"
    "function Main() end\n"
    "function DeInit() print('deinit') end\n";

TEST(Input, AnyKeyButF5EndsTheProgramAfterTheFrame) {
  for (SDLKey key : {SDLK_ESCAPE, SDLK_a, SDLK_LSHIFT}) {
    GameHarness game;
    game.Write("init.lua", kIdleGame);
    game.At(3, [key](Engine&) { GameHarness::PressKey(key); });
    game.Run();
    EXPECT_EQ(game.engine.timing.frameCounter, 4u) << key;
  }
}

TEST(Input, F5WithoutDebugModeDoesNothing) {
  GameHarness game;
  game.Write("init.lua", kIdleGame);
  game.At(3, [](Engine&) { GameHarness::PressKey(SDLK_F5); });
  game.stopAfterFrames = 10;
  game.Run();
  EXPECT_EQ(game.engine.timing.frameCounter, 10u);
  EXPECT_EQ(game.log.Text().find("<<< DeInit Scene >>>"), std::string::npos);
}

TEST(Input, F5InDebugModeReloadsTheRunningScene) {
  GameHarness game;
  game.Write("conf.lua", "DebugMode()");
  game.Write("init.lua",
             "loads = (loads or 0) + 1\n"
             "function Init() print('init ' .. loads) end\n"
             "function Main() end\n"
             "function DeInit() print('deinit') end\n");
  game.At(3, [](Engine&) { GameHarness::PressKey(SDLK_F5); });
  game.stopAfterFrames = 10;
  game.Run();
  EXPECT_NE(game.log.Text().find("<<< CALL GAMELOOP >>>\r\n<<< DeInit Scene >>>\r\ndeinit\n"
                                 "Load Script <<init.lua>>...OK\r\n<<< CALL INIT-FUNCTION >>>\r\ninit 2\n"
                                 "<<< CALL MAIN-FUNCTION >>>\r\n"),
            std::string::npos);
  EXPECT_EQ(game.engine.timing.frameCounter, 10u);
}

TEST(Input, ClosingTheWindowEndsTheProgram) {
  GameHarness game;
  game.Write("init.lua", kIdleGame);
  game.At(5, [](Engine&) { GameHarness::CloseWindow(); });
  game.Run();
  EXPECT_EQ(game.engine.timing.frameCounter, 6u);
}

TEST(Input, MovieModeFreezesThePointerUntilInteractAgain) {
  GameHarness game;
  game.Write("init.lua", kIdleGame);
  game.At(2, [](Engine&) { GameHarness::MoveMouse(100, 50); });
  game.At(4, [](Engine& e) {
    EXPECT_EQ(e.input.mouseX, 100);
    EXPECT_EQ(e.input.mouseY, 50);
    luaL_dostring(e.script.L, "SetMode('MOVIE')");
    GameHarness::MoveMouse(300, 200);
  });
  game.At(6, [](Engine& e) {
    EXPECT_EQ(e.input.mouseX, 100);
    luaL_dostring(e.script.L, "SetMode('interact')");  // lower case changes nothing
    EXPECT_FALSE(e.input.interactive);
    luaL_dostring(e.script.L, "SetMode('INTERACT')");
    GameHarness::MoveMouse(310, 210);
  });
  game.stopAfterFrames = 8;
  game.Run();
  EXPECT_EQ(game.engine.input.mouseX, 310);
  EXPECT_EQ(game.engine.input.mouseY, 210);
}

TEST(Input, ModesSetBothFlags) {
  GameHarness game;
  game.Write("init.lua",
             "function Init() SetMode('DECISION') end\n"
             "function Main() Exit() end\n");
  game.Run();
  EXPECT_FALSE(game.engine.input.interactive);
  EXPECT_TRUE(game.engine.input.decisionMode);
}

TEST(Input, AReleaseWithoutAPressDoesNotClick) {
  GameHarness game;
  game.Write("init.lua", kIdleGame);
  game.At(2, [](Engine& e) {
    SDL_Event up = {};
    up.type = up.button.type = SDL_MOUSEBUTTONUP;
    SDL_PushEvent(&up);
  });
  game.At(3, [](Engine& e) { EXPECT_FALSE(e.input.buttonPressed); });
  game.At(4, [](Engine& e) {
    SDL_Event down = {};
    down.type = down.button.type = SDL_MOUSEBUTTONDOWN;
    SDL_PushEvent(&down);
  });
  game.At(5, [](Engine& e) { EXPECT_TRUE(e.input.buttonPressed); });
  game.stopAfterFrames = 6;
  game.Run();
}

}  // namespace
