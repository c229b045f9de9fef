// Fades: the gamma ramp over nested frames and its exact end values.
#include <gtest/gtest.h>

#include <map>

#include "support/game_harness.h"

namespace {

class FadeTest : public ::testing::Test {
 protected:
  void Run(const std::string& main, Uint32 frames) {
    game.Write("init.lua", "function Init() end\nfunction Main() " + main + " Exit() end\n");
    for (Uint32 frame = 1; frame <= frames; ++frame)
      game.At(frame, [this, frame](Engine& e) { gamma[frame] = e.core.gamma; });
    EXPECT_EQ(game.Run(), 0);
  }

  GameHarness game;
  std::map<Uint32, float> gamma;  // by frame number
};

TEST_F(FadeTest, FadeOutFallsSteadilyAndEndsOnBlack) {
  // 10 ms a frame: 100 fade frames, then one frame of the Wait.
  Run("FadeOut(1000) Wait(10)", 101);
  EXPECT_EQ(game.engine.timing.frameCounter, 101u);
  EXPECT_EQ(gamma[1], 1.0f);
  EXPECT_NEAR(gamma[51], 0.5f, 1e-6);  // 500 ms in
  for (Uint32 frame = 2; frame <= 100; ++frame) EXPECT_LT(gamma[frame], gamma[frame - 1]) << frame;
  EXPECT_GT(gamma[100], 0.0f);
  EXPECT_EQ(gamma[101], 0.0f);
}

TEST_F(FadeTest, FadeInAfterFadeOutEndsOnTheNormalDisplay) {
  Run("FadeOut(200) FadeIn(300) Wait(10)", 51);
  EXPECT_EQ(game.engine.timing.frameCounter, 51u);
  EXPECT_EQ(gamma[21], 0.0f);  // the fade in starts from black
  EXPECT_NEAR(gamma[36], 0.5f, 1e-6);
  EXPECT_LT(gamma[50], 1.0f);
  EXPECT_EQ(gamma[51], 1.0f);
}

TEST_F(FadeTest, ZeroOrMissingDurationsSetTheEndValueWithoutAFrame) {
  Run("FadeOut(0) Wait(10) FadeIn(0.9) Wait(10) FadeOut() Wait(10) FadeIn(-50) Wait(10)", 4);
  EXPECT_EQ(game.engine.timing.frameCounter, 4u);  // the waits' frames only
  EXPECT_EQ(gamma[1], 0.0f);
  EXPECT_EQ(gamma[2], 1.0f);
  EXPECT_EQ(gamma[3], 0.0f);
  EXPECT_EQ(gamma[4], 1.0f);
}

TEST_F(FadeTest, ASecondFadeOutStartsAgainFromTheNormalDisplay) {
  Run("FadeOut(0) FadeOut(100)", 10);
  EXPECT_EQ(gamma[1], 1.0f);
  EXPECT_NEAR(gamma[10], 0.1f, 1e-6);
}

TEST_F(FadeTest, AFadeAcrossTheWrapOfTheTickCounterLastsItsDuration) {
  game.clock.now = 0xFFFFFF00u;
  Run("FadeOut(1000)", 0);
  EXPECT_EQ(game.engine.timing.frameCounter, 100u);
}

}  // namespace
