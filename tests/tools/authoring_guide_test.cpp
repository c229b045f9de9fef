// The author's guide stays true: its files are written, its tool commands
// run, and its Lua examples run in order in one game without a failure.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "demo-media/demo_media.h"
#include "font/font_tool.h"
#include "map/map_tool.h"
#include "pack/pack_tool.h"
#include "support/game_harness.h"
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

using Tool = std::function<int(int, const char* const*, std::ostream&, std::ostream&)>;

// Runs one command line of a sh block; false when it is not one of our tools.
bool RunCommand(const std::string& line, int* status, std::string* errors) {
  static const std::map<std::string, Tool> tools = {
      {"quillon-pack", RunPackTool}, {"quillon-map", RunMapTool}, {"quillon-font", RunFontTool}};
  std::istringstream words(line);
  std::vector<std::string> argv;
  for (std::string word; words >> word;) argv.push_back(word);
  if (argv.empty() || !tools.count(argv[0])) return false;
  std::vector<const char*> args;
  for (size_t i = 1; i < argv.size(); ++i) args.push_back(argv[i].c_str());
  std::ostringstream out, err;
  *status = tools.at(argv[0])(static_cast<int>(args.size()), args.data(), out, err);
  *errors = err.str();
  return true;
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
  {
    WorkingDirectory inGame(game.dir.path());
    for (const Block* block : shells) {
      std::istringstream lines(block->text);
      for (std::string line; std::getline(lines, line);) {
        int status = 0;
        std::string errors;
        if (!RunCommand(line, &status, &errors)) continue;
        ++commands;
        EXPECT_EQ(status, 0) << "guide line " << block->line << ": " << line << "\n" << errors;
      }
    }
  }
  ASSERT_GT(commands, 5);
  ASSERT_GT(examples.size(), 15u);

  for (size_t i = 0; i < examples.size(); ++i) game.Write("example_" + std::to_string(i + 1) + ".lua", examples[i]->text);
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
  EXPECT_EQ(log.find("Exception catched"), std::string::npos) << log;
  EXPECT_EQ(log.find("ERR\r\n"), std::string::npos) << log;
  EXPECT_EQ(log.find("not waiting any longer"), std::string::npos);
  EXPECT_EQ(log.find("returning 0"), std::string::npos);
  EXPECT_EQ(game.log.Errors(), "");
  EXPECT_TRUE(game.engine.core.debug);  // the guide's conf.lua ran
}

}  // namespace
