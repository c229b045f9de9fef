// Interaction: verb buttons and the menu background, the action sentence, the
// Event call, and the inventory row, driven by pointer and clicks.
#include <gtest/gtest.h>

#include "core/input_events.h"
#include "engine/game_fixtures.h"

namespace {

const int kWalk = 0, kTake = 2, kGive = 3, kUse = 4, kLook = 9, kKick = 10;

// The hero scene with the system font and the objects of setUp.
struct VerbGame : GameHarness {
  explicit VerbGame(const std::string& setUp, bool withFont = true) {
    WriteSceneGame(*this, (withFont ? "LoadSystemFont('font.bmp', 8, 10, 430)\n" : "") + std::string(kHeroScene) + setUp);
    stopAfterFrames = 120;
  }
  // Clicks the verb button with the given index.
  void ChooseVerb(Uint32 frame, int index) { ClickAt(*this, frame, index * 25 + 5, 405); }
  // The lines printed by the scene's Event function.
  std::string Events() {
    std::string events;
    const std::string& text = log.Text();
    for (size_t at = text.find("\nEVENT "); at != std::string::npos; at = text.find("\nEVENT ", at + 1))
      events += text.substr(at + 1, text.find('\n', at + 1) - at);
    return events;
  }
};

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

// Without a verb a click does nothing and no sentence is drawn; of two
// overlapping objects the front one names the sentence but the back one takes
// the click; an object without a display name swallows the click.
TEST(Verbs, WhichObjectTakesAClick) {
  VerbGame g("MakeObject('back', 'Back', 100, 100)\nMakeObject('front', 'Front', 110, 105)\n"
             "MakeObject('ghost', '', 400, 100)");
  ClickAt(g, 3, 105, 105);
  g.At(6, [](Engine& e) {
    EXPECT_EQ(e.ui.sentence, " ");
    for (int x = 10; x < 60; ++x)
      for (int y = 430; y < 438; ++y) ASSERT_EQ(GetPixel(e.core.screen, x, y), 0u) << x << "," << y;
  });
  g.ChooseVerb(7, kLook);
  g.At(9, [](Engine&) { GameHarness::MoveMouse(115, 110); });
  g.At(11, [](Engine& e) { EXPECT_EQ(e.ui.sentence, "LOOK Front"); });
  ClickAt(g, 12, 115, 110);
  g.ChooseVerb(14, kWalk);
  ClickAt(g, 16, 405, 105);
  g.At(40, [](Engine& e) {
    EXPECT_FLOAT_EQ(e.scene.hero->x, 300);
    EXPECT_FALSE(e.scene.hero->moving);
  });
  g.Run();
  EXPECT_EQ(g.Events(), "EVENT LOOK [back] []\n");
}

// A release clicks only after a press; a button that takes the click leaves
// the press standing, so the next release clicks again.
TEST(Verbs, AVerbButtonTakesItsClickAloneAndAnyMouseButtonClicks) {
  // The door lies under the USE button; a click there only chooses the verb.
  VerbGame g("MakeObject('door', 'Door', 100, 395)\nMakeObject('rock', 'Rock', 200, 100)");
  auto releaseOnRock = [](Engine&) {
    GameHarness::MoveMouse(205, 105);
    PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 205, 105);
  };
  g.ChooseVerb(3, kLook);
  g.ChooseVerb(6, kUse);
  g.At(8, [](Engine& e) { EXPECT_EQ(e.ui.currentVerb, e.ui.buttons.Get("USE")); });
  ClickAt(g, 9, kLook * 25 + 5, 405, SDL_BUTTON_RIGHT);
  g.At(10, releaseOnRock);  // clicks: the button's press still stands
  g.At(12, releaseOnRock);  // does not: the rock's click ended the press
  ClickAt(g, 14, 205, 105, SDL_BUTTON_MIDDLE);
  g.Run();
  EXPECT_EQ(g.Events(), "EVENT LOOK [rock] []\nEVENT LOOK [rock] []\n");
}

TEST(Verbs, TheSentenceFollowsVerbAndSelection) {
  VerbGame g("MakeObject('door', 'Door', 100, 100) SetMultiUse('door')\nMakeObject('apple', 'Apple', 200, 100)");
  g.ChooseVerb(3, kLook);
  g.At(5, [](Engine& e) {
    EXPECT_EQ(e.ui.sentence, "LOOK ");
    GameHarness::MoveMouse(105, 105);
  });
  g.At(7, [](Engine& e) { EXPECT_EQ(e.ui.sentence, "LOOK Door"); });
  g.ChooseVerb(9, kUse);
  ClickAt(g, 12, 105, 105);  // first object of a two-object USE
  g.At(13, [](Engine&) { GameHarness::MoveMouse(400, 200); });
  g.At(15, [](Engine& e) {
    EXPECT_EQ(e.ui.sentence, "USE Door  ");  // no use word yet: two blanks
    Lua(e, "SetUseWord('with')");
    GameHarness::MoveMouse(205, 105);
  });
  g.At(17, [](Engine& e) { EXPECT_EQ(e.ui.sentence, "USE Door with Apple"); });
  g.ChooseVerb(18, kGive);  // the first object stays chosen across the switch
  g.At(20, [](Engine&) { GameHarness::MoveMouse(205, 105); });
  g.At(22, [](Engine& e) { EXPECT_EQ(e.ui.sentence, "GIVE Door an Apple"); });
  ClickAt(g, 24, 205, 105);
  g.Run();
  EXPECT_EQ(g.Events(), "EVENT GIVE [door] [apple]\n");
}

// GIVE always waits for the receiver, whatever the first object is.
TEST(Verbs, UseActsAtOnceOnSingleUseObjectsAndWaitsOnMultiUse) {
  VerbGame g("MakeObject('apple', 'Apple', 200, 100)\nMakeObject('door', 'Door', 100, 100) SetMultiUse('door')");
  g.ChooseVerb(3, kUse);
  ClickAt(g, 5, 205, 105);   // apple: single-use
  ClickAt(g, 8, 105, 105);   // door: waits for a second object
  ClickAt(g, 11, 105, 105);  // the same object again
  g.At(13, [](Engine& e) { EXPECT_EQ(e.ui.selectionCount, 0); });
  g.ChooseVerb(14, kGive);
  ClickAt(g, 16, 205, 105);
  ClickAt(g, 18, 105, 105);
  g.Run();
  EXPECT_EQ(g.Events(), "EVENT USE [apple] []\nEVENT USE [door] [door]\nEVENT GIVE [apple] [door]\n");
}

TEST(Verbs, WalkOnAnObjectWithAWalkToPointReportsReachedOnceAndRestoresTheDefault) {
  VerbGame g("MakeObject('door', 'Door', 100, 100) SetWalkToPos('door', 110, 150)\n"
             "MakeObject('rock', 'Rock', 200, 100)\nSetDefaultButton('LOOK')");
  g.ChooseVerb(3, kWalk);
  ClickAt(g, 5, 205, 105);  // rock: no walk-to point, nothing at all
  g.At(8, [](Engine& e) { EXPECT_FALSE(e.scene.hero->moving); });
  ClickAt(g, 9, 105, 105);
  g.At(100, [](Engine& e) {
    EXPECT_FLOAT_EQ(e.scene.hero->x, 110);
    EXPECT_FLOAT_EQ(e.scene.hero->y, 150);
    EXPECT_EQ(e.ui.currentVerb, e.ui.buttons.Get("LOOK"));
  });
  g.Run();
  EXPECT_EQ(g.Events(), "EVENT REACHED [door] []\n");
}

TEST(Verbs, AOneObjectEventWalksToTheWalkToPointFirst) {
  VerbGame g("MakeObject('door', 'Door', 100, 100) SetWalkToPos('door', 110, 150)\n"
             "MakeObject('rock', 'Rock', 200, 100)");
  g.ChooseVerb(3, kKick);
  ClickAt(g, 5, 105, 105);
  g.At(60, [](Engine& e) {
    EXPECT_FLOAT_EQ(e.scene.hero->x, 110);
    EXPECT_FLOAT_EQ(e.scene.hero->y, 150);
  });
  ClickAt(g, 61, 205, 105);  // no walk-to point: the event comes at once
  g.Run();
  EXPECT_EQ(g.Events(), "EVENT KICK [door] []\nEVENT KICK [rock] []\n");
}

TEST(Verbs, WithoutASystemFontObjectsIgnoreThePointer) {
  VerbGame g("MakeObject('door', 'Door', 100, 100)", /*withFont=*/false);
  g.ChooseVerb(3, kWalk);
  g.At(5, [](Engine&) { GameHarness::MoveMouse(105, 105); });
  g.At(7, [](Engine& e) { EXPECT_EQ(e.ui.sentence, "WALK "); });
  ClickAt(g, 8, 105, 105);  // handled like the floor: the hero walks there
  g.At(100, [](Engine& e) {
    EXPECT_FLOAT_EQ(e.scene.hero->x, 105);
    EXPECT_FLOAT_EQ(e.scene.hero->y, 105);
  });
  g.Run();
  EXPECT_EQ(g.Events(), "");
}

// Slots of 30 x 30 from x 300 at y 420, 5 apart: slot i spans 300 + 35 i .. +30.
const char kInventory[] =
    "DefineInventory(300, 420, 30, 30, 5)\n"
    "for _, id in ipairs({'key', 'coin', 'map'}) do\n"
    "  MakeObject(id, id, 0, 0) LoadInventoryIcon(id, 'icon.bmp') AddToInventory(id)\n"
    "end\n"
    "SetMultiUse('key')\n"
    "MakeObject('door', 'Door', 100, 100) SetWalkToPos('door', 110, 150)\n";

TEST(Inventory, SlotsLieInOneRowWithExclusiveBorders) {
  VerbGame g(kInventory);
  g.ChooseVerb(3, kLook);
  g.At(5, [](Engine&) { GameHarness::MoveMouse(335, 421); });  // left border of slot 1
  g.At(7, [](Engine& e) {
    EXPECT_EQ(e.ui.sentence, "LOOK ");
    GameHarness::MoveMouse(336, 421);
  });
  g.At(9, [](Engine& e) {
    EXPECT_EQ(e.ui.sentence, "LOOK coin");
    GameHarness::MoveMouse(336, 420);  // top border
  });
  g.At(11, [](Engine& e) {
    EXPECT_EQ(e.ui.sentence, "LOOK ");
    // Icons are drawn at the slots' corners.
    EXPECT_EQ(PixelAt(e.core.screen, 370, 420), kGreen);
    EXPECT_EQ(PixelAt(e.core.screen, 369, 420), kBlack);
    Lua(e, "RemoveFromInventory('key')");
  });
  g.At(13, [](Engine&) { GameHarness::MoveMouse(301, 421); });
  g.At(15, [](Engine& e) {
    EXPECT_EQ(e.ui.sentence, "LOOK coin");  // removal moved coin into slot 0
    EXPECT_FALSE(e.scene.objects.Get("key")->visible);
    Lua(e, "DefineInventory(300, 420, 30, 2147483647, 5)");  // the slot's bottom edge lies beyond int
    GameHarness::MoveMouse(336, 430);
  });
  g.At(17, [](Engine& e) { EXPECT_EQ(e.ui.sentence, "LOOK map"); });
  g.Run();
}

TEST(Inventory, ItemsCombineWithoutWalkingAndWithSceneObjectsAfterTheWalk) {
  VerbGame g(kInventory);
  g.ChooseVerb(3, kUse);
  ClickAt(g, 5, 305, 425);  // key (multi-use): first object
  ClickAt(g, 7, 345, 425);  // coin: the event at once, nobody walks
  g.At(9, [](Engine& e) { EXPECT_FLOAT_EQ(e.scene.hero->x, 300); });
  ClickAt(g, 10, 305, 425);  // key again
  ClickAt(g, 12, 105, 105);  // on the door: the hero walks to it first
  g.At(80, [](Engine& e) {
    EXPECT_FLOAT_EQ(e.scene.hero->x, 110);
    EXPECT_FLOAT_EQ(e.scene.hero->y, 150);
  });
  g.Run();
  EXPECT_EQ(g.Events(), "EVENT USE [key] [coin]\nEVENT USE [key] [door]\n");
  // An event on two inventory items names no object in its log line.
  EXPECT_NE(g.log.Text().find("LUA-EVENT-CALLED: USE \r\nEVENT USE [key] [door]"), std::string::npos);
}

TEST(Inventory, WalkAndTakeClicksPassThroughToTheScene) {
  VerbGame g(std::string(kInventory) + "MakeObject('rug', 'Rug', 300, 415)");
  g.ChooseVerb(3, kTake);
  ClickAt(g, 5, 305, 425);  // over slot 0, and over the rug
  g.Run();
  EXPECT_EQ(g.Events(), "EVENT TAKE [rug] []\n");
}

TEST(Inventory, ItemsWithoutIconsKeepTheirSlotButCannotBeHit) {
  VerbGame g(std::string(kInventory) + "MakeObject('note', 'Note', 0, 0) AddToInventory('note') AddToInventory('note')");
  g.At(1, [](Engine& e) { EXPECT_EQ(e.ui.inventory.Count(), 4); });
  g.ChooseVerb(3, kLook);
  ClickAt(g, 5, 410, 425);  // slot 3: the note without icon
  g.At(7, [](Engine& e) {
    Lua(e, "S('n', IsInInventory('note') + IsInInventory('door') * 10 + IsInInventory('nobody') * 100)");
    EXPECT_EQ(*e.text.variables.Get("n"), 1);
  });
  g.Run();
  EXPECT_EQ(g.Events(), "");
}

}  // namespace
