// quillon-pack game: one command packs a loose game folder that then plays the
// same story, its table gives every file's address, and a folder it cannot
// pack is refused with the reason.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "pack/pack_tool.h"
#include "resources/pack_readers.h"
#include "support/game_harness.h"
#include "support/log_capture.h"
#include "support/pictures.h"
#include "support/sound_files.h"
#include "support/tool_run.h"
#include "support/walk_map_bytes.h"
#include "tool_test.h"

namespace {

const char kConf[] =
    "SetScreen(64, 48, 24, 'WINDOW')\n"
    "function R(name) if ASSETS and ASSETS[name] then return ASSETS[name] end return name end\n";
const char kHall[] =
    "function Init() print('STORY hall') end\nfunction Main() Exit() end\n"
    "function DeInit() end\nfunction Event() end\n";

// Every kind of file, each named through R: pictures (one in a subfolder), a
// sound, a walk map, a scene script, a string file, the icon and an order file.
void WriteGame(const TempDir& dir) {
  std::filesystem::create_directories(dir.Path("pics"));
  SaveBmp(Paint(8, 6, kBlue), dir.Path("sky.bmp"));
  SaveBmp(Paint(4, 2, kRed), dir.Path("pics/sun.bmp"));
  SaveBmp(Paint(2, 2, kGreen), dir.Path("icon1.bmp"));
  dir.Write("bell.wav", SquareWav(100, 1000));
  dir.Write("hall.map", MapBytes({Rect(0, 30, 63, 47)}));
  dir.Write("texts.EN", "A bell rings.\n");
  dir.Write("pack.order", "# first\nsky.bmp\n");
  dir.Write("playthrough.replay", "wait 1 frames\n");  // quillon-play's, kept beside the game
  dir.Write("conf.lua", kConf);
  dir.Write("hall.lua", kHall);
  dir.Write("init.lua",
            "function Init() end\nfunction DeInit() end\nfunction Event() end\n"
            "function Main()\n  SetLanguage('EN') SetStringFile('texts') print('STORY ' .. GetString(1))\n"
            "  LoadBackground(R('sky.bmp')) LoadCursor(R('pics/sun.bmp')) LoadSound('bell', R('bell.wav'))\n"
            "  LoadPathMap(R('hall.map')) LoadSzene(R('hall.lua'))\nend\n");
}

ToolResult PackGame(const TempDir& from, const std::string& to) {
  return RunTool(RunPackTool, {"game", from.path(), to, "--order", from.Path("pack.order")});
}

std::string Story(const std::string& log) {
  std::string story;
  std::istringstream lines(log);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("STORY ", 0) == 0) story += line + "\n";
  return story;
}

// The story is the one the loose game tells (with no ASSETS table, R gives every name back).
TEST(PackGame, ThePackedGamePlaysTheLooseStoryAndItsTableGivesEveryFileTheEntryThatHoldsIt) {
  TempDir source;
  WriteGame(source);
  GameHarness game;
  ToolResult made = PackGame(source, game.dir.path());
  ASSERT_EQ(made.status, 0) << made.err;  // an empty folder would end the test's process with a panic
  EXPECT_TRUE(Has(made.out, "\nleft out   playthrough.replay: replays are for quillon-play, not part of the game\n"))
      << made.out;
  EXPECT_FALSE(std::filesystem::exists(game.dir.Path("playthrough.replay")));
  std::string table = game.dir.Read("assets.lua");
  EXPECT_EQ(game.Run(), 0);
  const std::string& log = game.log.Text();
  EXPECT_EQ(Story(log), "STORY A bell rings.\nSTORY hall\n");
  for (const char* fault : {"ERR", "-Error", "Exception"}) EXPECT_EQ(log.find(fault), std::string::npos) << log;

  EXPECT_EQ(table,
            "-- Made by quillon-pack: where each file of the game lies in its pack.\nASSETS = {\n"
            "  [\"sky.bmp\"] = \"gfx.dat:0\",\n  [\"pics/sun.bmp\"] = \"gfx.dat:1\",\n"
            "  [\"bell.wav\"] = \"sfx.dat:0\",\n  [\"init.lua\"] = \"lua.dat:1\",\n"
            "  [\"hall.lua\"] = \"lua.dat:2\",\n  [\"hall.map\"] = \"lua.dat:3\",\n}\n");
  auto entry = [&](const std::string& pack, int i) {
    std::vector<char> bytes;
    int size = TXTPackReader().LoadTXT(game.dir.Path(pack).c_str(), i, &bytes);
    return std::string(bytes.data(), size > 0 ? size : 0);
  };
  EXPECT_EQ(entry("lua.dat", 0), table + "\n" + kConf);
  LogCapture quiet;  // the image reader's progress dots
  const std::regex tableRow("\"(.+)\"\\] = \"(.+):(\\d+)\"");
  std::smatch row;
  for (std::string rest = table; std::regex_search(rest, row, tableRow); rest = row.suffix()) {
    std::string name = row[1], pack = row[2];
    int i = std::stoi(row[3]);
    if (pack == "gfx.dat")
      ExpectSamePixels(source.Path(name), Surface(BMPPackReader().LoadImage(game.dir.Path(pack).c_str(), i)));
    else
      EXPECT_EQ(entry(pack, i), source.Read(name)) << name;
  }
  EXPECT_EQ(game.dir.Read("texts.EN"), source.Read("texts.EN"));
  EXPECT_EQ(game.dir.Read("icon1.bmp"), source.Read("icon1.bmp"));
}

TEST(PackGame, AFolderWithAFaultIsReportedAndNothingIsWritten) {
  struct Fault {
    std::string file, content, report;
    bool remove = false;  // the file is taken out of the folder
  };
  const Fault faults[] = {
      {"notes.txt", "to do", "notes.txt: the engine reads no file of this kind"},
      {"hall.lua", std::string(kHall) + "LoadBackground(R('sky2.bmp'))", "hall.lua:5: R(\"sky2.bmp\"): no file"},
      {"hall.lua", std::string(kHall) + "LoadBackground('sky.bmp')",
       "hall.lua:5: LoadBackground: \"sky.bmp\" goes into a pack"},
      {"pack.order", "moon.bmp\n", "the order names moon.bmp, which is not in the game folder"},
      {"init.lua", "", "init.lua: missing", true},
      {"broken.bmp", "BM not a picture", "broken.bmp: not a readable BMP image"},
      {"quiet.wav", "", "quiet.wav: the sound file is empty"},
  };
  for (const Fault& fault : faults) {
    TempDir game, out;
    WriteGame(game);
    if (fault.remove) std::filesystem::remove(game.Path(fault.file));
    else game.Write(fault.file, fault.content);
    ToolResult result = PackGame(game, out.Path("release"));
    EXPECT_EQ(result.status, 1) << fault.file;
    EXPECT_NE(result.err.find(fault.report), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(out.Path("release"))) << fault.file;
  }
}

}  // namespace
