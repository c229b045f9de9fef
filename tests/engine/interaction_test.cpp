// Interaction: verb buttons and the menu background, the action sentence, the
// Event call, and the inventory row, driven by pointer and clicks.
#include <gtest/gtest.h>

#include "core/input_events.h"
#include "engine/game_fixtures.h"
#include "scene/adventure_object.h"
#include "ui/menu_button.h"

namespace {

TEST(Menus, ButtonsAreCreatedOnlyFromExactVerbWordsAndOncePerKey) {
  GameHarness game;
  WriteSceneGame(game,
                 "CreateMenuButton('walk', 'button.bmp', 'x', 20, 10, 0, 0)\n"
                 "CreateMenuButton('JUMP', 'button.bmp', 'x', 20, 10, 0, 0)\n"
                 "CreateMenuButton('WALK', 'button.bmp', 'Go', 20, 10, 0, 0)\n"
                 "CreateMenuButton('WALK', 'button.bmp', 'Run', 20, 10, 50, 0)\n"
                 "CreateMenuButton('CUSTOM', 'button.bmp', 'KICK', 20, 10, 0, 50)\n"
                 "CreateMenuButton('CUSTOM', 'button.bmp', 'KICK', 20, 10, 90, 90)\n"
                 "CreateMenuButton('LOOK', 'missing.bmp', 'Look', 30, 40, 10, 20)\n"
                 "CreateMenuButton('TALK', 'button.bmp')\n");
  game.stopAfterFrames = 1;
  game.Run();
  Hashtable<MenuButton*>& buttons = game.engine.ui.buttons;
  ASSERT_EQ(buttons.Count(), 3);
  EXPECT_EQ(buttons.KeyAt(0), "WALK");
  EXPECT_EQ(buttons.Get("WALK")->label, "Go");
  EXPECT_EQ(buttons.Get("KICK")->x, 0);
  EXPECT_EQ(buttons.Get("KICK")->VerbWord(), "KICK");
  MenuButton* look = buttons.Get("LOOK");
  EXPECT_EQ(look->image, nullptr);  // created all the same
  // Hit areas include both far edges.
  EXPECT_TRUE(look->HitTest(10, 20) && look->HitTest(40, 60));
  EXPECT_FALSE(look->HitTest(41, 30) || look->HitTest(9, 30));
  EXPECT_NE(game.log.Text().find("Exception catched in lua_CreateMenuButton\r\n"), std::string::npos);
}

TEST(Menus, ButtonsLightUnderThePointerAndTheCurrentVerbStaysLit) {
  GameHarness game;
  WriteSceneGame(game,
                 "CreateMenuButton('WALK', 'button.bmp', 'Go', 20, 10, 0, 400) ShowMenuButton('WALK')\n"
                 "CreateMenuButton('LOOK', 'button.bmp', 'Look', 20, 10, 10, 400) ShowMenuButton('LOOK')\n"
                 "CreateMenuButton('TALK', 'button.bmp', 'Talk', 20, 10, 100, 400)\n"
                 "SetActiveButton('TALK')\n");  // hidden, yet the current verb
  game.stopAfterFrames = 30;
  game.At(1, [](Engine& e) {
    EXPECT_EQ(e.ui.sentence, "Talk ");
    GameHarness::MoveMouse(15, 405);  // on both WALK and LOOK
  });
  game.At(3, [](Engine& e) {
    EXPECT_EQ(e.ui.buttons.Get("WALK")->lit, 1);
    EXPECT_EQ(e.ui.buttons.Get("LOOK")->lit, 1);
    GameHarness::Click(15, 405);  // the earlier created one takes it
  });
  game.At(4, [](Engine& e) {
    EXPECT_EQ(e.ui.sentence, "Go ");
    GameHarness::MoveMouse(300, 300);
  });
  game.At(7, [](Engine& e) {
    // The current verb stays lit: frame 1 of the lit strip is white, frame 0 grey.
    EXPECT_EQ(PixelAt(e.core.screen, 2, 402), kWhite);
    EXPECT_EQ(PixelAt(e.core.screen, 25, 402), kGrey);
    Lua(e, "SetMode('MOVIE') SetActiveButton('nothing')");
    GameHarness::MoveMouse(15, 405);
  });
  game.At(10, [](Engine& e) { EXPECT_EQ(e.ui.buttons.Get("LOOK")->lit, 0); });  // no lighting while not interactive
  game.Run();
  EXPECT_NE(game.log.Text().find("Exception catched in lua_SetActiveButton\r\n"), std::string::npos);
}

TEST(Menus, TheMenuBackgroundIsDrawnBehindTheButtonsWhileShown) {
  GameHarness game;
  WriteSceneGame(game,
                 "LoadMenuBackground('red.bmp', 200, 300)\n"
                 "LoadMenuBackground('missing.bmp', 5, 5)\n"  // no background, position kept
                 "LoadMenuBackground('blue.bmp', 100, 100) ShowMenuBackground()\n");
  game.stopAfterFrames = 2;
  game.At(2, [](Engine& e) {
    EXPECT_EQ(PixelAt(e.core.screen, 105, 105), kBlue);
    Lua(e, "LoadMenuBackground('gone.bmp', 1, 1)");
    EXPECT_EQ(e.ui.menuBackground, nullptr);
    EXPECT_EQ(e.ui.menuBackgroundX, 100);
    Lua(e, "LoadMenuBackground()");
  });
  game.Run();
  EXPECT_NE(game.log.Text().find("Exception catched in lua_LoadMenuBackground\r\n"), std::string::npos);
}

// Each row: objects made in the hero scene, the player's steps, and the frames'
// log, the scene's Event prints and the engine's event lines included.
void ExpectRows(const std::vector<SceneRow>& rows) {
  for (const SceneRow& row : rows) {
    std::string steps;
    for (const std::string& step : row.steps) steps += step + "; ";
    EXPECT_EQ(PlayRow(row), row.log) << row.setUp << "\n" << steps;
  }
}

TEST(Verbs, ClicksChooseVerbsAndObjectsAndTheSentenceFollows) {
  ExpectRows({
      // Without a verb a click does nothing; of two overlapping objects the
      // front one names the sentence but the back one takes the click; an
      // object without a display name swallows the click.
      {"MakeObject('back', 'Back', 100, 100) MakeObject('front', 'Front', 110, 105) MakeObject('ghost', '', 400, 100)",
       {"click 105 105", "sentence", "verb 9", "move 115 110", "sentence", "click 115 110", "verb 0", "click 405 105",
        "wait 20", "hero"},
       "SENTENCE [ ]\nSENTENCE [LOOK Front]\nEVENT LOOK [back] []\nLUA-EVENT-CALLED: LOOK back\r\nHERO 300,300\n"},
      // A verb button takes its click alone (the door lies under USE), with any
      // mouse button. A release clicks only after a press; a button that took
      // the click leaves the press standing, so the next release clicks again.
      {"MakeObject('door', 'Door', 100, 395) MakeObject('rock', 'Rock', 200, 100)",
       {"verb 9", "verb 4", "move 300 300", "sentence", "right 230 405", "release 205 105", "release 205 105",
        "middle 205 105"},
       "SENTENCE [USE ]\nEVENT LOOK [rock] []\nLUA-EVENT-CALLED: LOOK rock\r\n"
       "EVENT LOOK [rock] []\nLUA-EVENT-CALLED: LOOK rock\r\n"},
      // The first object of USE and GIVE stays chosen across a verb switch.
      {"MakeObject('door', 'Door', 100, 100) SetMultiUse('door') MakeObject('apple', 'Apple', 200, 100)",
       {"verb 9", "sentence", "move 105 105", "sentence", "verb 4", "click 105 105", "move 400 200", "sentence",
        "lua SetUseWord('with')", "move 205 105", "sentence", "verb 3", "move 205 105", "sentence", "click 205 105"},
       "SENTENCE [LOOK ]\nSENTENCE [LOOK Door]\nSENTENCE [USE Door  ]\nSENTENCE [USE Door with Apple]\n"
       "SENTENCE [GIVE Door an Apple]\nEVENT GIVE [door] [apple]\nLUA-EVENT-CALLED: GIVE door\r\n"},
      // USE acts at once on a single-use object and waits for a second one on
      // a multi-use one; GIVE always waits for the receiver.
      {"MakeObject('apple', 'Apple', 200, 100) MakeObject('door', 'Door', 100, 100) SetMultiUse('door')",
       {"verb 4", "click 205 105", "click 105 105", "click 105 105", "verb 3", "click 205 105", "click 105 105"},
       "EVENT USE [apple] []\nLUA-EVENT-CALLED: USE apple\r\nEVENT USE [door] [door]\nLUA-EVENT-CALLED: USE door\r\n"
       "EVENT GIVE [apple] [door]\nLUA-EVENT-CALLED: GIVE apple\r\n"},
  });
}

TEST(Verbs, ObjectsWithAWalkToPointAreWalkedToFirst) {
  const char* scene = "MakeObject('door', 'Door', 100, 100) SetWalkToPos('door', 110, 150) "
                      "MakeObject('rock', 'Rock', 200, 100) SetDefaultButton('LOOK')";
  ExpectRows({
      // WALK on an object without a walk-to point does nothing; with one, the
      // hero walks there, REACHED comes once and the default verb is back.
      {scene, {"verb 0", "click 205 105", "hero", "click 105 105", "wait 60", "hero", "move 500 300", "sentence"},
       "HERO 300,300\nEVENT REACHED [door] []\nLUA-EVENT-CALLED: REACHED door\r\nHERO 110,150\nSENTENCE [LOOK ]\n"},
      // Any other verb walks to the point before the event, and the default
      // verb is back after it; without a point the event comes at once.
      {scene, {"verb 10", "click 105 105", "wait 60", "hero", "click 205 105"},
       "EVENT KICK [door] []\nLUA-EVENT-CALLED: KICK door\r\nHERO 110,150\nEVENT LOOK [rock] []\n"
       "LUA-EVENT-CALLED: LOOK rock\r\n"},
      // Without a system font objects ignore the pointer: the click walks the hero there.
      {"MakeObject('door', 'Door', 100, 100)", {"verb 0", "move 105 105", "sentence", "click 105 105", "wait 60", "hero"},
       "SENTENCE [WALK ]\nHERO 105,105\n", /*withFont=*/false},
  });
}

// Slots of 30 x 30 from x 300 at y 420, 5 apart: slot i spans 300 + 35 i .. +30.
const char kInventory[] =
    "DefineInventory(300, 420, 30, 30, 5)\n"
    "for _, id in ipairs({'key', 'coin', 'map'}) do\n"
    "  MakeObject(id, id, 0, 0) LoadInventoryIcon(id, 'icon.bmp') AddToInventory(id)\n"
    "end\n"
    "SetMultiUse('key')\n"
    "MakeObject('door', 'Door', 100, 100) SetWalkToPos('door', 110, 150)\n";

TEST(Inventory, SlotsItemsAndTheVerbsThatReachThem) {
  const std::string inventory = kInventory;
  ExpectRows({
      // One row with exclusive borders; icons at the slots' corners; a removal
      // closes the gap; a slot's bottom edge may lie beyond int.
      {inventory,
       {"verb 9", "move 335 421", "sentence", "move 336 421", "sentence", "move 336 420", "sentence", "pixel 370 420",
        "pixel 369 420", "lua RemoveFromInventory('key')", "move 301 421", "sentence",
        "lua DefineInventory(300, 420, 30, 2147483647, 5)", "move 336 430", "sentence"},
       "SENTENCE [LOOK ]\nSENTENCE [LOOK coin]\nSENTENCE [LOOK ]\nPIXEL (0,200,0)\nPIXEL (0,0,0)\n"
       "SENTENCE [LOOK coin]\nSENTENCE [LOOK map]\n"},
      // Two items combine where the hero stands; an item and a scene object
      // after the walk. An event on two items names no object in its log line.
      {inventory, {"verb 4", "click 305 425", "click 345 425", "hero", "click 305 425", "click 105 105", "wait 60", "hero"},
       "EVENT USE [key] [coin]\nLUA-EVENT-CALLED: USE \r\nHERO 300,300\nEVENT USE [key] [door]\n"
       "LUA-EVENT-CALLED: USE door\r\nHERO 110,150\n"},
      // WALK and TAKE pass through to the scene.
      {inventory + "MakeObject('rug', 'Rug', 300, 415)", {"verb 2", "click 305 425"},
       "EVENT TAKE [rug] []\nLUA-EVENT-CALLED: TAKE rug\r\n"},
      // An item without an icon keeps its slot but cannot be hit.
      {inventory + "MakeObject('note', 'Note', 0, 0) AddToInventory('note') AddToInventory('note')",
       {"verb 9", "click 410 425", "lua print(IsInInventory('note'), IsInInventory('door'), IsInInventory('nobody'))"},
       "1\t0\t0\n"},
  });
}

}  // namespace
