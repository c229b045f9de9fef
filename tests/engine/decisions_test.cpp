// Dialogue decisions: the pick, the sensitive areas, drawing and the guards.
#include <gtest/gtest.h>

#include "ui_fixtures.h"

namespace {

using namespace ui_test;

// The pointer must rest on an option for a frame before the click picks it:
// the hover is worked out before the frame's events are read.
void PointAndClick(GameHarness& game, Uint32 frame, int x, int y) {
  game.At(frame, [x, y](Engine&) { GameHarness::MoveMouse(x, y); });
  game.At(frame + 2, [x, y](Engine&) { GameHarness::Click(x, y); });
}

// Options at (100, 100), one line per 8 pixels; cells are 3 wide with a letter
// spacing of 1, so "No" is 7 pixels wide.
struct DecisionGame {
  GameHarness game;
  explicit DecisionGame(const std::string& main, const std::string& setUp = "") {
    WriteFullFont(game, "font.bmp");
    game.Write("init.lua",
               "function Init() LoadDecisionFont('font.bmp', 8) SetDecisionPos(100, 100) " + setUp + " end\n"
               "function Main()\n" + main + "\nExit()\nend\n");
  }
};

TEST(Decisions, TheClickedLineIsReturnedCountingFromOne) {
  DecisionGame g("SetMode('DECISION') print('PICK ' .. MakeDecision('Yes', 'No', 'Maybe')) SetMode('INTERACT')");
  PointAndClick(g.game, 3, 100, 112);  // left border: nothing
  PointAndClick(g.game, 6, 105, 108);  // top border of "No": nothing
  PointAndClick(g.game, 9, 107, 112);  // right of the short "No": nothing
  g.game.At(12, [](Engine& e) {
    EXPECT_TRUE(e.ui.decisionPending);
    EXPECT_EQ(e.ui.options.size(), 3u);
  });
  PointAndClick(g.game, 13, 106, 112);
  g.game.Run();
  EXPECT_NE(g.game.log.Text().find("PICK 2\n"), std::string::npos);
  EXPECT_TRUE(g.game.engine.ui.options.empty());
}

TEST(Decisions, TheHoveredLineIsDrawnInColourRowOne) {
  DecisionGame g("SetMode('DECISION') MakeDecision('Yes', 'No')");
  g.game.At(2, [](Engine&) { GameHarness::MoveMouse(101, 112); });
  g.game.At(5, [](Engine& e) {
    Uint8 r, gr, b;
    SDL_GetRGB(GetPixel(e.core.screen, 101, 101), e.core.screen->format, &r, &gr, &b);
    EXPECT_EQ(b, 255);  // "Yes": row 0, white
    SDL_GetRGB(GetPixel(e.core.screen, 101, 109), e.core.screen->format, &r, &gr, &b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(b, 0);  // "No": row 1, yellow
    EXPECT_EQ(e.text.decisionFont->colorRow, 1);  // the last option's row stays set
    GameHarness::Click(101, 112);
  });
  g.game.Run();
}

TEST(Decisions, ASecondDecisionStartsWithItsOwnOptionsOnly) {
  DecisionGame g("SetMode('DECISION') print('FIRST ' .. MakeDecision('A', 'B', 'C'))\n"
                 "print('SECOND ' .. MakeDecision(7, 'Z'))");
  PointAndClick(g.game, 2, 102, 112);
  g.game.At(6, [](Engine& e) {
    EXPECT_EQ(e.ui.options, (std::vector<std::string>{"7", "Z"}));  // a number shows as Lua writes it
    EXPECT_EQ(e.ui.hoveredOption, 1);
  });
  PointAndClick(g.game, 7, 101, 101);
  g.game.Run();
  EXPECT_NE(g.game.log.Text().find("FIRST 2\nSECOND 1\n"), std::string::npos);
}

TEST(Decisions, DecisionsThatCannotEndReturnZeroAtOnce) {
  DecisionGame g(
      "SetMode('DECISION') print('NONE ' .. MakeDecision())\n"
      "SetMode('INTERACT') print('PLAY ' .. MakeDecision('a'))\n"
      "SetMode('DECISION') print('ODD ' .. MakeDecision({}, 'b'))");
  PointAndClick(g.game, 1, 101, 112);
  g.game.Run();
  const std::string& log = g.game.log.Text();
  EXPECT_NE(log.find("MakeDecision: no options to choose from, returning 0\r\nNONE 0\n"), std::string::npos);
  EXPECT_NE(log.find("MakeDecision: not in DECISION mode, returning 0\r\nPLAY 0\n"), std::string::npos);
  EXPECT_NE(log.find("ODD 2\n"), std::string::npos);  // a table has no text but keeps its line
}

// No pointer position inside the window hovers an option without text, a
// character without a cell, or a row below the window: nothing could end it.
TEST(Decisions, OptionsNoPointerCanReachReturnZeroAtOnce) {
  DecisionGame g("SetMode('DECISION') print('EMPTY ' .. MakeDecision('', {}))\n"
                 "SetDecisionPos(100, 480) print('BELOW ' .. MakeDecision('Yes'))\n"
                 "SetDecisionPos(100, 100) print('FINE ' .. MakeDecision('', 'Yes'))");
  PointAndClick(g.game, 1, 101, 112);
  g.game.Run();
  const std::string& log = g.game.log.Text();
  EXPECT_NE(log.find("MakeDecision: no option can be pointed at, returning 0\r\nEMPTY 0\n"), std::string::npos);
  EXPECT_NE(log.find("MakeDecision: no option can be pointed at, returning 0\r\nBELOW 0\n"), std::string::npos);
  EXPECT_NE(log.find("FINE 2\n"), std::string::npos);  // one reachable option is enough to wait for
}

// An event inside a WaitFor runs in frames that read no pointer: a decision there cannot be answered.
TEST(Decisions, ADecisionDuringAWaitForReturnsZeroAtOnce) {
  DecisionGame g("SetMode('DECISION') print('INSIDE ' .. MakeDecision('Yes'))", "");
  g.game.At(1, [](Engine& e) { e.timing.waiting = true; });
  g.game.Run();
  EXPECT_NE(g.game.log.Text().find("MakeDecision: a WaitFor is running, returning 0\r\nINSIDE 0\n"), std::string::npos);
}

TEST(Decisions, NoDecisionFontNoWait) {
  GameHarness game;
  game.Write("init.lua", "function Init() end function Main() SetMode('DECISION') print('R ' .. MakeDecision('x')) Exit() end");
  game.Run();
  EXPECT_NE(game.log.Text().find("MakeDecision: no decision font loaded, returning 0\r\nR 0\n"), std::string::npos);
}

}  // namespace
