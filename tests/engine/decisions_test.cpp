// Dialogue decisions: the pick, the sensitive areas, drawing and the guards against endless waits.
#include <gtest/gtest.h>

#include "engine/game_fixtures.h"
#include "text/bitmap_font.h"

namespace {

// The pointer must rest on an option for a frame before the click picks it:
// the hover is worked out before the frame's events are read.
void PointAndClick(GameHarness& game, Uint32 frame, int x, int y) {
  game.At(frame, [x, y](Engine&) { GameHarness::MoveMouse(x, y); });
  game.At(frame + 2, [x, y](Engine&) { GameHarness::Click(x, y); });
}

// Options at (100, 100), one line per 8 pixels; cells are 3 wide with a letter
// spacing of 1, so "No" is 7 pixels wide.
struct DecisionGame : GameHarness {
  explicit DecisionGame(const std::string& main) {
    WriteFullFont(*this, "font.bmp");
    Write("init.lua", "function Init() LoadDecisionFont('font.bmp', 8) SetDecisionPos(100, 100) end\n"
                      "function Main()\nSetMode('DECISION') " + main + "\nExit()\nend\n");
  }
  bool Logged(const std::string& text) { return log.Text().find(text) != std::string::npos; }
};

TEST(Decisions, TheClickedLineIsReturnedCountingFromOne) {
  DecisionGame g("print('PICK ' .. MakeDecision('Yes', 'No', 'Maybe')) SetMode('INTERACT')");
  PointAndClick(g, 3, 100, 112);  // left border: nothing
  PointAndClick(g, 6, 105, 108);  // top border of "No": nothing
  PointAndClick(g, 9, 107, 112);  // right of the short "No": nothing
  g.At(12, [](Engine& e) {
    EXPECT_TRUE(e.ui.decisionPending);
    EXPECT_EQ(e.ui.options.size(), 3u);
  });
  PointAndClick(g, 13, 101, 117);  // "Maybe": a border click taken for "No" would have ended it
  g.Run();
  EXPECT_TRUE(g.Logged("PICK 3\n"));
  EXPECT_TRUE(g.engine.ui.options.empty());
}

TEST(Decisions, TheHoveredLineIsDrawnInColourRowOne) {
  DecisionGame g("MakeDecision('Yes', 'No')");
  g.At(2, [](Engine&) { GameHarness::MoveMouse(101, 112); });
  g.At(5, [](Engine& e) {
    EXPECT_EQ(PixelAt(e.core.screen, 101, 101), kWhite);                 // "Yes": row 0
    EXPECT_EQ(PixelAt(e.core.screen, 101, 109), (Rgb{255, 255, 0}));     // "No": row 1
    EXPECT_EQ(e.text.decisionFont->colorRow, 1);  // the last option's row stays set
    GameHarness::Click(101, 112);
  });
  g.Run();
}

TEST(Decisions, ASecondDecisionStartsWithItsOwnOptionsOnly) {
  DecisionGame g("print('FIRST ' .. MakeDecision('A', 'B', 'C'))\nprint('SECOND ' .. MakeDecision(7, 'Z'))");
  PointAndClick(g, 2, 102, 112);
  g.At(6, [](Engine& e) {
    EXPECT_EQ(e.ui.options, (std::vector<std::string>{"7", "Z"}));  // a number shows as Lua writes it
    EXPECT_EQ(e.ui.hoveredOption, 1);
  });
  PointAndClick(g, 7, 101, 101);
  g.Run();
  EXPECT_TRUE(g.Logged("FIRST 2\nSECOND 1\n"));
}

// Nothing could end these decisions: no options, not in DECISION mode, no
// option with text, a character without a cell, or a row below the window.
TEST(Decisions, DecisionsThatCannotEndReturnZeroAtOnce) {
  DecisionGame g("print('NONE ' .. MakeDecision())\n"
                 "SetMode('INTERACT') print('PLAY ' .. MakeDecision('a')) SetMode('DECISION')\n"
                 "print('EMPTY ' .. MakeDecision('', {}))\n"
                 "SetDecisionPos(100, 480) print('BELOW ' .. MakeDecision('Yes')) SetDecisionPos(100, 100)\n"
                 "SetScreen(9999, 9999, 32, 'WINDOW') SetDecisionPos(640, 100)\n"  // the open window stays 640 wide
                 "print('RIGHT ' .. MakeDecision('Yes')) SetDecisionPos(100, 100)\n"
                 "print('ODD ' .. MakeDecision({}, 'b'))\n"
                 "print('FINE ' .. MakeDecision('', 'Yes'))");
  PointAndClick(g, 1, 101, 112);
  PointAndClick(g, 5, 101, 112);
  g.Run();
  const char* skip = ", returning 0\r\n";
  EXPECT_TRUE(g.Logged(std::string("MakeDecision: no options to choose from") + skip + "NONE 0\n"));
  EXPECT_TRUE(g.Logged(std::string("MakeDecision: not in DECISION mode") + skip + "PLAY 0\n"));
  EXPECT_TRUE(g.Logged(std::string("MakeDecision: no option can be pointed at") + skip + "EMPTY 0\n"));
  EXPECT_TRUE(g.Logged(std::string("MakeDecision: no option can be pointed at") + skip + "BELOW 0\n"));
  EXPECT_TRUE(g.Logged(std::string("MakeDecision: no option can be pointed at") + skip + "RIGHT 0\n"));
  // A table has no text but keeps its line; one reachable option is enough to wait for.
  EXPECT_TRUE(g.Logged("ODD 2\nFINE 2\n"));
}

// An event inside a WaitFor runs in frames that read no pointer: a decision there cannot be answered.
TEST(Decisions, ADecisionDuringAWaitForOrWithoutAFontReturnsZeroAtOnce) {
  DecisionGame g("print('INSIDE ' .. MakeDecision('Yes'))");
  g.At(1, [](Engine& e) { e.timing.waiting = true; });
  g.Run();
  EXPECT_TRUE(g.Logged("MakeDecision: a WaitFor is running, returning 0\r\nINSIDE 0\n"));

  GameHarness game;
  game.Write("init.lua", "function Init() end function Main() SetMode('DECISION') print('R ' .. MakeDecision('x')) Exit() end");
  game.Run();
  EXPECT_NE(game.log.Text().find("MakeDecision: no decision font loaded, returning 0\r\nR 0\n"), std::string::npos);
}

}  // namespace
