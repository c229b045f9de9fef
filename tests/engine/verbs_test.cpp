// Verbs, the action sentence and the Event call, driven by pointer and clicks.
#include <gtest/gtest.h>

#include "ui_fixtures.h"

extern "C" {
#include <lauxlib.h>
}

namespace {

using namespace ui_test;

// The standard scene: ten verb buttons and KICK at y 400, a hero standing at
// (300, 300) on a floor covering the screen, and the objects the test adds.
struct VerbGame {
  GameHarness game;
  explicit VerbGame(const std::string& setUp, bool withFont = true) {
    WriteMedia(game);
    game.Write("init.lua", std::string(kSceneLibrary) + "function Init()\n" +
                               (withFont ? "  LoadSystemFont('font.bmp', 8, 10, 430)\n" : "") +
                               "  MakeButtons()\n"
                               "  LoadPathMap('floor.map')\n"
                               "  MakeObject('hero', 'Hero', 300, 300, 'blue.bmp') SetHero('hero') SetSpeed('hero', 1000)\n" +
                               setUp + "\nend\nfunction Main() end\n");
    game.stopAfterFrames = 120;
  }
  // Clicks the verb button with the given index (0 WALK ... 9 LOOK, 10 KICK).
  void ChooseVerb(Uint32 frame, int index) { ClickAt(game, frame, index * 25 + 5, 405); }
  std::string Events() {
    std::string events;
    const std::string& log = game.log.Text();
    for (size_t at = log.find("EVENT "); at != std::string::npos; at = log.find("EVENT ", at + 1)) {
      if (at > 0 && log[at - 1] == '-') continue;  // the engine's own LUA-EVENT-CALLED line
      events += log.substr(at, log.find('\n', at) - at) + "\n";
    }
    return events;
  }
};

const int kLook = 9, kUse = 4, kGive = 3, kWalk = 0, kTake = 2, kKick = 10;

TEST(Verbs, WithoutAVerbClicksDoNothingAndNoSentenceIsDrawn) {
  VerbGame g("MakeObject('door', 'Door', 100, 100)");
  ClickAt(g.game, 3, 105, 105);
  g.game.At(6, [](Engine& e) {
    EXPECT_EQ(e.ui.sentence, " ");
    for (int x = 10; x < 60; ++x)
      for (int y = 430; y < 438; ++y) ASSERT_EQ(GetPixel(e.core.screen, x, y), 0u) << x << "," << y;
    EXPECT_FLOAT_EQ(e.scene.hero->x, 300);
  });
  g.game.Run();
  EXPECT_EQ(g.Events(), "");
}

TEST(Verbs, AVerbButtonTakesItsClickAlone) {
  // The door lies under the USE button; a click there only chooses the verb.
  VerbGame g("MakeObject('door', 'Door', 100, 395)");
  g.ChooseVerb(3, kLook);
  g.ChooseVerb(6, kUse);
  g.game.At(8, [](Engine& e) {
    ASSERT_NE(e.ui.currentVerb, nullptr);
    EXPECT_EQ(e.ui.currentVerb->VerbWord(), "USE");
    EXPECT_EQ(e.ui.buttons.Get("USE")->lit, 1);
    EXPECT_EQ(e.ui.buttons.Get("LOOK")->lit, 0);
  });
  g.game.Run();
  EXPECT_EQ(g.Events(), "");
}

TEST(Verbs, TheSentenceFollowsVerbAndSelection) {
  VerbGame g("MakeObject('door', 'Door', 100, 100) SetMultiUse('door')\n"
             "MakeObject('apple', 'Apple', 200, 100)");
  g.ChooseVerb(3, kLook);
  g.game.At(5, [](Engine& e) { EXPECT_EQ(e.ui.sentence, "LOOK "); GameHarness::MoveMouse(105, 105); });
  g.game.At(7, [](Engine& e) { EXPECT_EQ(e.ui.sentence, "LOOK Door"); });
  g.ChooseVerb(9, kUse);
  ClickAt(g.game, 12, 105, 105);  // first object of a two-object USE
  g.game.At(13, [](Engine&) { GameHarness::MoveMouse(400, 200); });
  g.game.At(15, [](Engine& e) {
    EXPECT_EQ(e.ui.sentence, "USE Door  ");  // no use word yet: two blanks
    luaL_dostring(e.script.L, "SetUseWord('with')");
    GameHarness::MoveMouse(205, 105);
  });
  g.game.At(17, [](Engine& e) { EXPECT_EQ(e.ui.sentence, "USE Door with Apple"); });
  g.ChooseVerb(18, kGive);  // the first object stays chosen across the switch
  g.game.At(20, [](Engine&) { GameHarness::MoveMouse(205, 105); });
  g.game.At(22, [](Engine& e) { EXPECT_EQ(e.ui.sentence, "GIVE Door an Apple"); });
  ClickAt(g.game, 24, 205, 105);
  g.game.Run();
  EXPECT_EQ(g.Events(), "EVENT GIVE [door] [apple]\n");
}

TEST(Verbs, UseActsAtOnceOnSingleUseObjectsAndWaitsOnMultiUse) {
  VerbGame g("MakeObject('apple', 'Apple', 200, 100)\n"
             "MakeObject('door', 'Door', 100, 100) SetMultiUse('door')");
  g.ChooseVerb(3, kUse);
  ClickAt(g.game, 5, 205, 105);   // apple: single-use
  ClickAt(g.game, 8, 105, 105);   // door: waits for a second object
  ClickAt(g.game, 11, 105, 105);  // the same object again
  g.game.At(13, [](Engine& e) { EXPECT_EQ(e.ui.selectionCount, 0); });
  g.game.Run();
  EXPECT_EQ(g.Events(), "EVENT USE [apple] []\nEVENT USE [door] [door]\n");
}

TEST(Verbs, OverlappingObjectsTheFrontNamesTheBackTakesTheClick) {
  VerbGame g("MakeObject('back', 'Back', 100, 100)\nMakeObject('front', 'Front', 110, 105)");
  g.ChooseVerb(3, kLook);
  g.game.At(5, [](Engine&) { GameHarness::MoveMouse(115, 110); });
  g.game.At(7, [](Engine& e) { EXPECT_EQ(e.ui.sentence, "LOOK Front"); });
  ClickAt(g.game, 8, 115, 110);
  g.game.Run();
  EXPECT_EQ(g.Events(), "EVENT LOOK [back] []\n");
}

TEST(Verbs, AnObjectWithoutADisplayNameSwallowsTheClick) {
  VerbGame g("MakeObject('ghost', '', 100, 100)");
  g.ChooseVerb(3, kWalk);
  ClickAt(g.game, 5, 105, 105);
  g.game.At(30, [](Engine& e) {
    EXPECT_FLOAT_EQ(e.scene.hero->x, 300);
    EXPECT_FALSE(e.scene.hero->moving);
  });
  g.game.Run();
  EXPECT_EQ(g.Events(), "");
}

TEST(Verbs, WalkOnAnObjectWithAWalkToPointReportsReachedOnceAndRestoresTheDefault) {
  VerbGame g("MakeObject('door', 'Door', 100, 100) SetWalkToPos('door', 110, 150)\n"
             "MakeObject('rock', 'Rock', 200, 100)\nSetDefaultButton('LOOK')");
  g.ChooseVerb(3, kWalk);
  ClickAt(g.game, 5, 205, 105);  // rock: no walk-to point, nothing at all
  g.game.At(8, [](Engine& e) { EXPECT_FALSE(e.scene.hero->moving); });
  ClickAt(g.game, 9, 105, 105);
  g.game.At(100, [](Engine& e) {
    EXPECT_FLOAT_EQ(e.scene.hero->x, 110);
    EXPECT_FLOAT_EQ(e.scene.hero->y, 150);
    EXPECT_EQ(e.ui.currentVerb, e.ui.buttons.Get("LOOK"));
    EXPECT_EQ(e.walk.target, nullptr);
  });
  g.game.Run();
  EXPECT_EQ(g.Events(), "EVENT REACHED [door] []\n");
  EXPECT_NE(g.game.log.Text().find("LUA-EVENT-CALLED: REACHED door\r\n"), std::string::npos);
}

TEST(Verbs, AOneObjectEventWalksToTheWalkToPointFirst) {
  VerbGame g("MakeObject('door', 'Door', 100, 100) SetWalkToPos('door', 110, 150)\n"
             "MakeObject('rock', 'Rock', 200, 100)");
  g.ChooseVerb(3, kKick);
  ClickAt(g.game, 5, 105, 105);
  g.game.At(60, [](Engine& e) {
    EXPECT_FLOAT_EQ(e.scene.hero->x, 110);
    EXPECT_FLOAT_EQ(e.scene.hero->y, 150);
  });
  ClickAt(g.game, 61, 205, 105);  // no walk-to point: the event comes at once
  g.game.Run();
  EXPECT_EQ(g.Events(), "EVENT KICK [door] []\nEVENT KICK [rock] []\n");
  EXPECT_NE(g.game.log.Text().find("LUA-EVENT-CALLED: KICK door\r\n"), std::string::npos);
}

TEST(Verbs, AnyMouseButtonClicks) {
  VerbGame g("MakeObject('door', 'Door', 100, 100)");
  ClickAt(g.game, 3, kLook * 25 + 5, 405, SDL_BUTTON_RIGHT);
  ClickAt(g.game, 5, 105, 105, SDL_BUTTON_MIDDLE);
  g.game.Run();
  EXPECT_EQ(g.Events(), "EVENT LOOK [door] []\n");
}

TEST(Verbs, WithoutASystemFontObjectsIgnoreThePointer) {
  VerbGame g("MakeObject('door', 'Door', 100, 100)", /*withFont=*/false);
  g.ChooseVerb(3, kWalk);
  g.game.At(5, [](Engine&) { GameHarness::MoveMouse(105, 105); });
  g.game.At(7, [](Engine& e) { EXPECT_EQ(e.ui.sentence, "WALK "); });
  ClickAt(g.game, 8, 105, 105);  // handled like the floor: the hero walks there
  g.game.At(100, [](Engine& e) {
    EXPECT_FLOAT_EQ(e.scene.hero->x, 105);
    EXPECT_FLOAT_EQ(e.scene.hero->y, 105);
  });
  g.game.Run();
  EXPECT_EQ(g.Events(), "");
}

}  // namespace
