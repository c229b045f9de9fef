// Frame composition: draw order by foot line, hidden objects, scrolling, cursor.
#include <gtest/gtest.h>

#include "engine/game_fixtures.h"

namespace {

// Rows on the grey background of the hero scene: red and blue objects of
// 20 x 20, green ones of 20 x 30 (icon.bmp), and the pixels they log.
TEST(Compose, DrawOrderFollowsTheFootLineAndHiddenObjectsAreNotDrawn) {
  ExpectRows({
      // Foot lines 300, 100, 200 through the hotspots, all drawn at (50, 50); of
      // equal foot lines the later-created object is drawn on top.
      {"MakeObject('first', '', 50, 50) SetHotSpot('first', 'still', 0, 250) "
       "MakeObject('second', '', 50, 50, 'icon.bmp') SetHotSpot('second', 'still', 0, 50) "
       "MakeObject('third', '', 50, 50, 'blue.bmp') SetHotSpot('third', 'still', 0, 150) "
       "MakeObject('early', '', 200, 50) MakeObject('late', '', 200, 50, 'icon.bmp')",
       {"pixel 55 55", "pixel 205 55"}, "PIXEL (200,0,0)\nPIXEL (0,200,0)\n"},
      // Hotspot positioning: feet at 250, drawn from 240 and behind the blue one
      // (feet at 255); without it the red one is drawn from 250, feet at 260, in front.
      {"MakeObject('feet', '', 100, 250) SetHotSpot('feet', 'still', 0, 10) HotSpotPositionOn('feet') "
       "MakeObject('top', '', 100, 225, 'blue.bmp') SetHotSpot('top', 'still', 0, 30)",
       {"pixel 105 242", "pixel 105 245", "lua HotSpotPositionOff('feet')", "pixel 105 245", "pixel 105 255"},
       "PIXEL (0,0,200)\nPIXEL (200,0,0)\nPIXEL (90,90,90)\nPIXEL (200,0,0)\n"},
      // A hidden object takes its place in the order but is not drawn, nor is one whose image is gone.
      {"MakeObject('shown', '', 20, 20) MakeObject('hidden', '', 20, 20, 'blue.bmp') Hide('hidden') "
       "SetPos('hidden', 20, 0)",
       {"pixel 25 15", "pixel 25 25", "lua UnloadAnim('shown', 'still') Show('hidden')", "pixel 25 25", "pixel 25 15"},
       "PIXEL (90,90,90)\nPIXEL (200,0,0)\nPIXEL (90,90,90)\nPIXEL (0,0,200)\n"},
      // The cursor's top-left pixel is the pointer, drawn only when shown and loaded.
      {"", {"lua ShowCursor()", "move 200 100", "pixel 200 100", "lua HideCursor() LoadCursor('icon.bmp')",
            "pixel 200 100", "lua ShowCursor() LoadCursor('missing.bmp')", "pixel 200 100", "pixel 229 129",
            "pixel 230 130", "pixel 199 99"},
       "PIXEL (90,90,90)\nlade Bild icon.bmp.....OK\r\nPIXEL (90,90,90)\nlade Bild missing.bmp.ERR\r\n"
       "PIXEL (0,200,0)\nPIXEL (0,200,0)\nPIXEL (90,90,90)\nPIXEL (90,90,90)\n"},
      // MOVIE mode freezes the pointer until INTERACT (a lower-case mode word changes nothing).
      {"ShowCursor() LoadCursor('icon.bmp')",
       {"move 100 50", "lua SetMode('MOVIE')", "move 300 200", "pixel 300 200", "pixel 100 50",
        "lua SetMode('interact')", "move 310 210", "pixel 310 210", "lua SetMode('INTERACT')", "move 320 220",
        "pixel 320 220"},
       "PIXEL (90,90,90)\nPIXEL (0,200,0)\nPIXEL (90,90,90)\nPIXEL (0,200,0)\n"},
  }, "LoadBackground('grey.bmp') ");
}

// The hero walks right at 10 pixels a frame; records (scroll x, hero x before the frame's move).
std::vector<std::pair<int, float>> WalkRight(int backgroundWidth) {
  GameHarness game;
  WriteSceneGame(game, "LoadBackground('scene.bmp') MakeObject('hero', 'Hero', 100, 300) SetHero('hero') "
                       "SetSpeed('hero', 1000) Goto('hero', 1270, 300)");
  SaveBmp(Paint(backgroundWidth, 480, kGrey), game.Path("scene.bmp"));
  std::vector<std::pair<int, float>> trace;
  float before = 100;
  game.stopAfterFrames = 129;
  game.everyFrame = [&](Engine& e) {
    trace.emplace_back(e.scene.scrollX, before);
    before = e.cast.hero->x;
  };
  game.Run();
  return trace;
}

TEST(Compose, TheViewFollowsTheHeroAcrossAWideBackgroundButNotANarrowOne) {
  std::vector<std::pair<int, float>> trace = WalkRight(1280);
  bool reachedCentre = false;
  for (auto [scroll, x] : trace) {
    if (x < 320) {
      EXPECT_EQ(scroll, 0) << x;
    } else if (scroll > -640 + 10 && x < 950) {
      reachedCentre = true;
      EXPECT_GE(scroll + x, 320) << x;  // the hero stays on the centre line
      EXPECT_LT(scroll + x, 321) << x;
    }
    EXPECT_GE(scroll, -640 - 10) << x;  // past the edge by one step at most, to the end
  }
  EXPECT_TRUE(reachedCentre);
  // Stopped where the background's right edge met the screen's, give or take the last step.
  EXPECT_LE(trace.back().first, -640);

  for (auto [scroll, x] : WalkRight(640)) EXPECT_EQ(scroll, 0) << x;
}

}  // namespace
