// The inventory row: slots, hover, clicks with every kind of verb, drawing.
#include <gtest/gtest.h>

#include "ui_fixtures.h"

extern "C" {
#include <lauxlib.h>
}

namespace {

using namespace ui_test;

// Slots of 30 x 30 from x 300 at y 420, 5 apart: slot i spans 300 + 35 i .. +30.
const char kInventory[] =
    "DefineInventory(300, 420, 30, 30, 5)\n"
    "for _, id in ipairs({'key', 'coin', 'map'}) do\n"
    "  MakeObject(id, id, 0, 0) LoadInventoryIcon(id, 'icon.bmp') AddToInventory(id)\n"
    "end\n"
    "SetMultiUse('key')\n"
    "MakeObject('door', 'Door', 100, 100) SetWalkToPos('door', 110, 150)\n";

struct InventoryGame {
  GameHarness game;
  InventoryGame() {
    WriteMedia(game);
    std::string setUp = kInventory;
    game.Write("init.lua", std::string(kSceneLibrary) +
                               "function Init()\n"
                               "  LoadSystemFont('font.bmp', 8, 10, 430)\n"
                               "  MakeButtons()\n"
                               "  LoadPathMap('floor.map')\n"
                               "  MakeObject('hero', 'Hero', 300, 300, 'blue.bmp') SetHero('hero') SetSpeed('hero', 1000)\n" +
                               setUp + "end\nfunction Main() end\n");
    game.stopAfterFrames = 120;
  }
  std::string Events() {
    std::string events;
    const std::string& log = game.log.Text();
    for (size_t at = log.find("\nEVENT "); at != std::string::npos; at = log.find("\nEVENT ", at + 1))
      events += log.substr(at + 1, log.find('\n', at + 1) - at);
    return events;
  }
};

TEST(Inventory, SlotsLieInOneRowWithExclusiveBorders) {
  InventoryGame g;
  ClickAt(g.game, 3, 9 * 25 + 5, 405);  // LOOK
  g.game.At(5, [](Engine&) { GameHarness::MoveMouse(335, 421); });  // left border of slot 1
  g.game.At(7, [](Engine& e) {
    EXPECT_EQ(e.ui.sentence, "LOOK ");
    GameHarness::MoveMouse(336, 421);
  });
  g.game.At(9, [](Engine& e) {
    EXPECT_EQ(e.ui.sentence, "LOOK coin");
    GameHarness::MoveMouse(336, 420);  // top border
  });
  g.game.At(11, [](Engine& e) {
    EXPECT_EQ(e.ui.sentence, "LOOK ");
    // Icons are drawn at the slots' corners.
    Uint8 r, gr, b;
    SDL_GetRGB(GetPixel(e.core.screen, 370, 420), e.core.screen->format, &r, &gr, &b);
    EXPECT_EQ(gr, 200);
    SDL_GetRGB(GetPixel(e.core.screen, 369, 420), e.core.screen->format, &r, &gr, &b);
    EXPECT_EQ(gr, 0);
    luaL_dostring(e.script.L, "RemoveFromInventory('key')");
  });
  g.game.At(13, [](Engine&) { GameHarness::MoveMouse(301, 421); });
  g.game.At(15, [](Engine& e) {
    EXPECT_EQ(e.ui.sentence, "LOOK coin");  // removal moved coin into slot 0
    EXPECT_FALSE(e.scene.objects.Get("key")->visible);
  });
  g.game.Run();
}

TEST(Inventory, ItemsCombineWithoutWalkingAndWithSceneObjectsAfterTheWalk) {
  InventoryGame g;
  ClickAt(g.game, 3, 4 * 25 + 5, 405);  // USE
  ClickAt(g.game, 5, 305, 425);         // key (multi-use): first object
  ClickAt(g.game, 7, 345, 425);         // coin: the event at once, nobody walks
  g.game.At(9, [](Engine& e) { EXPECT_FLOAT_EQ(e.scene.hero->x, 300); });
  ClickAt(g.game, 10, 305, 425);  // key again
  ClickAt(g.game, 12, 105, 105);  // on the door: the hero walks to it first
  g.game.At(80, [](Engine& e) {
    EXPECT_FLOAT_EQ(e.scene.hero->x, 110);
    EXPECT_FLOAT_EQ(e.scene.hero->y, 150);
  });
  g.game.Run();
  EXPECT_EQ(g.Events(), "EVENT USE [key] [coin]\nEVENT USE [key] [door]\n");
  EXPECT_NE(g.game.log.Text().find("LUA-EVENT-CALLED: USE \r\nEVENT USE [key] [door]"), std::string::npos);
  EXPECT_NE(g.game.log.Text().find("LUA-EVENT-CALLED: USE door\r\n"), std::string::npos);
}

TEST(Inventory, WalkAndTakeClicksPassThroughToTheScene) {
  InventoryGame g;
  g.game.At(1, [](Engine& e) { luaL_dostring(e.script.L, "MakeObject('rug', 'Rug', 300, 415)"); });
  ClickAt(g.game, 3, 2 * 25 + 5, 405);  // TAKE
  ClickAt(g.game, 5, 305, 425);         // over slot 0, and over the rug
  g.game.Run();
  EXPECT_EQ(g.Events(), "EVENT TAKE [rug] []\n");
}

TEST(Inventory, ItemsWithoutIconsKeepTheirSlotButCannotBeHit) {
  InventoryGame g;
  g.game.At(1, [](Engine& e) {
    luaL_dostring(e.script.L, "MakeObject('note', 'Note', 0, 0) AddToInventory('note') AddToInventory('note')");
    EXPECT_EQ(e.ui.inventory.Count(), 4);
  });
  ClickAt(g.game, 3, 9 * 25 + 5, 405);  // LOOK
  ClickAt(g.game, 5, 410, 425);         // slot 3: the note without icon
  g.game.At(7, [](Engine& e) {
    luaL_dostring(e.script.L, "n = IsInInventory('note') + IsInInventory('door') * 10 + IsInInventory('nobody') * 100");
    lua_getglobal(e.script.L, "n");
    EXPECT_EQ(lua_tonumber(e.script.L, -1), 1);
    lua_pop(e.script.L, 1);
  });
  g.game.Run();
  EXPECT_EQ(g.Events(), "");
}

}  // namespace
