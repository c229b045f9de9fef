// The frame loop's timing and the plain waits.
#include <gtest/gtest.h>

#include "scene_fixtures.h"
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

// A talking object the waits below watch.
void WriteTalker(GameHarness& game, const std::string& main) {
  scene_test::WriteBmp(game, "red.bmp", scene_test::Paint(10, 10, scene_test::kRed));
  game.Write("init.lua",
             "function Init() CreateObject('a') LoadAnim('a', 's', 'red.bmp', 10, 10, 0, 0, 1, 1)\n"
             "  SetAnim('a', 's') Show('a') end\n"
             "function Main()\n" + main + "\nExit() end\n");
}

TEST(FrameLoop, AClickEndsATalkingWaitAndTheFlagsComeBack) {
  GameHarness game;
  // 12 bytes of speech last 960 ms, far beyond the click in frame 5.
  WriteTalker(game, "ShowCursor() SayText('a', 'twelve bytes') WaitFor('a', 'TALKING') print('done')");
  game.At(2, [](Engine& e) {
    EXPECT_FALSE(e.input.interactive);
    EXPECT_FALSE(e.view.cursorVisible);
    EXPECT_TRUE(e.timing.waiting);
  });
  game.At(5, [](Engine&) { GameHarness::Click(50, 50); });
  game.Run();
  EXPECT_EQ(game.engine.timing.frameCounter, 6u);
  EXPECT_FALSE(game.engine.scene.objects.Get("a")->talking);
  EXPECT_TRUE(game.engine.input.interactive);
  EXPECT_TRUE(game.engine.view.cursorVisible);
}

TEST(FrameLoop, AWaitInDecisionModeLeavesInteractionOff) {
  GameHarness game;
  WriteTalker(game, "SetMode('DECISION') WaitFor('a', 'WALKING')");
  game.Run();
  EXPECT_EQ(game.engine.timing.frameCounter, 1u);  // not walking: one frame
  EXPECT_FALSE(game.engine.input.interactive);
  EXPECT_FALSE(game.engine.view.cursorVisible);
}

TEST(FrameLoop, AnUnknownWaitKindReturnsAtOnce) {
  GameHarness game;
  WriteTalker(game, "WaitFor('a', 'walking')");
  game.Run();
  EXPECT_EQ(game.engine.timing.frameCounter, 0u);
  EXPECT_NE(game.log.Text().find("WaitFor(a): unknown kind <<walking>>, not waiting\r\n"), std::string::npos);
  EXPECT_TRUE(game.engine.input.interactive);
}

}  // namespace
