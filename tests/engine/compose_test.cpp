// Frame composition: draw order by foot line, hidden objects, scrolling, cursor.
#include <gtest/gtest.h>

#include "engine/game_fixtures.h"
#include "scene/movement.h"

namespace {

Rgb Screen(Engine& e, int x, int y) { return PixelAt(e.core.screen, x, y); }

// A game with a grey 640 x 480 background and 10 x 10 pictures in red, green, blue.
struct Scene : GameHarness {
  Scene() {
    SaveBmp(Paint(640, 480, kGrey), Path("bg.bmp"));
    SaveBmp(Paint(10, 10, kRed), Path("red.bmp"));
    SaveBmp(Paint(10, 10, kGreen), Path("green.bmp"));
    SaveBmp(Paint(10, 50, kBlue), Path("blue.bmp"));
    Write("init.lua",
          "function Init() LoadBackground('bg.bmp') end\n"
          "function Main() end\n"
          "function Place(id, file, x, y, hx, hy)\n"
          "  CreateObject(id) LoadAnim(id, 'a', file, 10, 10, hx, hy, 1, 1) SetAnim(id, 'a')\n"
          "  SetPos(id, x, y) Show(id)\n"
          "end\n");
  }
};

// Rows of steps on the scene above (see RunSteps) and the pixels they log.
TEST(Compose, DrawOrderFollowsTheFootLineAndHiddenObjectsAreNotDrawn) {
  struct Case {
    const char* what;
    std::vector<std::string> steps;
    const char* log;
  } cases[] = {
      // Foot lines 300, 100, 200 through the hotspots, all drawn at (50, 50); of
      // equal foot lines the later-created object is drawn on top.
      {"foot lines",
       {"lua Place('first', 'red.bmp', 50, 50, 0, 250) Place('second', 'green.bmp', 50, 50, 0, 50)"
        " Place('third', 'blue.bmp', 50, 50, 0, 150)"
        " Place('early', 'red.bmp', 200, 50, 0, 0) Place('late', 'green.bmp', 200, 50, 0, 0)",
        "pixel 55 55", "pixel 205 55"},
       "lade Bild red.bmp.....OK\r\nlade Bild green.bmp.....OK\r\nlade Bild blue.bmp.....OK\r\n"
       "PIXEL (200,0,0)\nPIXEL (0,200,0)\n"},
      // Feet at 250, frame from 240; feet at 200 + 60 = 260, frame from 200 to
      // 249. Without hotspot positioning the first is drawn from 250, feet at 260.
      {"hotspot positioning",
       {"lua Place('feet', 'red.bmp', 100, 250, 0, 10) HotSpotPositionOn('feet') Place('top', 'blue.bmp', 100, 200, 0, 60)",
        "pixel 105 245", "pixel 105 238", "lua HotSpotPositionOff('feet')", "pixel 105 255"},
       "lade Bild red.bmp.....OK\r\nlade Bild blue.bmp.....OK\r\nPIXEL (0,0,200)\nPIXEL (0,0,200)\nPIXEL (200,0,0)\n"},
      // A hidden object takes its place in the order but is not drawn, nor is one whose image is gone.
      {"hidden",
       {"lua Place('shown', 'red.bmp', 20, 20, 0, 0) Place('hidden', 'green.bmp', 20, 20, 0, 0) Hide('hidden')"
        " SetPos('hidden', 20, 10)",
        "pixel 25 15", "pixel 25 25", "lua UnloadAnim('shown', 'a') Show('hidden')", "pixel 25 25", "pixel 25 15"},
       "lade Bild red.bmp.....OK\r\nlade Bild green.bmp.....OK\r\n"
       "PIXEL (90,90,90)\nPIXEL (200,0,0)\nPIXEL (90,90,90)\nPIXEL (0,200,0)\n"},
  };
  for (const Case& c : cases) {
    Scene game;
    RunSteps(game, c.steps);
    game.Run();
    EXPECT_EQ(FrameLog(game), c.log) << c.what;
  }
}

// The hero walks right at 10 pixels a frame; records (scroll x, hero x before the frame's move).
std::vector<std::pair<int, float>> WalkRight(int backgroundWidth) {
  Scene game;
  SaveBmp(Paint(backgroundWidth, 480, kGrey), game.Path("scene.bmp"));
  std::vector<std::pair<int, float>> trace;
  float before = 0;
  game.At(1, [&](Engine& e) {
    Lua(e, "LoadBackground('scene.bmp') Place('hero', 'red.bmp', 100, 300, 0, 0) SetHero('hero') SetSpeed('hero', 1000)");
    HeadTowards(e, *e.scene.hero, 1270, 300);
    before = e.scene.hero->x;
  });
  game.stopAfterFrames = 130;
  game.everyFrame = [&](Engine& e) {
    if (e.timing.frameCounter < 2 || e.timing.frameCounter >= 130) return;
    trace.emplace_back(e.view.scrollX, before);
    before = e.scene.hero->x;
  };
  game.Run();
  return trace;
}

TEST(Compose, TheViewFollowsTheHeroAcrossAWideBackgroundButNotANarrowOne) {
  std::vector<std::pair<int, float>> trace = WalkRight(1280);
  ASSERT_EQ(trace.size(), 128u);
  bool reachedCentre = false;
  for (auto [scroll, x] : trace) {
    if (x < 320) {
      EXPECT_EQ(scroll, 0) << x;
    } else if (scroll > -640 + 10 && x < 950) {
      reachedCentre = true;
      EXPECT_GE(scroll + x, 320) << x;  // the hero stays on the centre line
      EXPECT_LT(scroll + x, 321) << x;
    }
    EXPECT_GE(scroll, -640 - 10) << x;  // past the edge by one step at most
  }
  EXPECT_TRUE(reachedCentre);
  // Stopped where the background's right edge met the screen's, give or take the last step.
  EXPECT_LE(trace.back().first, -640);
  EXPECT_GE(trace.back().first, -650);

  for (auto [scroll, x] : WalkRight(640)) EXPECT_EQ(scroll, 0) << x;
}

TEST(Compose, TheCursorIsDrawnAtThePointerOnlyWhenShownAndLoaded) {
  Scene game;
  SaveBmp(Paint(4, 4, kWhite, {{2, 2, 2, 2, kMagenta}}), game.Path("cursor.bmp"));
  game.At(1, [](Engine& e) {
    GameHarness::MoveMouse(200, 100);
    Lua(e, "ShowCursor()");
  });
  game.At(3, [](Engine& e) {
    EXPECT_EQ(e.input.mouseX, 200);
    EXPECT_EQ(Screen(e, 200, 100), kGrey);  // shown, but there is no image
    Lua(e, "HideCursor() LoadCursor('cursor.bmp')");
  });
  game.At(4, [](Engine& e) {
    EXPECT_EQ(Screen(e, 200, 100), kGrey);  // loaded, but hidden
    Lua(e, "ShowCursor() LoadCursor('missing.bmp')");
  });
  game.At(5, [](Engine& e) {
    EXPECT_EQ(Screen(e, 200, 100), kWhite);  // its top-left pixel is the pointer
    EXPECT_EQ(Screen(e, 203, 103), kGrey);
    EXPECT_EQ(Screen(e, 199, 99), kGrey);
  });
  game.stopAfterFrames = 5;
  game.Run();
}

}  // namespace
