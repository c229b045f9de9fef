// quillon-play: replays to the end, failures and their reports, stuck games, recording, --strict. The
// demo test compares its screenshots with the pictures it shows.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <filesystem>
#include <iostream>

#include "core/input_events.h"
#include "engine/game_fixtures.h"
#include "play/play_session.h"
#include "play/play_tool.h"
#include "support/tool_run.h"

namespace {

using Result = ToolResult;
Result Play(const std::vector<std::string>& words) { return RunTool(RunPlayTool, words); }

// The hero scene and a red door at (100, 100); opening the door ends the
// game, talking to it starts two speech lines.
struct PlayGame {
  GameHarness game;  // only writes the folder: quillon-play runs its own engine
  PlayGame() {
    WriteSceneGame(game, "LoadSystemFont('font.bmp', 8, 10, 430)\n" + std::string(kHeroScene) +
                             "MakeObject('door', 'Door', 100, 100)\n",
                   "function Event(verb, first, second)\n"
                   "  print('EVENT ' .. verb .. ' ' .. first)\n"
                   "  if verb == 'OPEN' then Exit() end\n"
                   "  if verb == 'TALK' then SayText('door', 'Who is \\\"there\\\"?') SayText('hero', 'Me.') end\n"
                   "end\n");
  }
};

const char kOpenTheDoor[] =
    "# choose OPEN, then the door\n"
    "click 130 405\n"
    "click 105 105\n"
    "wait for \"EVENT OPEN door\" within 100 frames\n"
    "expect exit within 5 frames\n"
    "expect \"Average FPS\"\n";

TEST(PlayTool, ReplaysPassAndFailWithTheStepAndTheLogAndRecordingsPlayBack) {
  PlayGame g;
  const struct {
    const char* replay;
    int status;
    std::vector<std::string> parts;  // of the report
  } cases[] = {
      // The game loop started before the LOOK: an expectation is searched after the previous match.
      {"click 230 405\nclick 105 105\nwait for \"EVENT LOOK door\"\n\nexpect \"CALL GAMELOOP\"\n", 1,
       {"test.replay:5: expect \"CALL GAMELOOP\"\n  not in the log after the previous match\n",
        "last 20 log lines:\n", "  | EVENT LOOK door\n"}},
      {"click 230 405\nclick 105 105\nwait for \"EVENT LOOK door\"\n", 1, {"test.replay:3", "the game goes on"}},
      {"key ESCAPE\nwait 5 frames\nclick 105 105\nexpect exit\n", 1,
       {"test.replay:2: wait 5 frames\n  the game ended before this step"}},
      {"click 130 405\nwait 5 hours\n", 2, {"test.replay:2: cannot read this step: wait 5 hours"}},
      {"pad press RB\npad stick -32768 32767\npad press Q\n", 2,
       {"test.replay:3: a pad step is: pad press BUTTON, pad release BUTTON (A, B, X, Y, LB, RB or 0 to 31), "
        "pad stick X Y: pad press Q"}},
      {"pad stick 0 32768\n", 2, {"test.replay:1: a pad step"}},
      // Speech is named as it starts, quoted as a replay writes it; a wait for
      // speech looks after the line the last one found, also once the game has ended.
      {"click 30 405\nclick 105 105\nwait for speech \"there\" within 20 frames\nkey ESCAPE\nexpect exit\n"
       "wait for speech \"Me\"\n",
       0, {"speech: door: \"Who is \\\"there\\\"?\"\nspeech: hero: \"Me.\"\nquillon-play: passed: 6 steps"}},
      {"click 30 405\nclick 105 105\nwait for speech \"Me\"\nwait for speech \"there\" within 20 frames\n", 1,
       {"test.replay:4: wait for speech \"there\" within 20 frames\n  no speech line held it within 20 frames"}},
  };
  for (const auto& c : cases) {
    g.game.Write("test.replay", c.replay);
    Result r = Play({g.game.Path("test.replay")});
    EXPECT_EQ(r.status, c.status) << c.replay;
    for (const std::string& part : c.parts) EXPECT_NE(r.err.find(part), std::string::npos) << r.err;
  }

  // The replay lives apart from the game and names its folder.
  TempDir elsewhere;
  std::string game = std::filesystem::relative(g.game.dir.path(), elsewhere.path()).string();
  elsewhere.Write("doors.replay", "game " + game + "\nclick 230 405\nclick 105 105\nwait 300 ms\n" + kOpenTheDoor);
  Result apart = Play({elsewhere.Path("doors.replay")});
  ASSERT_EQ(apart.status, 0) << apart.err;
  EXPECT_NE(apart.err.find("quillon-play: passed: 8 steps"), std::string::npos) << apart.err;
  EXPECT_NE(apart.out.find("EVENT LOOK door\nLUA-EVENT-CALLED: LOOK door"), std::string::npos) << apart.out;

  PlayOptions options;
  options.target = g.game.dir.path();
  options.record = g.game.Path("recorded.replay");
  // Someone at the window: LOOK at the door, press F5 (nothing outside debug mode), then Escape.
  options.standIn = [](Engine& e) {
    switch (e.timing.frameCounter) {
      case 3: MovePointer(230, 405); break;
      case 5: PushClick(SDL_BUTTON_LEFT, 230, 405); break;
      case 6: MovePointer(105, 105); break;
      case 8: PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 105, 105); break;
      case 9: PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 105, 105); break;
      case 30: PushKeyDown(SDLK_F5); break;
      case 60: PushKeyDown(SDLK_ESCAPE); break;
    }
  };
  std::ostringstream recordedLog, recordErr;
  ASSERT_EQ(RunPlaySession(options, recordedLog, recordErr), 0) << recordErr.str();
  EXPECT_NE(recordedLog.str().find("EVENT LOOK door"), std::string::npos);
  EXPECT_EQ(g.game.dir.Read("recorded.replay"),
            "# A player's inputs, recorded by quillon-play --record.\n"
            "wait 2 frames\nmove 230 405\nwait 2 frames\nclick left\nwait 1 frames\nmove 105 105\n"
            "wait 2 frames\nmouse down right\nwait 1 frames\nmouse up right\nwait 21 frames\nkey F5\nwait 30 frames\n"
            "key ESCAPE\n"
            "expect exit\n");
  Result replayed = Play({g.game.Path("recorded.replay")});
  EXPECT_EQ(replayed.status, 0) << replayed.err;
  EXPECT_EQ(replayed.out, recordedLog.str());
}

// A game stuck in a nested loop, and one whose script error ends the process: both still get their report.
TEST(PlayToolDeathTest, AStuckGameOrOneThatEndsTheProcessStillNamesTheStep) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  PlayGame g;
  g.game.Write("init.lua", "function Init() LoadDecisionFont('font.bmp', 8) end\n"
                           "function Main() SetMode('DECISION') MakeDecision('Yes', 'No') Exit() end\n");
  g.game.Write("test.replay", "wait 10 frames\nexpect exit\n");
  std::string replay = g.game.Path("test.replay");
  const char* budget[] = {replay.c_str(), "--max-frames", "60", "--quiet"};
  EXPECT_EXIT(RunPlayTool(4, budget, std::cout, std::cerr), testing::ExitedWithCode(1),
              "test.replay:2: expect exit\n  the frame budget of 60 frames is spent");

  g.game.Write("init.lua",
               "function Init() end\n"
               "function Main() end\n"
               "function DeInit() print('leaving') error('the lamp broke') end\n");
  g.game.Write("test.replay", "wait 2 frames\nkey F5\nwait 2 frames\nexpect exit\n");
  g.game.Write("conf.lua", "DebugMode()");
  const char* quiet[] = {replay.c_str(), "--quiet"};
  EXPECT_EXIT(RunPlayTool(2, quiet, std::cout, std::cerr), testing::ExitedWithCode(1),
              "in function <init.lua:3>\n.*PANIC: unprotected error in call to Lua API .*quillon-play: FAILED at "
              ".*test.replay:3: wait 2 frames\n  the game ended the process .*\n  \\| leaving\n");
}

TEST(PlayStrict, TheFirstDiagnosticFailsTheRunAtItsStep) {
  GameHarness game;  // only writes the folder
  game.Write("init.lua",
             "function Init() CreateObject('lantern') end\n"
             "function Main() print('main') end\n"
             "function DeInit() end\n");
  game.Write("test.replay", "# one line of comment\nwait 3 frames\nkey ESCAPE\nexpect exit within 5 frames\n");
  ToolResult clean = RunTool(RunPlayTool, {game.Path("test.replay"), "--strict", "--quiet"});
  EXPECT_EQ(clean.status, 0) << clean.err;

  // A mistake, a scene that does not compile: each fails a strict run at the step it came in.
  game.Write("hut.lua", "function Init(\n");
  struct Mistake {
    const char *line, *diagnostic;
  } mistakes[] = {
      {"  Show('lantren') end\n", "init.lua:3: Show: no object \"lantren\" (nearest: \"lantern\")"},
      {"  LoadSzene('hut.lua') end\n", "init.lua:3: LoadSzene: the script \"hut.lua\" did not compile or run (the error is above)"},
  };
  for (const Mistake& m : mistakes) {
    game.Write("init.lua", std::string("function Init() CreateObject('lantern') end\n"
                                       "function Main() print('main')\n") + m.line);
    ToolResult lenient = RunTool(RunPlayTool, {game.Path("test.replay"), "--quiet"});
    EXPECT_EQ(lenient.status, 0) << lenient.err;
    ToolResult strict = RunTool(RunPlayTool, {game.Path("test.replay"), "--strict", "--quiet"});
    EXPECT_EQ(strict.status, 1);
    EXPECT_NE(strict.err.find("quillon-play: FAILED at " + game.Path("test.replay") +
                              ":2: wait 3 frames\n  a diagnostic (--strict): " + m.diagnostic + "\nlast "),
              std::string::npos)
        << strict.err;
    EXPECT_NE(strict.err.find("  | main\n"), std::string::npos) << strict.err;
  }
}

}  // namespace
