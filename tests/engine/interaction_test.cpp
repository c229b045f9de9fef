// Interaction: verb buttons and the menu background, the action sentence, the
// Event call, and the inventory row, driven by pointer and clicks.
#include <gtest/gtest.h>

#include "engine/game_fixtures.h"

namespace {

TEST(Menus, ButtonsLightAndTakeClicksAndTheMenuBackgroundIsDrawnBehindThem) {
  ExpectRows({
      // Buttons come only from exact verb words, the first under a key stays,
      // one without its picture is made all the same and is hit up to both far edges.
      {"LoadBackground('grey.bmp') CreateMenuButton('walk', 'button.bmp', 'x', 20, 10, 0, 300) "
       "CreateMenuButton('JUMP', 'button.bmp', 'x', 20, 10, 0, 300) ShowMenuButton('walk') ShowMenuButton('JUMP') "
       "CreateMenuButton('WALK', 'button.bmp', 'Run', 20, 10, 50, 300) "
       "CreateMenuButton('CUSTOM', 'missing.bmp', 'PEEK', 30, 40, 100, 300) ShowMenuButton('PEEK')",
       {"pixel 5 302", "pixel 55 302", "verb 9", "click 131 320", "sentence", "click 130 340", "sentence", "verb 9",
        "click 99 320", "sentence", "click 100 300", "sentence", "lua CreateMenuButton('TALK', 'button.bmp')"},
       "PIXEL (90,90,90)\nPIXEL (90,90,90)\nSENTENCE [LOOK ]\nSENTENCE [PEEK ]\nSENTENCE [LOOK ]\n"
       "SENTENCE [PEEK ]\nException catched in lua_CreateMenuButton\r\n"},
      // Buttons light under the pointer (JUMP over WALK and TALK), the earlier
      // made one takes the click, and the current verb stays lit: frame 1 of the
      // strip is white, frame 0 grey. No lighting while not interactive. The
      // lighting shows from the third frame after a move.
      {"CreateMenuButton('CUSTOM', 'button.bmp', 'JUMP', 20, 10, 10, 400) ShowMenuButton('JUMP') "
       "SetActiveButton('TALK')",
       {"sentence", "move 15 405", "wait 1", "pixel 2 402", "pixel 22 402", "click 15 405", "sentence", "move 300 300",
        "wait 1", "pixel 2 402", "pixel 22 402", "lua SetMode('MOVIE') SetActiveButton('nothing')", "move 22 405",
        "wait 1", "pixel 22 402"},
       "SENTENCE [TALK ]\nPIXEL (255,255,255)\nPIXEL (255,255,255)\nSENTENCE [WALK ]\nPIXEL (255,255,255)\n"
       "PIXEL (90,90,90)\nException catched in lua_SetActiveButton\r\nPIXEL (90,90,90)\n"},
      // The menu background of the last load that found its picture, while shown.
      {"LoadBackground('grey.bmp') LoadMenuBackground('red.bmp', 200, 300) LoadMenuBackground('missing.bmp', 5, 5) "
       "LoadMenuBackground('blue.bmp', 100, 100) ShowMenuBackground()",
       {"pixel 105 105", "pixel 205 305", "lua LoadMenuBackground('gone.bmp', 1, 1)", "pixel 105 105",
        "lua LoadMenuBackground()"},
       "PIXEL (0,0,200)\nPIXEL (90,90,90)\nlade Bild gone.bmp.ERR\r\nPIXEL (90,90,90)\n"
       "Exception catched in lua_LoadMenuBackground\r\n"},
  });
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

// A rectangle 'win' (100..150 x 100..130, edges included) and a triangle
// 'roof' (200,100 260,100 230,150, closed by hand) on a grey background.
const char kAreas[] =
    "LoadBackground('grey.bmp') CreateArea('win', 100, 100, 50, 30) SetName('win', 'Window') "
    "CreatePolygonArea('roof', 200, 100, 260, 100, 230, 150, 200, 100) SetName('roof', 'Roof') ";

TEST(Areas, AreasTakeVerbsAsObjectsDoUnderEveryPicture) {
  const std::string areas = kAreas;
  ExpectRows({
      // Inside and on the edges, never drawn.
      {areas,
       {"verb 9", "move 125 115", "sentence", "move 150 130", "sentence", "move 151 130", "sentence", "pixel 125 115",
        "move 230 120", "sentence", "move 215 140", "sentence", "click 230 150"},
       "SENTENCE [LOOK Window]\nSENTENCE [LOOK Window]\nSENTENCE [LOOK ]\nPIXEL (90,90,90)\nSENTENCE [LOOK Roof]\n"
       "SENTENCE [LOOK ]\nEVENT LOOK [roof] []\nLUA-EVENT-CALLED: LOOK roof\r\n"},
      // A picture over an area takes the pointer, named or not, unless it
      // passes clicks; of two areas the later made lies on top.
      {areas + "MakeObject('door', 'Door', 120, 105) MakeObject('ghost', '', 100, 100) MakeObject('bush', '', 200, 100) "
               "PassClicks('bush') CreateArea('pane', 140, 120, 20, 20) SetName('pane', 'Pane')",
       {"verb 9", "move 125 110", "sentence", "click 125 110", "move 105 105", "sentence", "click 105 105",
        "move 205 105", "sentence", "move 145 128", "sentence", "click 145 128"},
       "SENTENCE [LOOK Door]\nEVENT LOOK [door] []\nLUA-EVENT-CALLED: LOOK door\r\nSENTENCE [LOOK ]\n"
       "SENTENCE [LOOK Roof]\nSENTENCE [LOOK Pane]\nEVENT LOOK [pane] []\nLUA-EVENT-CALLED: LOOK pane\r\n"},
      // USE with an item after the walk to the area's walk-to point.
      {areas + "SetWalkToPos('win', 110, 150) " + kInventory, {"verb 4", "click 305 425", "click 125 115", "wait 60", "hero"},
       "EVENT USE [key] [win]\nLUA-EVENT-CALLED: USE win\r\nHERO 110,150\n"},
      // Hidden, shown again; a scene switch takes the outline away for good.
      {"function DeInit() end CreateArea('gone', 0, 0, 30, 30) SetName('gone', 'Gone')",
       {"verb 9", "lua CreateArea('win', 100, 100, 50, 30) SetName('win', 'Window') Hide('win')", "move 125 115",
        "sentence", "lua Show('win')", "move 126 115", "sentence", "lua LoadSzene('init.lua') Show('win')", "verb 9",
        "move 125 115", "sentence", "move 5 5", "sentence"},
       "SENTENCE [LOOK ]\nSENTENCE [LOOK Window]\n<<< DeInit Scene >>>\r\nLoad Script <<init.lua>>...OK\r\n"
       "<<< CALL INIT-FUNCTION >>>\r\nInitialized 255 Characters\nLoad PathMap <<floor.map>>...(X:0, Y:0)(X:639, Y:0)"
       "(X:639, Y:479)(X:0, Y:479)Boxes loaded from Map-File (floor.map)\r\nOK\r\n<<< CALL MAIN-FUNCTION >>>\r\n"
       "SENTENCE [LOOK ]\nSENTENCE [LOOK Gone]\n"},
      // An unnamed picture that passes clicks lets the click walk the hero there.
      {"MakeObject('bush', '', 400, 100) PassClicks('bush')", {"verb 0", "click 405 105", "wait 20", "hero"},
       "HERO 405,105\n"},
      // Faulty outlines and unknown ids fail the call and make nothing.
      {"LoadBackground('grey.bmp')",
       {"lua CreatePolygonArea('a', 0, 0, 10, 10) CreatePolygonArea('a', 20, 10, 20, 0, 0, 20, 0, 0) "
        "CreatePolygonArea('a', 0, 0, 5, 5, 10, 10) CreateArea('a', 0, 0, 0, 10) CreateArea('a', 1281, 0, 10, 10) "
        "PassClicks('nobody') SetName('a', 'A')",
        "verb 9", "move 5 5", "sentence"},
       "Exception catched in lua_CreatePolygonArea\r\nException catched in lua_CreatePolygonArea\r\n"
       "Exception catched in lua_CreatePolygonArea\r\nException catched in lua_CreateArea\r\n"
       "Exception catched in lua_CreateArea\r\nException catched in lua_PassClicks\r\nSENTENCE [LOOK ]\n"},
  });
}

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

// Once a game chose its quitting keys, keys and a gamepad point and click:
// Tab steps through what takes a click in reading order (the door, the rock,
// then the buttons of row y 400, round to the door), arrows and the stick
// move, slowly at first and then faster, Return and A click, H and Y show the
// hotspots while held; a gamepad's other axes and buttons do nothing.
TEST(PointerKeys, KeysAndAGamepadPointAndClickOnceTheGameFreedTheKeys) {
  const std::string scene = "SetQuitKeys('ESCAPE') MakeObject('door', 'Door', 100, 100) MakeObject('rock', 'Rock', 200, 100) ";
  ExpectRows({
      {scene,
       {"verb 9", "move 0 0", "key TAB", "pointer", "key TAB", "pointer", "key SHIFT+TAB", "pointer",
        "key SHIFT+TAB", "pointer", "key TAB", "key TAB", "key RETURN", "wait 2"},
       "POINTER 110,110\nPOINTER 210,110\nPOINTER 110,110\nPOINTER 260,405\n"
       "EVENT LOOK [rock] []\nLUA-EVENT-CALLED: LOOK rock\r\n"},
      {scene,
       {"move 400 200", "key RIGHT", "wait 4", "pointer", "wait 60", "keyup RIGHT", "pointer", "wait 4", "pointer",
        "key ESCAPE"},
       "POINTER 414,200\nPOINTER 592,200\nPOINTER 592,200\n"},
      {scene,
       {"move 400 200", "joy axis 1 -32000", "wait 4", "joy axis 1 100", "pointer", "joy hat 2", "wait 1",
        "joy hat 0", "pointer", "joy axis 7 -32768", "joy button 99", "joy hat 255", "joy hat 0", "pointer",
        "verb 9", "move 0 0", "joy button 5", "joy button 0", "wait 2"},
       "POINTER 400,186\nPOINTER 408,186\nPOINTER 408,186\nEVENT LOOK [door] []\nLUA-EVENT-CALLED: LOOK door\r\n"},
      // The reveal draws a white mark in black at the door's middle, nothing else changes.
      {scene,
       {"move 400 200", "pixel 110 110", "key H", "pixel 110 110", "pixel 106 106", "keyup H", "pixel 110 110",
        "joy button 3", "pixel 110 110", "joy buttonup 3", "pixel 110 110"},
       "PIXEL (200,0,0)\nPIXEL (255,255,255)\nPIXEL (0,0,0)\nPIXEL (200,0,0)\nPIXEL (255,255,255)\n"
       "PIXEL (200,0,0)\n"},
      // Areas are stepped to at a point of their middle row inside them.
      {"SetQuitKeys('ESCAPE') " + std::string(kAreas), {"move 0 0", "key TAB", "pointer", "key TAB", "pointer"},
       "POINTER 125,115\nPOINTER 230,125\n"},
      // A picture drawn at half its size is stepped to at its drawn middle.
      {scene + "SetDepthScale(50, 50, 400, 50) DepthScaleOn('door')", {"move 0 0", "key TAB", "pointer"},
       "POINTER 105,105\n"},
      // Without SetQuitKeys every key but F5 ends the game, as it always did.
      {"MakeObject('door', 'Door', 100, 100)", {"key TAB", "pointer"}, ""},
  });
}

}  // namespace
