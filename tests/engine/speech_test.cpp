// Speech: how long objects talk, where their text boxes go, and the font loaders.
#include <gtest/gtest.h>

#include "engine/game_fixtures.h"
#include "text/bitmap_font.h"

namespace {

// Rows on the grey background with a talk font; the hero stands at (600, 100),
// where it does not make the view scroll. Glyphs are 3 x 7 blocks of white (row
// 0) or yellow (row 1), one pixel apart; a box sits one cell above its object.
const char kTalkers[] =
    "LoadBackground('grey.bmp') LoadTalkFont('font.bmp', 8, 200) SetPos('hero', 600, 100) "
    "MakeObject('a', '', 300, 200) MakeObject('b', '', 300, 380) MakeObject('tall', '', 300, 300) "
    "HotSpotPositionOn('tall') MakeObject('hidden', '', 150, 300) Hide('hidden') MakeObject('high', '', 100, 10) ";

TEST(Speech, TalkingLasts80MillisecondsPerByteAndBoxesScrollWithTheSceneOrStay) {
  ExpectRows({
      // "hello" from frame 3 (1030 ms) lasts until 1430 ms: frame 44 draws it, frame 45 no more.
      {"",
       {"lua SayText('a', 'hello') SayText('nobody', 'hello') SayText('a')", "wait 38", "pixel 300 184",
        "pixel 300 184", "lua SayText('b', '') WaitFor('b', 'TALKING') print('an empty text ends at once')"},
       "Exception catched in lua_SayText\r\nPIXEL (255,255,255)\nPIXEL (90,90,90)\nan empty text ends at once\n"},
      // "hello" is 15 pixels wide: centred on 300, it starts at 293.
      {"",
       {"lua for _, id in ipairs({'a', 'b', 'tall', 'hidden', 'high'}) do SayText(id, 'hello') end "
        "SetTextBoxPos('b', 400.9, 300) SetTextColor('b', 1.7)",
        // a: above 200 - 8, its box's corner ten pixels further out; b: fixed,
        // left-aligned at (400, 300), in row 1; tall: its position is its
        // hotspot, so the box sits above its 20-pixel frame; high: a box
        // that would start above the screen's top starts at 12.
        "pixel 293 184", "pixel 284 176", "pixel 400 292", "pixel 293 264", "pixel 143 284", "pixel 134 276",
        "pixel 93 18", "scroll -100", "pixel 193 184", "pixel 293 184", "pixel 400 292",
        "lua SetTextBoxAutoPos('b')", "pixel 193 364", "pixel 400 292"},
       "PIXEL (255,255,255)\nPIXEL (54,54,54)\nPIXEL (255,255,0)\nPIXEL (255,255,255)\nPIXEL (90,90,90)\n"
       "PIXEL (90,90,90)\nPIXEL (255,255,255)\nPIXEL (255,255,255)\nPIXEL (90,90,90)\nPIXEL (255,255,0)\n"
       "PIXEL (255,255,0)\nPIXEL (90,90,90)\n"},
      // Drawn at half its size, tall's box sits above its 10-pixel frame.
      {"SetDepthScale(100, 50, 300, 50) DepthScaleOn('tall')",
       {"lua SayText('tall', 'hello')", "pixel 293 274", "pixel 293 264"}, "PIXEL (255,255,255)\nPIXEL (54,54,54)\n"},
  }, kTalkers);
}

TEST(Speech, FontLoadersBuildTheThreeFonts) {
  GameHarness game;
  SaveBmp(MakeTestFontSurface(), game.Path("font.bmp"));
  game.Write("conf.lua", "SetScreen(800, 600, 24, 0)");
  game.Write("init.lua",
             "function Init()\n"
             "  LoadSystemFont('font.bmp', 8, 20.5, 440)\n"
             "  LoadSystemFont('font.bmp', 8, 20.5, 440)\n"
             "  LoadTalkFont('font.bmp', 8, 150)\n"
             "  LoadDecisionFont('nofont.bmp', 9, 3)\n"
             "  LoadTalkFont()\n"
             "end\n"
             "function Main() end\n");
  game.stopAfterFrames = 1;
  // Shutdown frees the fonts: they are read in the last frame.
  game.At(1, [](Engine& engine) {
    TextState& text = engine.text;
    ASSERT_TRUE(text.systemFont && text.talkFont && text.decisionFont);
    EXPECT_EQ(engine.text.sentenceX, 20);
    EXPECT_EQ(text.talkFont->rightLimit, 800);  // the screen's width
    EXPECT_EQ(text.decisionFont->image, nullptr);
  });
  game.Run();
  const std::string& log = game.log.Text();
  EXPECT_NE(log.find("Initialized 2 Characters\n"), std::string::npos);
  EXPECT_NE(log.find("Can't load font-image (nofont.bmp): "), std::string::npos);
  EXPECT_NE(log.find("Exception catched in lua_LoadTalkFont\r\n"), std::string::npos);
}

}  // namespace
