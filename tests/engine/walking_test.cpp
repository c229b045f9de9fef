// Walking the hero: floor clicks, WALK on objects with the REACHED report,
// the blocking walk before an event, and Goto.
#include <gtest/gtest.h>

#include "engine/game_fixtures.h"

namespace {

// Three boxes in a row from x 0 to 300, an island from 400 to 500; the hero
// at (50, 50) turns green when it faces right; the door's walk-to point is
// (250, 60), left of it.
const std::string kRoom =
    MapBytes({Rect(0, 0, 100, 100), Rect(100, 0, 200, 100), Rect(200, 0, 300, 100), Rect(400, 0, 500, 100)});
const std::string kWalker =
    "SetPos('hero', 50, 50) SetName('hero', 'Guybrush') LoadAnim('hero', 'right', 'icon.bmp', 20, 20, 0, 0, 1, 1) "
    "AssignAnim('hero', 'right', 'IDLERIGHT') MakeObject('door', 'Tuer', 300, 60) SetWalkToPos('door', 250, 60) ";
const char kNotReachable[] = "EVENT NOTREACHABLE [] []\nLUA-EVENT-CALLED: NOTREACHABLE \r\n";
const char kDoorNotReachable[] = "EVENT NOTREACHABLE [door] []\nLUA-EVENT-CALLED: NOTREACHABLE door\r\n";

// A floor click walks the hero along the found path only with WALK chosen;
// clicks are taken back into scene pixels; points outside every box, or a hero
// outside them, are reported not reachable; a box no way leads to is ignored.
TEST(ClickWalk, FloorClicksWithWalkFollowThePathOrAreReportedNotReachable) {
  ExpectRows({
      {"", {"click 250 60", "verb 1", "click 250 60", "hero", "verb 0", "click 250 60", "path", "wait 40", "hero"},
       "HERO 50,50\nPATH (50,50)(150,50)(250,60)\nHERO 250,60\n"},
      {"",
       {"verb 0", "scroll -100", "click 450 150", "click 320 50", "hero", "click 150 50", "path", "wait 30",
        "lua SetPos('hero', 250, 150)", "click 100 50"},
       "550,150 is notreachable for Guybrush\r\n" + std::string(kNotReachable) +
           "HERO 50,50\nPATH (50,50)(150,50)(250,50)\n200,50 is notreachable for Guybrush\r\n" + kNotReachable},
      // WALK on an object whose walk-to point lies outside every box, or where no way leads.
      {"", {"verb 0", "lua SetWalkToPos('door', 600, 50)", "click 305 65", "lua SetWalkToPos('door', 450, 50)",
            "click 305 65", "hero"},
       "Guybrush didn't find a Path to Tuer(600,50)\r\n" + std::string(kDoorNotReachable) +
           "Guybrush didn't find a Path to Tuer(450,50)\r\n" + kDoorNotReachable + "HERO 50,50\n"},
  }, kWalker, kRoom);
}

// Another verb walks to the object in nested frames (the steps see the hero on
// the way) before the event and turns the hero toward it; standing there, or
// without a walk-to point, the event comes at once; with no way there it is NOTREACHABLE.
TEST(WalkToObject, WalksThroughNestedFramesAndTurnsTheHero) {
  ExpectRows({
      {"", {"verb 10", "click 305 65", "hero", "wait 30", "hero", "pixel 255 65", "click 305 65",
            "lua SetWalkToPos('door', -1, -1)", "click 305 65", "lua SetWalkToPos('door', 600, 50)", "click 305 65",
            "lua SetWalkToPos('door', 450, 50)", "click 305 65"},
       "HERO 70,50\nEVENT KICK [door] []\nLUA-EVENT-CALLED: KICK door\r\nHERO 250,60\nPIXEL (0,200,0)\n"
       "EVENT KICK [door] []\nLUA-EVENT-CALLED: KICK door\r\nEVENT KICK [door] []\nLUA-EVENT-CALLED: KICK door\r\n" +
           std::string(kDoorNotReachable) + kDoorNotReachable},
      // A hero that cannot arrive ends the walk, also when hidden on the way by
      // the script of a nested frame, and is not left walking for ever.
      {"SetSpeed('hero', 0)",
       {"verb 10", "click 305 65", "lua SetSpeed('hero', 1000)", "wait 20", "hero", "lua Hide('hero')",
        "click 305 65", "lua Show('hero')", "click 305 65", "wait 2", "lua Hide('hero')", "lua Show('hero')",
        "wait 20", "hero"},
       "WalkToObject(door): the hero has speed 0 and cannot arrive, not waiting any longer\r\n" +
           std::string(kDoorNotReachable) + "HERO 50,50\n"
           "WalkToObject(door): the hero is hidden and cannot move, not waiting any longer\r\n" + kDoorNotReachable +
           "WalkToObject(door): the hero is hidden and cannot move, not waiting any longer\r\n" + kDoorNotReachable +
           "HERO 90,50\n"},
  }, kWalker, kRoom);
}

TEST(WalkToObject, WithoutAHeroTheEventIsNotReachable) {
  GameHarness game;
  WriteSceneGame(game, "LoadSystemFont('font.bmp', 8, 10, 430) MakeButtons() LoadPathMap('floor.map')"
                       "MakeObject('door', 'Door', 100, 100) SetWalkToPos('door', 110, 150)");
  RunSteps(game, {"verb 10", "click 105 105"});
  game.Run();
  EXPECT_EQ(FrameLog(game), "Exception cateched in WalkToObject()\r\n" + std::string(kDoorNotReachable));
}

// Goto heads straight there, off the walk area, then takes up the path at its
// next waypoint (the one it was heading for is passed over) and goes on to its end.
TEST(Goto, HeadsStraightThereAndThenTakesUpThePath) {
  ExpectRows({
      {"", {"verb 0", "click 250 60", "lua Goto('hero', 60, 150) Goto('nobody', 1, 1) SetSpeed('door', 1000) "
            "Goto('door', 600, 60.9)", "wait 8", "hero", "hero", "wait 30", "hero", "pixel 605 60", "lua Goto()"},
       "HERO 60,150\nHERO 80,140.526\nHERO 250,60\nPIXEL (200,0,0)\nException catched in lua_Goto\r\n"},
  }, kWalker, kRoom);
}

}  // namespace
