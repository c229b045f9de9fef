// The frame loop's timing and the plain waits.
#include <gtest/gtest.h>

#include "support/game_harness.h"

namespace {

TEST(FrameLoop, WaitRunsFramesUntilTheTimeHasPassed) {
  GameHarness game;
  game.Write("init.lua",
             "function Init() end\n"
             "function Main() Wait(500) Exit() end\n");
  game.Run();
  // 10 ms a frame: frames at 1000, 1010, ... until the clock reaches 1500.
  EXPECT_EQ(game.engine.timing.frameCounter, 50u);
}

TEST(FrameLoop, WaitOfZeroOrLessRunsNoFrame) {
  GameHarness game;
  game.Write("init.lua",
             "function Init() end\n"
             "function Main() Wait(0) Wait(-100) Wait() Exit() end\n");
  game.Run();
  EXPECT_EQ(game.engine.timing.frameCounter, 0u);
}

TEST(FrameLoop, TheTimeFactorIsTheLengthOfThePreviousFrame) {
  GameHarness game;
  game.Write("init.lua", "function Init() end function Main() end");
  game.msPerFrame = 25;
  game.At(3, [](Engine& e) {
    EXPECT_EQ(e.timing.frameDelta, 25u);
    EXPECT_DOUBLE_EQ(e.timing.timeFactor, 0.025);
  });
  game.stopAfterFrames = 3;
  game.Run();
  EXPECT_DOUBLE_EQ(game.engine.timing.timeFactorSum, 0.05);  // the first loop frame measures 0
}

TEST(FrameLoop, WaitForAnUnknownObjectRestoresTheFlags) {
  GameHarness game;
  game.Write("init.lua",
             "function Init() ShowCursor() end\n"
             "function Main() WaitFor('nobody', 'WALKING') Exit() end\n");
  game.Run();
  EXPECT_NE(game.log.Text().find("<<< CALL MAIN-FUNCTION >>>\r\nException catched in lua_WaitFor\r\n"),
            std::string::npos);
  EXPECT_EQ(game.engine.timing.frameCounter, 0u);
  EXPECT_TRUE(game.engine.input.interactive);
  EXPECT_TRUE(game.engine.view.cursorVisible);
  EXPECT_FALSE(game.engine.timing.waiting);
}

}  // namespace
