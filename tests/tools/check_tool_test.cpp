// quillon-check: a small clean game passes; one planted fault of each kind is reported at its line.
#include <gtest/gtest.h>

#include <algorithm>

#include "check/check_tool.h"
#include "resources/pack_writer.h"
#include "support/pictures.h"
#include "support/temp_dir.h"
#include "support/tool_run.h"
#include "support/walk_map_bytes.h"

namespace {

const char kInit[] =
    "function Init()\n"
    "  CreateObject('lantern')\n"
    "  LoadAnim('lantern', 'still', 'red.bmp', 20, 20, 0, 0, 1, 1)\n"
    "  LoadPathMap(R('room.walk'))\n"
    "  SetWalkToPos('lantern', -1, -1) SetWalkToPos('lantern', 100, 150)  -- -1, -1: none\n"
    "  LoadSystemFont(R(\"font.bmp\"), 8, 10, 430)\n"
    "  SetStringFile('texts') LoadSound('bell', 'bell.wav') LoadSzene('lua.dat:1')\n"
    "  CreateMenuButton('LOOK', 'button.bmp', 'Look', 20, 10, 0, 400) -- Show('in a comment')\n"
    "end\n"
    "function R(name) return name end\n"
    "function Main() Show('lantern') PlaySound('bell') ShowMenuButton('LOOK') print([[Show('x')]]) end\n";

void WriteGame(TempDir& dir) {
  dir.Write("init.lua", kInit);
  dir.Write("room.walk", MapBytes({Rect(0, 100, 300, 200)}));
  SaveBmp(Paint(20, 20, kRed), dir.Path("red.bmp"));
  SaveBmp(Paint(40, 10, kGrey), dir.Path("button.bmp"));
  SaveBmp(MakeTestFontSurface(), dir.Path("font.bmp"));
  dir.Write("bell.wav", "RIFF");
  dir.Write("texts.EN", "Hello\nBye\n");
  dir.Write("texts.DE", "Hallo\nTschuess\n");
  dir.Write("lua.dat", BuildDataPack({"", "function Init() end"}));
}

TEST(CheckTool, OnePlantedFaultOfEachKindIsReportedAtItsLine) {
  struct Case {
    const char* file;
    std::string from, to, report;
  } cases[] = {
      {"hut.lua", "", "function Init()\nif x AddToInventory('a') end\n", "hut.lua:2: 'then' expected near 'AddToInventory'"},
      {"init.lua", "'red.bmp'", "'door-hut.bmp'", "init.lua:3: LoadAnim: \"door-hut.bmp\" cannot be read"},
      {"init.lua", "'lua.dat:1'", "'lua.dat:7'", "init.lua:7: LoadSzene: \"lua.dat:7\" cannot be read"},
      // R("name") is the file it names, as the guide writes every file.
      {"init.lua", "'red.bmp'", "R ( 'door-hut.bmp' )", "init.lua:3: LoadAnim: \"door-hut.bmp\" cannot be read"},
      {"init.lua", "'lua.dat:1'", "R('hut.lua')", "init.lua:7: LoadSzene: \"hut.lua\" cannot be read"},
      {"init.lua", "Show('lantern')", "Show('lantren')", "init.lua:11: Show: no script makes the object \"lantren\""},
      {"init.lua", "ShowMenuButton('LOOK')", "ShowMenuButton('WALK')",
       "init.lua:11: ShowMenuButton: no script makes the button \"WALK\""},
      {"init.lua", "PlaySound('bell')", "PlaySound('bel')", "init.lua:11: PlaySound: no script makes the sound \"bel\""},
      {"room.walk", "", MapBytes({Rect(0, 100, 300, 200), Box{{{300, 100}, {400, 100}, {500, 100}, {600, 100}}}}),
       "init.lua:4: room.walk: box 1 has no area"},
      {"init.lua", "100, 150", "900, 150",
       "init.lua:5: SetWalkToPos: (900, 150) is outside every box of the walk map this script loads"},
      {"init.lua", "\"font.bmp\"), 8", "\"font.bmp\"), 9", "init.lua:6: font.bmp: "},
      {"texts.DE", "", "Hallo\nTschuess\nNoch was\n", "texts.EN:3: 2 lines, but texts.DE has 3"},
      {"texts.DE", "", "Hallo\n", "texts.DE:2: 1 lines, but texts.EN has 2"},
      {"texts.EN", "", "Hello\n" + std::string(256, 'x') + "\n",
       "texts.EN:2: the line is 256 characters long; the engine reads 255"},
  };
  TempDir clean;
  WriteGame(clean);
  for (std::string game : {clean.path(), std::string(QUILLON_BINARY_DIR) + "/demo-loose"}) {
    ToolResult passed = RunTool(RunCheckTool, {game});
    EXPECT_EQ(passed.status, 0) << game;
    EXPECT_EQ(passed.out, "") << game;
  }
  for (const Case& c : cases) {
    TempDir dir;
    WriteGame(dir);
    std::string text = c.to;
    if (!c.from.empty()) {
      text = kInit;
      text.replace(text.find(c.from), c.from.size(), c.to);
    }
    dir.Write(c.file, text);
    ToolResult result = RunTool(RunCheckTool, {dir.path()});
    EXPECT_EQ(result.status, 1) << c.report;
    EXPECT_EQ(result.out.rfind(c.report, 0), 0u) << result.out;
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 1) << result.out;
  }
}

}  // namespace
