// Walking the hero: floor clicks, WALK on objects with the REACHED report,
// the blocking walk before an event, and Goto.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "engine/game_fixtures.h"
#include "support/walk_map_bytes.h"
#include "ui/menu_button.h"
#include "ui/pointer_walk.h"
#include "walk/walk_to_object.h"

namespace {

// Three boxes in a row from x 0 to 300, and an island from 400 to 500.
const char kGame[] =
    "function Init()\n"
    "  LoadPathMap('room.map')\n"
    "  CreateObject('hero') SetName('hero', 'Guybrush')\n"
    "  LoadAnim('hero', 'stand', 'pic.bmp', 10, 10, 5, 9, 1, 0) SetAnim('hero', 'stand')\n"
    "  LoadAnim('hero', 'right', 'pic.bmp', 10, 10, 5, 9, 1, 0) AssignAnim('hero', 'right', 'IDLERIGHT')\n"
    "  SetPos('hero', 50, 50) SetSpeed('hero', 1000) Show('hero') SetHero('hero')\n"
    "  CreateObject('door') SetName('door', 'Tuer')\n"
    "  LoadAnim('door', 'a', 'pic.bmp', 10, 10, 0, 0, 1, 0) SetAnim('door', 'a')\n"
    "  SetPos('door', 300, 60) Show('door') SetWalkToPos('door', 250, 60)\n"
    "end\n"
    "function Main() end\n"
    "function Event(verb, first, second) print('Event ' .. verb .. ' [' .. first .. '] [' .. second .. ']') end\n";

struct WalkGame : GameHarness {
  WalkGame() {
    Write("init.lua", kGame);
    Write("room.map", MapBytes({Rect(0, 0, 100, 100), Rect(100, 0, 200, 100), Rect(200, 0, 300, 100),
                                Rect(400, 0, 500, 100)}));
    SaveBmp(Paint(10, 10, kRed), Path("pic.bmp"));
    stopAfterFrames = 80;
  }
  // Runs fn after every frame up to the last one.
  void EveryFrame(std::function<void(Engine&, Uint32)> fn) {
    for (Uint32 f = 1; f <= stopAfterFrames; ++f) At(f, [fn, f](Engine& e) { fn(e, f); });
  }
  // The log of the frames: from the start of the loop to its closing report.
  std::string FrameLog() {
    std::string text = LogFrom(log.Text(), "<<< CALL GAMELOOP >>>\r\n");
    return text.substr(0, text.find("Average FPS"));
  }
};

// Makes the button of that verb word the current verb (the button registry
// owns it, as verb buttons made by scripts are owned).
void ChooseVerb(Engine& e, const char* word) {
  MenuButton* button = e.ui.buttons.Get(word);
  if (!button) {
    button = new MenuButton;
    button->label = word;
    e.ui.buttons.Add(word, button);
  }
  e.ui.currentVerb = button;
}

AdventureObject& Hero(Engine& e) { return *e.scene.hero; }
AdventureObject& Door(Engine& e) { return *e.scene.objects.Get("door"); }
WalkPoint At(const AdventureObject& o) { return WalkPoint{static_cast<int>(o.x), static_cast<int>(o.y)}; }

// A floor click walks the hero along the found path only with WALK chosen;
// clicks are taken back into scene pixels; points outside every box, or a hero
// outside them, are reported not reachable; a box no way leads to is ignored.
TEST(ClickWalk, FloorClicksWithWalkFollowThePathOrAreReportedNotReachable) {
  const std::string room =
      MapBytes({Rect(0, 0, 100, 100), Rect(100, 0, 200, 100), Rect(200, 0, 300, 100), Rect(400, 0, 500, 100)});
  const char* hero = "SetPos('hero', 50, 50) SetName('hero', 'Guybrush')";
  const char* notReachable = "EVENT NOTREACHABLE [] []\nLUA-EVENT-CALLED: NOTREACHABLE \r\n";
  const SceneRow rows[] = {
      {hero,
       {"click 250 60", "verb 1", "click 250 60", "hero", "verb 0", "click 250 60", "path", "wait 40", "hero"},
       "HERO 50,50\nPATH (50,50)(150,50)(250,60)\nHERO 250,60\n", true, room},
      {hero,
       {"verb 0", "scroll -100", "click 450 150", "click 320 50", "hero", "click 150 50", "path", "wait 30",
        "lua SetPos('hero', 250, 150)", "click 100 50"},
       "550,150 is notreachable for Guybrush\r\n" + std::string(notReachable) +
           "HERO 50,50\nPATH (50,50)(150,50)(250,50)\n200,50 is notreachable for Guybrush\r\n" + notReachable,
       true, room},
  };
  for (const SceneRow& row : rows) EXPECT_EQ(PlayRow(row), row.log);
}

TEST(ClickWalk, WalkToAnObjectThatCannotBeReached) {
  WalkGame game;
  game.EveryFrame([&game](Engine& e, Uint32 frame) {
    if (frame == 1) {
      Lua(e, "SetWalkToPos('door', 600, 50)");
      e.walk.target = &Door(e);
      GameHarness::Click(10, 10);
    }
    if (frame == 2) {
      Lua(e, "SetWalkToPos('door', 450, 50)");  // in a box, but no way leads there
      e.walk.target = &Door(e);
      GameHarness::Click(10, 10);
    }
  });
  game.stopAfterFrames = 4;
  game.Run();
  EXPECT_EQ(game.FrameLog(),
            "<<< CALL GAMELOOP >>>\r\n"
            "Guybrush didn't find a Path to Tuer(600,50)\r\nEvent NOTREACHABLE [door] []\n"
            "LUA-EVENT-CALLED: NOTREACHABLE door\r\n"
            "Guybrush didn't find a Path to Tuer(450,50)\r\nEvent NOTREACHABLE [door] []\n"
            "LUA-EVENT-CALLED: NOTREACHABLE door\r\n");
  EXPECT_EQ(At(Hero(game.engine)), (WalkPoint{50, 50}));
}

TEST(WalkToObject, WalksThroughNestedFramesAndTurnsTheHero) {
  WalkGame game;
  bool ran = false;
  game.At(1, [&ran](Engine& e) {
    ran = true;
    Uint32 before = e.timing.frameCounter;
    EXPECT_TRUE(WalkToObject(e, &Door(e)));
    EXPECT_EQ(At(Hero(e)), (WalkPoint{250, 60}));
    EXPECT_GT(e.timing.frameCounter, before + 15);
    EXPECT_EQ(Hero(e).currentAnimation, Hero(e).animations.Get("right"));

    // Already there: one frame, and the hero turns toward the object.
    Lua(e, "SetAnim('hero', 'stand')");
    before = e.timing.frameCounter;
    EXPECT_TRUE(WalkToObject(e, &Door(e)));
    EXPECT_EQ(e.timing.frameCounter, before + 1);
    EXPECT_EQ(Hero(e).currentAnimation, Hero(e).animations.Get("right"));

    // Nowhere to walk to: no frame, no turn.
    Lua(e, "SetAnim('hero', 'stand') SetWalkToPos('door', -1, -1)");
    before = e.timing.frameCounter;
    EXPECT_TRUE(WalkToObject(e, &Door(e)));
    EXPECT_EQ(e.timing.frameCounter, before);
    EXPECT_EQ(Hero(e).currentAnimation, Hero(e).animations.Get("stand"));

    // Outside every box, or no way there.
    for (const char* to : {"SetWalkToPos('door', 600, 50)", "SetWalkToPos('door', 450, 50)"}) {
      Lua(e, to);
      EXPECT_FALSE(WalkToObject(e, &Door(e))) << to;
      EXPECT_EQ(e.timing.frameCounter, before);
    }
  });
  game.stopAfterFrames = 2;
  game.Run();
  EXPECT_TRUE(ran);
  EXPECT_EQ(game.log.Text().find("Exception"), std::string::npos);
}

TEST(WalkToObject, AHeroThatCannotArriveEndsTheWalk) {
  WalkGame game;
  bool ran = false;
  game.At(1, [&](Engine& e) {
    ran = true;
    game.log.Clear();
    Lua(e, "SetSpeed('hero', 0)");
    EXPECT_FALSE(WalkToObject(e, &Door(e)));
    EXPECT_FALSE(Hero(e).moving);  // not left walking for ever
    Lua(e, "SetSpeed('hero', 1000) Hide('hero')");
    EXPECT_FALSE(WalkToObject(e, &Door(e)));
    EXPECT_EQ(At(Hero(e)), (WalkPoint{50, 50}));
    EXPECT_EQ(game.log.Text(),
              "WalkToObject(door): the hero has speed 0 and cannot arrive, not waiting any longer\r\n"
              "WalkToObject(door): the hero is hidden and cannot move, not waiting any longer\r\n");
    // Hidden on the way, by the script of a nested frame.
    Lua(e, "Show('hero')");
    game.log.Clear();
    Uint32 start = e.timing.frameCounter;
    game.At(start + 4, [](Engine& e) { Lua(e, "Hide('hero')"); });
    EXPECT_FALSE(WalkToObject(e, &Door(e)));
    EXPECT_EQ(e.timing.frameCounter, start + 4);
    EXPECT_EQ(game.log.Text(), "WalkToObject(door): the hero is hidden and cannot move, not waiting any longer\r\n");

    game.log.Clear();
    e.scene.hero = nullptr;
    EXPECT_FALSE(WalkToObject(e, &Door(e)));
    EXPECT_EQ(game.log.Text(), "Exception cateched in WalkToObject()\r\n");
  });
  game.stopAfterFrames = 2;
  game.Run();
  EXPECT_TRUE(ran);
}

TEST(Goto, HeadsStraightThereAndThenTakesUpThePath) {
  WalkGame game;
  std::vector<WalkPoint> positions;
  game.EveryFrame([&](Engine& e, Uint32 frame) {
    if (frame == 1) {
      ChooseVerb(e, "WALK");
      GameHarness::Click(250, 60);
    }
    if (frame == 4) {
      Lua(e, "Goto('hero', 60, 150) Goto('nobody', 1, 1) SetSpeed('door', 1000) Goto('door', 700, 60.9)");
      EXPECT_EQ(game.FrameLog(), "<<< CALL GAMELOOP >>>\r\n");
      Lua(e, "Goto()");
    }
    positions.push_back(At(Hero(e)));
  });
  game.Run();
  // Off the walk area to the Goto point, then on to the path's next waypoint
  // (the one it was heading for is passed over) and to its end.
  EXPECT_NE(std::find(positions.begin(), positions.end(), WalkPoint{60, 150}), positions.end());
  EXPECT_EQ(std::find(positions.begin(), positions.end(), WalkPoint{150, 50}), positions.end());
  EXPECT_EQ(positions.back(), (WalkPoint{250, 60}));
  EXPECT_EQ(At(Door(game.engine)), (WalkPoint{700, 60}));
  EXPECT_EQ(game.FrameLog(), "<<< CALL GAMELOOP >>>\r\nException catched in lua_Goto\r\n");
}

}  // namespace
