// Frame composition: draw order by foot line, hidden objects, scrolling, cursor.
#include <gtest/gtest.h>

#include "engine/game_fixtures.h"
#include "scene/hit_test.h"

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

// A 20 x 20 picture of blocks that nearest-neighbour scaling keeps as
// blocks at 50 % and 150 %: red top-left, a magenta (unseen) corner, blue.
SDL_Surface* Blocks(int percent) {
  auto at = [percent](int length) { return length * percent / 100; };
  return Paint(at(20), at(20), kBlue, {{0, 0, at(10), at(10), kRed}, {at(14), 0, at(6), at(6), kMagenta}});
}

// The screen after the hero has stood a few frames with its feet at (320,
// foot); with check, every point near it is asked whether it hits the hero.
std::vector<Rgb> Shoot(const std::string& setUp, int foot, bool check) {
  GameHarness game;
  WriteSceneGame(game, "LoadBackground('grey.bmp') CreateObject('hero') SetHero('hero') HotSpotPositionOn('hero') " +
                           setUp + FormatText(" SetPos('hero', 320, %d) Show('hero')", foot));
  for (int percent : {50, 100, 150}) SaveBmp(Blocks(percent), game.Path(FormatText("blocks%d.bmp", percent)));
  std::vector<Rgb> pixels;
  game.stopAfterFrames = 4;
  game.At(3, [&](Engine& e) {
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) pixels.push_back(PixelAt(e.core.screen, x, y));
    if (!check) return;
    for (int y = foot - 40; y <= foot + 2; ++y)
      for (int x = 290; x <= 350; ++x)
        EXPECT_EQ(HitAt(e, *e.cast.hero, x, y), pixels[y * 640 + x] != kGrey) << x << "," << y << " feet at " << foot;
  });
  game.Run();
  return pixels;
}

// Far (foot line 100 and above) at 50 %, near (300 and below) at 150 %:
// drawn as the picture scaled beforehand, about the feet, and hit exactly
// where drawn; the hero's own frame of 20 x 20 at every depth.
TEST(Compose, DepthScaleDrawsAndHitsAsThePictureScaledBeforehand) {
  const std::vector<std::pair<int, int>> feetAndScales = {{60, 50}, {100, 50}, {200, 100}, {300, 150}, {400, 150}};
  for (auto [foot, percent] : feetAndScales) {
    std::vector<Rgb> scaled = Shoot("SetDepthScale(100, 50, 300, 150) "
                                    "LoadAnim('hero', 'a', 'blocks100.bmp', 20, 20, 10, 20, 1, 1) SetAnim('hero', 'a')",
                                    foot, true);
    int size = 20 * percent / 100;
    std::vector<Rgb> reference =
        Shoot(FormatText("LoadAnim('hero', 'a', 'blocks%d.bmp', %d, %d, %d, %d, 1, 1) SetAnim('hero', 'a')", percent,
                         size, size, size / 2, size),
              foot, false);
    ASSERT_EQ(scaled.size(), reference.size());
    int differ = 0;
    for (size_t i = 0; i < scaled.size(); ++i) differ += scaled[i] != reference[i];
    EXPECT_EQ(differ, 0) << "feet at " << foot;
  }
}

TEST(Compose, DepthScaleSpeedsWhoTakesPartAndBadScales) {
  const char kScale[] = "SetDepthScale(100, 50, 400, 200) ";
  ExpectRows({
      // The hero (feet at 300, its hotspot at its top-left) is drawn at 150 %,
      // 30 x 30, and walks as fast: 15 pixels a frame, slower as it goes up.
      // Other objects keep their size unless told.
      {std::string(kScale) + "MakeObject('near', '', 100, 350)",
       {"pixel 329 329", "pixel 330 300", "pixel 119 369", "pixel 120 355", "lua Goto('hero', 300, 100)", "wait 3",
        "hero"},
       "PIXEL (0,0,200)\nPIXEL (90,90,90)\nPIXEL (200,0,0)\nPIXEL (90,90,90)\nHERO 300,232.2\n"},
      // Off for the hero, on for another object; a scene switch ends the scale.
      {"if not switched then SetDepthScale(100, 50, 400, 200) end DepthScaleOff('hero') "
       "MakeObject('far', '', 100, 100) DepthScaleOn('far')",
       {"pixel 320 320", "pixel 109 109", "pixel 110 105",
        "lua switched = 1 function DeInit() end LoadSzene('init.lua')", "pixel 115 115"},
       "PIXEL (90,90,90)\nPIXEL (200,0,0)\nPIXEL (90,90,90)\n<<< DeInit Scene >>>\r\nLoad Script <<init.lua>>...OK\r\n"
       "<<< CALL INIT-FUNCTION >>>\r\nInitialized 255 Characters\nLoad PathMap <<floor.map>>...(X:0, Y:0)(X:639, Y:0)"
       "(X:639, Y:479)(X:0, Y:479)Boxes loaded from Map-File (floor.map)\r\nOK\r\nlade Bild grey.bmp.....OK\r\n"
       "<<< CALL MAIN-FUNCTION >>>\r\nPIXEL (200,0,0)\n"},
      // Scales the engine cannot draw fail the call and keep the scale there was.
      {kScale, {"lua SetDepthScale(100, 0, 300, 100) SetDepthScale(100, 50, 300, -5) SetDepthScale(300, 50, 300, 100) "
                "SetDepthScale(400, 50, 300, 100) SetDepthScale(100, 401, 300, 100) DepthScaleOn('nobody')",
                "pixel 326 326"},
       "Exception catched in lua_SetDepthScale\r\nException catched in lua_SetDepthScale\r\n"
       "Exception catched in lua_SetDepthScale\r\nException catched in lua_SetDepthScale\r\n"
       "Exception catched in lua_SetDepthScale\r\nPIXEL (0,0,200)\n"},
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
    trace.emplace_back(e.view.scrollX, before);
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
