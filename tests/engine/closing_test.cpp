// Closing always works: the close button, SIGTERM and SIGINT end the game
// from inside every kind of wait, skip the rest of the waiting scripts and
// leave through the ordinary shutdown.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <regex>

#include "core/input_events.h"
#include "engine/game_fixtures.h"
#include "scene/adventure_object.h"

namespace {

struct WaitCase {
  const char* name;
  const char* more;  // Main, Event and the helpers, after the scene library
  Uint32 clickFrame; // 0: no click
};

const WaitCase kWaits[] = {
    {"Wait in Main", "function Main() Wait(100000) print('AFTER') end\n", 0},
    {"FadeOut in Main", "function Main() FadeOut(100000) print('AFTER') end\n", 0},
    {"MakeDecision in Main",
     "function Main() LoadDecisionFont('font.bmp', 8) SetMode('DECISION') print('AFTER ' .. MakeDecision('a', 'b')) "
     "end\n",
     0},
    // The hero walks to the door at 10 pixels a second: a long nested walk.
    {"walk to an object",
     "function Main() SetSpeed('hero', 10) SetWalkToPos('door', 20, 300) end\n"
     "function Event(v, a, b) print('AFTER') end\n",
     3},
    // An Event inside Main's Wait waits itself: two scripts stop, one inside the other.
    {"MakeDecision in an Event during a Wait",
     "function Main() SetWalkToPos('door', -1, -1) Wait(100000) print('AFTER') end\n"
     "function Event(v, a, b) LoadDecisionFont('font.bmp', 8) SetMode('DECISION') print('WAITING') MakeDecision('a', 'b') "
     "print('AFTER EVENT') end\n",
     3},
};

// The frame loop, entered after Main was stopped, ends at once: the ordinary shutdown.
const std::regex kOrdinaryEnd(
    "<<< CALL GAMELOOP >>>\r\n"
    "Average FPS = [^\r]*\r\nAverage TimeFactor = [^\r]*\r\nCLEANUP\\.\\.\\.OK\r\n");

TEST(Closing, EveryWaitGivesWayToTheCloseButtonAndToSignals) {
  const std::pair<const char*, void (*)()> closers[] = {
      {"close button", [] { PushQuit(); }},
      {"SIGTERM", [] { std::raise(SIGTERM); }},  // SDL turns it into a close request
      {"SIGINT", [] { std::raise(SIGINT); }},
  };
  for (const WaitCase& wait : kWaits) {
    for (const auto& [closer, close] : closers) {
      SCOPED_TRACE(std::string(wait.name) + ", " + closer);
      GameHarness game;
      game.Write("conf.lua", "");
      WriteSceneGame(game, "LoadSystemFont('font.bmp', 8, 10, 430)\n" + std::string(kHeroScene) + "MakeObject('door', 'Door', 600, 300)", wait.more);
      if (wait.clickFrame) {
        ClickAt(game, wait.clickFrame, 230, 405);  // the verb LOOK
        ClickAt(game, wait.clickFrame + 2, 605, 305);
      }
      game.At(wait.clickFrame + 10, [close](Engine&) { close(); });
      bool tooLong = false;
      game.everyFrame = [&](Engine& e) {
        // Without the fix the waits would go on: end them by their own means, and fail.
        if (e.timing.frameCounter < 1000) return;
        tooLong = true;
        game.clock.now += 1000000;
        e.ui.decisionPending = false;
        if (e.scene.hero) e.scene.hero->moving = false;
      };
      EXPECT_EQ(game.Run(), 0);
      std::string log = game.log.Text();
      EXPECT_FALSE(tooLong) << log;
      EXPECT_EQ(log.find("AFTER"), std::string::npos) << log;  // nothing after a wait ran
      if (std::strstr(wait.more, "WAITING")) EXPECT_NE(log.find("WAITING"), std::string::npos) << log;
      EXPECT_TRUE(std::regex_match(LogFrom(log, "<<< CALL GAMELOOP >>>"), kOrdinaryEnd)) << log;
      EXPECT_EQ(game.log.Errors(), "") << log;
      EXPECT_EQ(game.engine.core.gamma, 1.0f);
    }
  }
}

}  // namespace
