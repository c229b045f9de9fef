// The frame loop: the plain waits, fades over nested frames, and WaitFor's flags.
#include <gtest/gtest.h>

#include <map>

#include "engine/game_fixtures.h"
#include "scene/adventure_object.h"

namespace {

// Runs main and records the gamma after every frame; whatever the fades left,
// the display's gamma is back at 1 after shutdown.
std::map<Uint32, float> Gamma(const std::string& main, Uint32 frames, Uint32 startTicks = 1000) {
  GameHarness game;
  game.clock.now = startTicks;
  game.Write("init.lua", "function Init() end\nfunction Main() " + main + " Exit() end\n");
  std::map<Uint32, float> gamma;
  game.everyFrame = [&](Engine& e) { gamma[e.timing.frameCounter] = e.core.gamma; };
  EXPECT_EQ(game.Run(), 0);
  EXPECT_EQ(game.engine.timing.frameCounter, frames) << main;
  EXPECT_EQ(game.engine.core.gamma, 1.0f) << main;
  return gamma;
}

TEST(Fade, FadesRunOverFramesAndEndOnTheirValue) {
  // 10 ms a frame: 100 fade frames, then one frame of the Wait.
  std::map<Uint32, float> gamma = Gamma("FadeOut(1000) Wait(10)", 101);
  EXPECT_EQ(gamma[1], 1.0f);
  EXPECT_NEAR(gamma[51], 0.5f, 1e-6);  // 500 ms in
  for (Uint32 frame = 2; frame <= 100; ++frame) EXPECT_LT(gamma[frame], gamma[frame - 1]) << frame;
  EXPECT_GT(gamma[100], 0.0f);
  EXPECT_EQ(gamma[101], 0.0f);

  gamma = Gamma("FadeOut(200) FadeIn(300) Wait(10)", 51);
  EXPECT_EQ(gamma[21], 0.0f);  // the fade in starts from black
  EXPECT_NEAR(gamma[36], 0.5f, 1e-6);
  EXPECT_LT(gamma[50], 1.0f);
  EXPECT_EQ(gamma[51], 1.0f);
  EXPECT_NEAR(Gamma("FadeOut(0) FadeOut(100)", 10)[10], 0.1f, 1e-6);  // the second fade starts from full
  Gamma("FadeOut(1000)", 100, 0xFFFFFF00u);  // across the wrap of the tick counter: still 100 frames
}

// Waits of 10 ms run one frame of 10 ms; waits and fades of zero, less or no
// time run none.
TEST(Fade, ZeroOrMissingDurationsSetTheEndValueWithoutAFrame) {
  std::map<Uint32, float> gamma = Gamma(
      "Wait(0) Wait(-100) Wait() FadeOut(0) Wait(10) FadeIn(0.9) Wait(10) FadeOut() Wait(10) FadeIn(-50) Wait(10)", 4);
  EXPECT_EQ(gamma, (std::map<Uint32, float>{{1, 0.0f}, {2, 1.0f}, {3, 0.0f}, {4, 1.0f}}));  // the waits' frames only
}

// While a wait runs the game is not interactive and the cursor hidden; after
// it both are as before, DECISION mode staying non-interactive.
TEST(WaitFor, AClickEndsATalkingWaitAndUnknownKindsReturnAtOnce) {
  struct Case {
    const char* main;
    Uint32 frames;
    bool interactive;
    const char* log;
  } cases[] = {
      // 12 bytes of speech last 960 ms, far beyond the click in frame 5.
      {"SayText('a', 'twelve bytes') WaitFor('a', 'TALKING')", 6, true, nullptr},
      {"WaitFor('a', 'walking')", 0, true, "WaitFor(a): unknown kind <<walking>>, not waiting\r\n"},
      {"SetMode('DECISION') WaitFor('a', 'WALKING')", 1, false, nullptr},  // not walking: one frame
  };
  for (const Case& c : cases) {
    GameHarness game;  // a talking object the waits watch
    SaveBmp(Paint(10, 10, kRed), game.Path("red.bmp"));
    game.Write("init.lua",
               "function Init() ShowCursor() CreateObject('a') LoadAnim('a', 's', 'red.bmp', 10, 10, 0, 0, 1, 1)\n"
               "  SetAnim('a', 's') Show('a') end\n"
               "function Main()\n" + std::string(c.main) + "\nExit() end\n");
    game.At(2, [](Engine& e) {
      EXPECT_FALSE(e.input.interactive || e.view.cursorVisible);
      EXPECT_TRUE(e.timing.waiting);
    });
    game.At(5, [](Engine&) { GameHarness::Click(50, 50); });
    game.Run();
    EXPECT_EQ(game.engine.timing.frameCounter, c.frames) << c.main;
    EXPECT_FALSE(game.engine.cast.objects.Get("a")->talking);
    EXPECT_EQ(game.engine.input.interactive, c.interactive) << c.main;
    EXPECT_TRUE(game.engine.view.cursorVisible) << c.main;
    EXPECT_EQ(game.engine.input.decisionMode, !c.interactive) << c.main;
    EXPECT_FALSE(game.engine.timing.waiting);
    if (c.log) EXPECT_NE(game.log.Text().find(c.log), std::string::npos) << c.main << "\n" << game.log.Text();
  }
}

}  // namespace
