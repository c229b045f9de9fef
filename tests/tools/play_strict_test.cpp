// quillon-play --strict fails at the first diagnostic; a game that ends the process still gets its report.
#include <gtest/gtest.h>

#include <iostream>

#include "play/play_tool.h"
#include "support/game_harness.h"
#include "support/tool_run.h"

namespace {

const char kReplay[] = "# one line of comment\nwait 3 frames\nkey ESCAPE\nexpect exit within 5 frames\n";

TEST(PlayStrict, TheFirstDiagnosticFailsTheRunAtItsStep) {
  GameHarness game;  // only writes the folder
  game.Write("init.lua",
             "function Init() CreateObject('lantern') end\n"
             "function Main() print('main') end\n"
             "function DeInit() end\n");
  game.Write("test.replay", kReplay);
  ToolResult clean = RunTool(RunPlayTool, {game.Path("test.replay"), "--strict", "--quiet"});
  EXPECT_EQ(clean.status, 0) << clean.err;

  game.Write("init.lua",
             "function Init() CreateObject('lantern') end\n"
             "function Main() print('main')\n"
             "  Show('lantren') end\n");
  ToolResult lenient = RunTool(RunPlayTool, {game.Path("test.replay"), "--quiet"});
  EXPECT_EQ(lenient.status, 0) << lenient.err;
  ToolResult strict = RunTool(RunPlayTool, {game.Path("test.replay"), "--strict", "--quiet"});
  EXPECT_EQ(strict.status, 1);
  EXPECT_NE(strict.err.find("quillon-play: FAILED at " + game.Path("test.replay") +
                            ":2: wait 3 frames\n  a diagnostic (--strict): init.lua:3: Show: no object \"lantren\" "
                            "(nearest: \"lantern\")\nlast "),
            std::string::npos)
      << strict.err;
  EXPECT_NE(strict.err.find("  | main\n"), std::string::npos) << strict.err;
}

TEST(PlayStrictDeathTest, AScriptErrorThatEndsTheProcessStillNamesTheStepAndTheLog) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  GameHarness game;
  game.Write("init.lua",
             "function Init() end\n"
             "function Main() end\n"
             "function DeInit() print('leaving') error('the lamp broke') end\n");
  game.Write("test.replay", "wait 2 frames\nkey F5\nwait 2 frames\nexpect exit\n");
  game.Write("conf.lua", "DebugMode()");
  std::string replay = game.Path("test.replay");
  const char* argv[] = {replay.c_str(), "--quiet"};
  EXPECT_EXIT(RunPlayTool(2, argv, std::cout, std::cerr), testing::ExitedWithCode(1),
              "in function <init.lua:3>\n.*PANIC: unprotected error in call to Lua API .*quillon-play: FAILED at "
              ".*test.replay:3: wait 2 frames\n  the game ended the process .*\n  \\| leaving\n");
}

}  // namespace
