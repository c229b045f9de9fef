// Speech: how long objects talk, where their text boxes go, and the font loaders.
#include <gtest/gtest.h>

#include "scene/adventure_object.h"
#include "scene/animation.h"
#include "support/game_harness.h"
#include "support/pictures.h"
#include "text/bitmap_font.h"

namespace {

// A visible object placed directly in the registry, which frees it.
AdventureObject& Place(GameHarness& game, const std::string& id, float x, float y, bool visible = true) {
  auto* object = new AdventureObject;
  object->x = x;
  object->y = y;
  object->visible = visible;
  game.engine.scene.objects.Add(id, object);
  return *object;
}

AdventureObject& Object(Engine& engine, const std::string& id) { return *engine.scene.objects.Get(id); }

TEST(Speech, TalkingLasts80MillisecondsPerByte) {
  GameHarness game;
  SaveBmp(MakeTestFontSurface(), game.Path("font.bmp"));
  Place(game, "bob", 100, 200);
  Place(game, "quiet", 100, 300);
  Place(game, "hidden", 100, 400, false);
  game.Write("init.lua",
             "function Init() LoadTalkFont('font.bmp', 8, 100) end\n"
             "function Main() SayText('bob', 'hello') SayText('quiet', '') SayText('hidden', 'hi')\n"
             "  SayText('nobody', 'hello') SayText('bob') end\n");
  // Frame f updates the objects at 1000 + 10 (f - 1) ms.
  game.At(1, [](Engine& e) {
    EXPECT_TRUE(Object(e, "bob").talking);
    EXPECT_FALSE(Object(e, "quiet").talking);  // an empty text ends at the first update
  });
  game.At(40, [](Engine& e) { EXPECT_TRUE(Object(e, "bob").talking); });
  game.At(41, [](Engine& e) { EXPECT_FALSE(Object(e, "bob").talking); });
  game.stopAfterFrames = 45;
  game.Run();
  // Hidden objects are not updated: the speech outlives its time.
  EXPECT_TRUE(Object(game.engine, "hidden").talking);
  EXPECT_NE(game.log.Text().find("Exception catched in lua_SayText\r\n"), std::string::npos);
}

TEST(Speech, AutomaticBoxesScrollWithTheSceneAndFixedOnesStay) {
  GameHarness game;
  SaveBmp(MakeTestFontSurface(), game.Path("font.bmp"));
  Place(game, "a", 300, 200);
  Place(game, "b", 300, 400);
  AdventureObject& tall = Place(game, "tall", 500, 300);
  auto* animation = new Animation;
  animation->frameHeight = 50;
  tall.animations.Add("stand", animation);
  tall.currentAnimation = animation;
  tall.hotspotPositioning = true;
  Place(game, "hidden", 150, 300, false);
  game.Write("init.lua",
             "function Init() LoadTalkFont('font.bmp', 8, 100) end\n"
             "function Main()\n"
             "  SayText('a', '\\1') SayText('b', '\\1') SayText('tall', '\\1') SayText('hidden', '\\1')\n"
             "  SetTextBoxPos('b', 400.9, 300) SetTextColor('b', 1.7)\n"
             "end\n");
  game.At(1, [](Engine& e) {
    SDL_Surface* screen = e.core.screen;
    // a: box bottom at 200 - 8, one 8-pixel line, centred on 300 (width 4).
    EXPECT_EQ(PixelAt(screen, 298, 184), kWhite);
    // b: fixed, left-aligned at (400, 300), in colour row 1.
    EXPECT_EQ(PixelAt(screen, 400, 292), kFontRow1);
    // tall: its position is its hotspot, so the box sits above the 50-pixel frame.
    EXPECT_EQ(PixelAt(screen, 498, 234), kWhite);
    // hidden: not drawn.
    EXPECT_NE(PixelAt(screen, 148, 284), kWhite);
    EXPECT_FALSE(IsBoxGreyOverBlack(PixelAt(screen, 138, 274)));
    EXPECT_TRUE(IsBoxGreyOverBlack(PixelAt(screen, 288, 174)));  // a's box corner, for contrast
    Fill(screen, kBlack);
    e.view.scrollX = -100;
  });
  game.At(2, [](Engine& e) {
    SDL_Surface* screen = e.core.screen;
    EXPECT_EQ(PixelAt(screen, 198, 184), kWhite);
    EXPECT_NE(PixelAt(screen, 298, 184), kWhite);
    EXPECT_EQ(PixelAt(screen, 400, 292), kFontRow1);
  });
  game.At(3, [](Engine& e) {
    Fill(e.core.screen, kBlack);
    Lua(e, "SetTextBoxAutoPos('b')");
  });
  game.At(4, [](Engine& e) {
    // b follows its object again: centred on 300 - 100, above 400 - 8.
    EXPECT_EQ(PixelAt(e.core.screen, 198, 384), kFontRow1);
    EXPECT_NE(PixelAt(e.core.screen, 400, 292), kFontRow1);
  });
  game.stopAfterFrames = 4;
  game.Run();
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
    EXPECT_EQ(engine.text.sentenceY, 440);
    EXPECT_EQ(text.talkFont->maxLineWidth, 150);
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
