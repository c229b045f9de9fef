// Loading walk maps from scripts: loose files, pack entries and their messages.
#include <gtest/gtest.h>

#include "resources/pack_writer.h"
#include "support/game_harness.h"
#include "support/walk_map_bytes.h"

namespace {

// Each call in turn, after the ones before it: what it logs and the boxes of
// the map the engine then walks on (a failed load keeps the map it had).
TEST(LoadPathMap, LooseFilesAndPackEntriesAndTheirMessages) {
  GameHarness game;
  game.Write("init.lua", "function Init() end\nfunction Main() end\n");
  std::string two = MapBytes({Rect(1, 2, 3, 4), Rect(5, 6, 7, 8)});
  std::string three = MapBytes({Rect(0, 0, 1, 1), Rect(0, 0, 2, 2), Rect(0, 0, 3, 3)});
  game.Write("maps.dat", BuildDataPack({MapBytes({Rect(0, 0, 10, 10)}), three, two, two.substr(0, 18), ""}));
  game.Write("two.map", two);
  const struct {
    const char* code;
    std::string log;
    int boxes;
  } calls[] = {
      {"LoadPathMap('maps.dat:2')", "Load PathMap <<maps.dat:2>>...OK\r\n", 2},
      {"LoadPathMap('maps.dat:-1')", "Load PathMap <<maps.dat:-1>>...ERR: Fehler beim Laden aus maps.dat.\r\n", 2},
      {"LoadPathMap('maps.dat:3')", "Load PathMap <<maps.dat:3>>...Invalid BoxBuffer\r\nOK\r\n", 2},  // 18 bytes
      // An empty entry reads as missing.
      {"LoadPathMap('maps.dat:4')", "Load PathMap <<maps.dat:4>>...ERR: Datei <<maps.dat>> existiert nicht.\r\n", 2},
      {"LoadPathMap('nothing.dat:1')",
       "Load PathMap <<nothing.dat:1>>...ERR: Datei <<nothing.dat>> existiert nicht.\r\n", 2},
      {"LoadPathMap('maps.dat:0') LoadPathMap('two.map')",
       "Load PathMap <<maps.dat:0>>...OK\r\nLoad PathMap <<two.map>>...(X:1, Y:2)(X:3, Y:2)(X:3, Y:4)(X:1, Y:4)"
       "(X:5, Y:6)(X:7, Y:6)(X:7, Y:8)(X:5, Y:8)Boxes loaded from Map-File (two.map)\r\nOK\r\n",
       2},
      {"LoadPathMap('')", "", 2},
      {"LoadPathMap()", "Exception catched in lua_LoadPathMap\r\n", 2},
      {"LoadPathMap('missing.map')",
       "Load PathMap <<missing.map>>...Boxes loaded from Map-File (missing.map)\r\nOK\r\n", 0},
  };
  game.At(1, [&](Engine& e) {
    for (const auto& call : calls) {
      game.log.Clear();
      Lua(e, call.code);
      EXPECT_EQ(game.log.Text(), call.log) << call.code;
      EXPECT_EQ(e.walk.map->BoxCount(), call.boxes) << call.code;
    }
    Lua(e, "LoadPathMap('maps.dat:2')");
    EXPECT_EQ(e.walk.map->BoxAt(1).corners[2], (WalkPoint{7, 8}));
  });
  game.stopAfterFrames = 1;
  game.Run();
}

}  // namespace
