// The author's guide stays true: its files are written, its tool commands
// run, and its Lua examples run in order in one game without a failure.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include "demo-media/demo_media.h"
#include "font/font_tool.h"
#include "map/map_tool.h"
#include "pack/pack_tool.h"
#include "script/script_table.h"
#include "support/child_process.h"
#include "support/game_harness.h"
#include "support/tool_run.h"
#include "text/bitmap_font.h"

namespace {

struct Block {
  std::string language;  // word after the opening fence
  std::string text;      // the lines inside the fence
  int line = 0;          // line of the opening fence in the guide
};

std::vector<Block> ReadBlocks(const std::string& path) {
  std::ifstream in(path);
  std::vector<Block> blocks;
  std::string line;
  bool inside = false;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (line.rfind("```", 0) == 0) {
      if (!inside) blocks.push_back({line.substr(3), "", number});
      inside = !inside;
    } else if (inside) {
      blocks.back().text += line + "\n";
    }
  }
  return blocks;
}

// "-- file: NAME" or "# file: NAME" on a block's first line names a file of the game.
bool FileBlock(const Block& block, std::string* name, std::string* content) {
  size_t end = block.text.find('\n');
  std::string first = block.text.substr(0, end);
  for (const char* marker : {"-- file: ", "# file: "}) {
    if (first.rfind(marker, 0) == 0) {
      *name = first.substr(strlen(marker));
      *content = block.text.substr(end + 1);
      return true;
    }
  }
  return false;
}

// Every function the engine registers has a row in one of the guide's tables:
// "| `Name` |", or one of the names of "| `Show` / `Hide` |".
TEST(AuthoringGuide, EveryScriptFunctionHasARowInTheGuide) {
  std::ifstream in(QUILLON_SOURCE_DIR "/docs/authoring.md");
  std::set<std::string> described;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("| `", 0) != 0) continue;
    std::string cell = line.substr(1, line.find('|', 1) - 1);
    std::istringstream pieces(cell);
    std::string piece;
    for (int i = 0; std::getline(pieces, piece, '`'); ++i)
      if (i % 2 == 1) described.insert(piece);  // the pieces between a pair of backticks
  }
  for (const ScriptFunction& f : kScriptFunctions) EXPECT_TRUE(described.count(f.name)) << f.name;
}

TEST(AuthoringGuide, EveryExampleRuns) {
  std::vector<Block> blocks = ReadBlocks(QUILLON_SOURCE_DIR "/docs/authoring.md");
  GameHarness game;
  std::ostringstream mediaErrors;
  ASSERT_EQ(RunDemoMedia(game.dir.path(), mediaErrors), 0) << mediaErrors.str();

  // Files first, then the tools that turn them into game files, then the scripts.
  std::vector<const Block*> examples, shells;
  int commands = 0;
  for (const Block& block : blocks) {
    std::string name, content;
    if (FileBlock(block, &name, &content)) game.Write(name, content);
    else if (block.language == "sh") shells.push_back(&block);
    else if (block.language == "lua") examples.push_back(&block);
  }
  const std::map<std::string, ToolMain> tools = {
      {"quillon-pack", RunPackTool}, {"quillon-map", RunMapTool}, {"quillon-font", RunFontTool}};
  {
    WorkingDirectory inGame(game.dir.path());
    for (const Block* block : shells) {
      std::istringstream lines(block->text);
      for (std::string line; std::getline(lines, line);) {
        std::istringstream in(line);
        std::vector<std::string> words{std::istream_iterator<std::string>(in), {}};
        if (words.empty() || !tools.count(words[0])) continue;  // not one of our tools
        ++commands;
        ToolResult run = RunTool(tools.at(words[0]), {words.begin() + 1, words.end()});
        EXPECT_EQ(run.status, 0) << "guide line " << block->line << ": " << line << "\n" << run.err;
      }
    }
  }
  ASSERT_GT(commands, 5);
  ASSERT_GT(examples.size(), 15u);

  for (size_t i = 0; i < examples.size(); ++i) game.Write("example_" + std::to_string(i + 1) + ".lua", examples[i]->text);
  game.Write("dialogue.lua", ReadFile(QUILLON_SOURCE_DIR "/games/demo/dialogue.lua"));  // the guide tells authors to copy it
  game.Write("init.lua",
             "function Init() end\n"
             "function DeInit() end\n"
             "function Event() end\n"
             "function Main()\n"
             "  for i = 1, " + std::to_string(examples.size()) + " do\n"
             "    local chunk, problem = loadfile('example_' .. i .. '.lua')\n"
             "    local ok = chunk ~= nil\n"
             "    if ok then ok, problem = pcall(chunk) end\n"
             "    print('EXAMPLE ' .. i .. (ok and ' OK' or (' FAILED ' .. tostring(problem))))\n"
             "  end\n"
             "  Exit()\n"
             "end\n");
  // A player who always picks the first line of a dialogue decision.
  int frames = 0;
  game.everyFrame = [&frames](Engine& e) {
    if (!e.ui.decisionPending || !e.text.decisionFont) return;
    int x = e.ui.decisionX + 2, y = e.ui.decisionY + e.text.decisionFont->cellHeight / 2;
    GameHarness::MoveMouse(x, y);
    if (++frames % 3 == 0) GameHarness::Click(x, y);
  };
  EXPECT_EQ(game.Run(), 0);

  const std::string& log = game.log.Text();
  for (size_t i = 0; i < examples.size(); ++i) {
    std::string ok = "EXAMPLE " + std::to_string(i + 1) + " OK\n";
    EXPECT_NE(log.find(ok), std::string::npos)
        << "the example at guide line " << examples[i]->line << " failed:\n"
        << LogFrom(log, "EXAMPLE " + std::to_string(i + 1) + " ").substr(0, 300);
  }
  for (const char* fault : {"Exception catched", "ERR\r\n", "not waiting any longer", "returning 0"})
    EXPECT_EQ(log.find(fault), std::string::npos) << fault << "\n" << log;
  EXPECT_EQ(game.log.Errors(), "");
  EXPECT_TRUE(game.engine.core.debug);  // the guide's conf.lua ran
}

}  // namespace
