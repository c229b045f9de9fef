// Animation timing, play modes and the automatic replay, driven through the tick seam.
#include <gtest/gtest.h>

#include <sstream>

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

// Plays the display frames of steps ("30" is a frame of 30 ms, "100w" one
// while walking, "10wt" walking and talking, "30*12" twelve frames of 30 ms)
// and writes the current frame after each, with a dot once it stopped playing.
std::string Trace(Timed& t, const std::string& steps) {
  std::istringstream words(steps);
  std::string trace;
  for (std::string word; words >> word;) {
    size_t times = word.find('*');
    int count = times == std::string::npos ? 1 : std::stoi(word.substr(times + 1));
    for (int i = 0; i < count; ++i) {
      t.Frame(std::stoi(word), word.find('w') != std::string::npos, word.find('t') != std::string::npos);
      trace += (trace.empty() ? "" : " ") + std::to_string(t.animation.currentFrame) + (t.animation.playing ? "" : ".");
    }
  }
  return trace;
}

TEST(Animation, FramesAdvanceOnTimeAndEachModeStopsWhenItShould) {
  struct Case {
    const char* what;
    int frameRate, frameCount, mode;
    const char* steps;
    const char* trace;
  } cases[] = {
      // Ten frames a second at 30 ms a display frame: every fourth update, the
      // time beyond the frame time dropped.
      {"loop", 10, 100, kLoop, "30*12", "0 0 0 1 1 1 1 2 2 2 2 3"},
      {"whole milliseconds", 3, 10, kLoop, "332 1", "0 1"},        // a frame lasts 333 ms
      {"slow display", 10, 10, kLoop, "200 200", "1 2"},           // one advance per update at most
      {"loop wraps", 10, 4, kLoop, "100*9", "1 2 3 0 1 2 3 0 1"},
      {"one-shot", 10, 3, kOneShot, "100*4", "1 2 0. 0."},        // each frame once, resting on the first
      {"while walking", 10, 4, kWhileWalking, "100w 100", "1 2."},  // the stopping update still advances
      {"while talking", 10, 4, kWhileTalking, "10wt 10w", "0 0."},
      // No frame rate: a still picture that never advances; as a one-shot its one showing is over at once.
      {"still", 0, 4, kLoop, "1000*5", "0 0 0 0 0"},
      {"still one-shot", 0, 4, kOneShot, "10", "0."},
      {"negative rate", -5, 4, kLoop, "1000", "0"},
  };
  for (const Case& c : cases) {
    Timed t(c.frameRate, c.frameCount);
    t.animation.mode = c.mode;
    EXPECT_EQ(Trace(t, c.steps), c.trace) << c.what;
    EXPECT_EQ(t.animation.nextStart, 0u) << c.what;  // not auto-restarting: never armed
  }
  Timed once(0, 4);
  once.animation.mode = kOneShot;
  once.animation.autoRestart = true;
  EXPECT_EQ(Trace(once, "10"), "0.");
  EXPECT_EQ(once.animation.nextStart, once.clock.now);  // armed at its end

  Animation animation;
  animation.frameCount = 4;
  for (int frame : {7, 2147483647}) {
    animation.currentFrame = frame;
    Advance(animation);
    EXPECT_EQ(animation.currentFrame, 0) << frame;
  }
}

TEST(Animation, AnIdleAnimationReplaysAfterItsTimeout) {
  Timed t(10, 2);
  t.animation.playing = false;
  t.animation.autoRestart = true;
  t.animation.timeout = 500;
  EXPECT_EQ(Trace(t, "1000"), "0.");  // a timeout alone starts nothing
  ArmTimeout(t.engine, t.animation);
  // 500 ms on, the replay starts and its first frame time passes in the same
  // update; at its end it is armed again for 500 ms more.
  EXPECT_EQ(Trace(t, "400 100 100 499 1"), "0. 1 0. 0. 0");
  EXPECT_EQ(t.animation.mode, kOneShot);
  EXPECT_EQ(t.animation.framesPlayed, 0);  // the replay counts its one-shot afresh
}

}  // namespace
