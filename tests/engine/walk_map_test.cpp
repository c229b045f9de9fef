// Loading walk maps from scripts: loose files, pack entries and their messages.
#include <gtest/gtest.h>

extern "C" {
#include <lauxlib.h>
}

#include "resources/pack_writer.h"
#include "support/game_harness.h"
#include "support/walk_map_bytes.h"

namespace {

const char kIdleGame[] = "function Init() end\nfunction Main() end\nfunction DeInit() end\n";

// Runs code as a script chunk and returns what it logged and the box count after it.
struct MapProbe {
  std::string log;
  int boxes = -1;
};

MapProbe Load(GameHarness& game, Engine& e, const std::string& code) {
  game.log.Clear();
  EXPECT_EQ(luaL_dostring(e.script.L, code.c_str()), 0) << code;
  return MapProbe{game.log.Text(), e.walk.map->BoxCount()};
}

TEST(LoadPathMap, LooseFilesAndPackEntries) {
  GameHarness game;
  game.Write("init.lua", kIdleGame);
  std::string one = MapBytes({Rect(0, 0, 10, 10)});
  std::string two = MapBytes({Rect(1, 2, 3, 4), Rect(5, 6, 7, 8)});
  std::string three = MapBytes({Rect(0, 0, 1, 1), Rect(0, 0, 2, 2), Rect(0, 0, 3, 3)});
  game.Write("maps.dat", BuildDataPack({one, three, two, two.substr(0, 18), ""}));
  game.Write("two.map", two);
  game.At(1, [&](Engine& e) {
    MapProbe p = Load(game, e, "LoadPathMap('maps.dat:2')");
    EXPECT_EQ(p.log, "Load PathMap <<maps.dat:2>>...OK\r\n");
    EXPECT_EQ(p.boxes, 2);
    EXPECT_EQ(e.walk.map->BoxAt(1).corners[2], (WalkPoint{7, 8}));

    p = Load(game, e, "LoadPathMap('maps.dat:-1')");
    EXPECT_EQ(p.log, "Load PathMap <<maps.dat:-1>>...ERR: Fehler beim Laden aus maps.dat.\r\n");
    EXPECT_EQ(p.boxes, 2);

    p = Load(game, e, "LoadPathMap('maps.dat:3')");  // 18 bytes
    EXPECT_EQ(p.log, "Load PathMap <<maps.dat:3>>...Invalid BoxBuffer\r\nOK\r\n");
    EXPECT_EQ(p.boxes, 2);

    p = Load(game, e, "LoadPathMap('maps.dat:4')");  // an empty entry reads as missing
    EXPECT_EQ(p.log, "Load PathMap <<maps.dat:4>>...ERR: Datei <<maps.dat>> existiert nicht.\r\n");
    p = Load(game, e, "LoadPathMap('nothing.dat:1')");
    EXPECT_EQ(p.log, "Load PathMap <<nothing.dat:1>>...ERR: Datei <<nothing.dat>> existiert nicht.\r\n");
    EXPECT_EQ(p.boxes, 2);

    p = Load(game, e, "LoadPathMap('maps.dat:0') LoadPathMap('two.map')");
    EXPECT_EQ(p.log, "Load PathMap <<maps.dat:0>>...OK\r\nLoad PathMap <<two.map>>...(X:1, Y:2)(X:3, Y:2)(X:3, Y:4)(X:1, Y:4)"
                     "(X:5, Y:6)(X:7, Y:6)(X:7, Y:8)(X:5, Y:8)Boxes loaded from Map-File (two.map)\r\nOK\r\n");
    EXPECT_EQ(p.boxes, 2);

    p = Load(game, e, "LoadPathMap('')");
    EXPECT_EQ(p.log, "");
    EXPECT_EQ(p.boxes, 2);
    p = Load(game, e, "LoadPathMap()");
    EXPECT_EQ(p.log, "Exception catched in lua_LoadPathMap\r\n");

    p = Load(game, e, "LoadPathMap('missing.map')");
    EXPECT_EQ(p.log, "Load PathMap <<missing.map>>...Boxes loaded from Map-File (missing.map)\r\nOK\r\n");
    EXPECT_EQ(p.boxes, 0);
  });
  game.stopAfterFrames = 2;
  game.Run();
}

TEST(LoadPathMap, DamagedPacksReadNoFurtherThanTheirData) {
  GameHarness game;
  game.Write("init.lua", kIdleGame);
  std::string pack = BuildDataPack({MapBytes({Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)})});
  game.Write("cut.dat", pack.substr(0, pack.size() - 5));  // entry runs past the end
  game.Write("tiny.dat", "ab");
  game.At(1, [&](Engine& e) {
    MapProbe p = Load(game, e, "LoadPathMap('cut.dat:0')");
    EXPECT_EQ(p.log, "Load PathMap <<cut.dat:0>>...[cut.dat: Eintrag 0 fehlt oder ist beschaedigt] "
                     "ERR: Datei <<cut.dat>> existiert nicht.\r\n");
    p = Load(game, e, "LoadPathMap('tiny.dat:0') LoadPathMap('tiny.dat:99999')");
    EXPECT_EQ(p.boxes, 0);
  });
  game.stopAfterFrames = 2;
  game.Run();
}

}  // namespace
