// Verb buttons and the menu background: creation rules, lighting, clicks, drawing.
#include <gtest/gtest.h>

#include "ui_fixtures.h"

extern "C" {
#include <lauxlib.h>
}

namespace {

using namespace ui_test;

struct MenuGame {
  GameHarness game;
  explicit MenuGame(const std::string& setUp) {
    WriteMedia(game);
    game.Write("init.lua", std::string(kSceneLibrary) + "function Init()\n" + setUp + "\nend\nfunction Main() end\n");
    game.stopAfterFrames = 30;
  }
};

Uint8 RedAt(Engine& e, int x, int y) {
  Uint8 r, g, b;
  SDL_GetRGB(GetPixel(e.core.screen, x, y), e.core.screen->format, &r, &g, &b);
  return r;
}

TEST(Menus, ButtonsAreCreatedOnlyFromExactVerbWordsAndOncePerKey) {
  MenuGame g(
      "CreateMenuButton('walk', 'button.bmp', 'x', 20, 10, 0, 0)\n"
      "CreateMenuButton('JUMP', 'button.bmp', 'x', 20, 10, 0, 0)\n"
      "CreateMenuButton('WALK', 'button.bmp', 'Go', 20, 10, 0, 0)\n"
      "CreateMenuButton('WALK', 'button.bmp', 'Run', 20, 10, 50, 0)\n"
      "CreateMenuButton('CUSTOM', 'button.bmp', 'KICK', 20, 10, 0, 50)\n"
      "CreateMenuButton('CUSTOM', 'button.bmp', 'KICK', 20, 10, 90, 90)\n"
      "CreateMenuButton('LOOK', 'missing.bmp', 'Look', 20, 10, 0, 80)\n"
      "CreateMenuButton('TALK', 'button.bmp')\n");
  g.game.Run();
  Hashtable<MenuButton*>& buttons = g.game.engine.ui.buttons;
  ASSERT_EQ(buttons.Count(), 3);
  EXPECT_EQ(buttons.KeyAt(0), "WALK");
  EXPECT_EQ(buttons.Get("WALK")->label, "Go");
  EXPECT_EQ(buttons.Get("KICK")->x, 0);
  EXPECT_EQ(buttons.Get("KICK")->VerbWord(), "KICK");
  EXPECT_EQ(buttons.Get("LOOK")->image, nullptr);  // created all the same
  EXPECT_NE(g.game.log.Text().find("Exception catched in lua_CreateMenuButton\r\n"), std::string::npos);
}

TEST(Menus, HitAreasIncludeBothFarEdges) {
  MenuGame g("CreateMenuButton('LOOK', 'button.bmp', 'Look', 30, 40, 10, 20) ShowMenuButton('LOOK')");
  g.game.Run();
  MenuButton* b = g.game.engine.ui.buttons.Get("LOOK");
  EXPECT_TRUE(b->HitTest(10, 20));
  EXPECT_TRUE(b->HitTest(40, 60));
  EXPECT_FALSE(b->HitTest(41, 30));
  EXPECT_FALSE(b->HitTest(9, 30));
}

TEST(Menus, ButtonsLightUnderThePointerAndTheCurrentVerbStaysLit) {
  MenuGame g(
      "CreateMenuButton('WALK', 'button.bmp', 'Go', 20, 10, 0, 400) ShowMenuButton('WALK')\n"
      "CreateMenuButton('LOOK', 'button.bmp', 'Look', 20, 10, 10, 400) ShowMenuButton('LOOK')\n"
      "CreateMenuButton('TALK', 'button.bmp', 'Talk', 20, 10, 100, 400)\n"
      "SetActiveButton('TALK')\n");  // hidden, yet the current verb
  g.game.At(1, [](Engine& e) {
    EXPECT_EQ(e.ui.currentVerb, e.ui.buttons.Get("TALK"));
    EXPECT_EQ(e.ui.sentence, "Talk ");
    GameHarness::MoveMouse(15, 405);  // on both WALK and LOOK
  });
  g.game.At(3, [](Engine& e) {
    EXPECT_EQ(e.ui.buttons.Get("WALK")->lit, 1);
    EXPECT_EQ(e.ui.buttons.Get("LOOK")->lit, 1);
    GameHarness::Click(15, 405);  // the earlier created one takes it
  });
  g.game.At(4, [](Engine& e) {
    EXPECT_EQ(e.ui.currentVerb, e.ui.buttons.Get("WALK"));
    EXPECT_EQ(e.ui.sentence, "Go ");
    GameHarness::MoveMouse(300, 300);
  });
  g.game.At(6, [](Engine& e) {
    EXPECT_EQ(e.ui.buttons.Get("WALK")->lit, 1);  // current verb
    EXPECT_EQ(e.ui.buttons.Get("LOOK")->lit, 0);
  });
  g.game.At(7, [](Engine& e) {
    // Drawn a frame later: frame 1 of the lit strip is white, frame 0 grey.
    EXPECT_EQ(RedAt(e, 2, 402), 255);
    EXPECT_EQ(RedAt(e, 25, 402), 90);
    luaL_dostring(e.script.L, "SetMode('MOVIE') SetActiveButton('nothing')");
    GameHarness::MoveMouse(15, 405);
  });
  g.game.At(10, [](Engine& e) {
    EXPECT_EQ(e.ui.buttons.Get("LOOK")->lit, 0);  // no lighting while not interactive
  });
  g.game.Run();
  EXPECT_NE(g.game.log.Text().find("Exception catched in lua_SetActiveButton\r\n"), std::string::npos);
}

TEST(Menus, TheMenuBackgroundIsDrawnBehindTheButtonsWhileShown) {
  MenuGame g(
      "LoadMenuBackground('red.bmp', 200, 300)\n"
      "LoadMenuBackground('missing.bmp', 5, 5)\n"  // no background, position kept
      "LoadMenuBackground('blue.bmp', 100, 100) ShowMenuBackground()\n");
  g.game.At(2, [](Engine& e) {
    EXPECT_EQ(e.ui.menuBackgroundX, 100);
    Uint8 r, gr, b;
    SDL_GetRGB(GetPixel(e.core.screen, 105, 105), e.core.screen->format, &r, &gr, &b);
    EXPECT_EQ(b, 200);
    luaL_dostring(e.script.L, "LoadMenuBackground('gone.bmp', 1, 1)");
    EXPECT_EQ(e.ui.menuBackground, nullptr);
    EXPECT_EQ(e.ui.menuBackgroundX, 100);
    luaL_dostring(e.script.L, "LoadMenuBackground()");
  });
  g.game.Run();
  EXPECT_NE(g.game.log.Text().find("Exception catched in lua_LoadMenuBackground\r\n"), std::string::npos);
}

}  // namespace
