// Animation timing, play modes and the automatic replay, driven through the tick seam.
#include <gtest/gtest.h>

#include "engine/engine.h"
#include "scene/animation.h"
#include "support/game_harness.h"

namespace {

struct Timed {
  Engine engine;
  ManualClock clock;
  Animation animation;
  Timed(int frameRate, int frameCount) {
    clock.Attach(engine);
    animation.frameRate = frameRate;
    animation.frameCount = frameCount;
    animation.playing = true;
  }
  // One display frame of ms milliseconds.
  void Frame(Uint32 ms, bool walking = false, bool talking = false) {
    clock.now += ms;
    UpdateAnimation(engine, animation, ms * 0.001, walking, talking);
  }
};

TEST(Animation, AFrameAdvancesOnceItsTimeHasPassedAndTheRestIsDropped) {
  Timed t(10, 100);
  std::vector<int> frames;
  for (int i = 0; i < 12; ++i) {
    t.Frame(30);
    frames.push_back(t.animation.currentFrame);
  }
  // Ten frames a second at 30 ms a display frame: every fourth update.
  EXPECT_EQ(frames, (std::vector<int>{0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3}));
  EXPECT_DOUBLE_EQ(t.animation.elapsed, 0.0);  // the time beyond the frame time is dropped

  Timed third(3, 10);  // a frame lasts 333 ms
  third.Frame(332);
  EXPECT_EQ(third.animation.currentFrame, 0);
  third.Frame(1);
  EXPECT_EQ(third.animation.currentFrame, 1);
  Timed slow(10, 10);
  slow.Frame(200);  // at five display frames a second, one advance per update
  slow.Frame(200);
  EXPECT_EQ(slow.animation.currentFrame, 2);
}

TEST(Animation, AOneShotPlaysEachFrameOnceAndRestsOnTheFirst) {
  Timed t(10, 3);
  t.animation.mode = kOneShot;
  std::vector<int> shown;
  for (int i = 0; i < 3 && t.animation.playing; ++i) {
    shown.push_back(t.animation.currentFrame);
    t.Frame(100);
  }
  EXPECT_EQ(shown, (std::vector<int>{0, 1, 2}));
  EXPECT_FALSE(t.animation.playing);
  EXPECT_EQ(t.animation.currentFrame, 0);
  EXPECT_EQ(t.animation.nextStart, 0u);  // not auto-restarting: not armed
}

TEST(Animation, AnIdleAnimationReplaysAfterItsTimeout) {
  Timed t(10, 2);
  t.animation.playing = false;
  t.animation.autoRestart = true;
  t.animation.timeout = 500;
  t.Frame(1000);
  EXPECT_FALSE(t.animation.playing);  // a timeout alone starts nothing
  ArmTimeout(t.engine, t.animation);
  EXPECT_EQ(t.animation.nextStart, t.clock.now + 500);
  t.Frame(400);
  EXPECT_FALSE(t.animation.playing);
  t.Frame(100);  // the replay starts and its first frame time passes in the same update
  EXPECT_TRUE(t.animation.playing);
  EXPECT_EQ(t.animation.mode, kOneShot);
  EXPECT_EQ(t.animation.currentFrame, 1);
  t.Frame(100);
  EXPECT_FALSE(t.animation.playing);
  EXPECT_EQ(t.animation.currentFrame, 0);
  EXPECT_EQ(t.animation.nextStart, t.clock.now + 500);  // armed again at its end
  t.Frame(499);
  EXPECT_FALSE(t.animation.playing);
  t.Frame(1);
  EXPECT_TRUE(t.animation.playing);
  EXPECT_EQ(t.animation.framesPlayed, 0);  // the replay counts its one-shot afresh
}

TEST(Animation, WalkingAndTalkingModesStopWithTheirActivity) {
  Timed walk(10, 4);
  walk.animation.mode = kWhileWalking;
  walk.Frame(100, true);
  EXPECT_TRUE(walk.animation.playing);
  walk.Frame(100, false);
  EXPECT_FALSE(walk.animation.playing);
  EXPECT_EQ(walk.animation.currentFrame, 2);  // the stopping update still advanced
  Timed talk(10, 4);
  talk.animation.mode = kWhileTalking;
  talk.Frame(10, true, true);
  EXPECT_TRUE(talk.animation.playing);
  talk.Frame(10, true, false);
  EXPECT_FALSE(talk.animation.playing);
  Timed loop(10, 4);
  for (int i = 0; i < 9; ++i) loop.Frame(100);
  EXPECT_TRUE(loop.animation.playing);
  EXPECT_EQ(loop.animation.currentFrame, 1);
}

// No frame rate: a still picture. It never advances; as a one-shot its one
// showing is over at once, so waits for it end.
TEST(Animation, WithoutAFrameRateTheAnimationStandsStill) {
  Timed loop(0, 4);
  for (int i = 0; i < 5; ++i) loop.Frame(1000);
  EXPECT_TRUE(loop.animation.playing);
  EXPECT_EQ(loop.animation.currentFrame, 0);
  Timed once(0, 4);
  once.animation.mode = kOneShot;
  once.animation.autoRestart = true;
  once.Frame(10);
  EXPECT_FALSE(once.animation.playing);
  EXPECT_EQ(once.animation.nextStart, once.clock.now);
  Timed backwards(-5, 4);
  backwards.Frame(1000);
  EXPECT_EQ(backwards.animation.currentFrame, 0);
}

TEST(Animation, AFrameBeyondTheStripWrapsToTheFirstAtTheNextAdvance) {
  Animation animation;
  animation.frameCount = 4;
  for (int frame : {7, 2147483647}) {
    animation.currentFrame = frame;
    Advance(animation);
    EXPECT_EQ(animation.currentFrame, 0) << frame;
  }
}

}  // namespace
