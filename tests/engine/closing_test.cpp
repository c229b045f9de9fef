// Closing always works: the close button, SIGTERM and SIGINT end the game from
// inside every kind of wait, skip the rest of the waiting scripts and leave
// through the ordinary shutdown.
#include <gtest/gtest.h>

#include <csignal>
#include <regex>

#include "core/input_events.h"
#include "engine/game_fixtures.h"
#include "scene/adventure_object.h"

namespace {

const char kDecide[] = "LoadDecisionFont('font.bmp', 8) SetMode('DECISION') print('WAITING') MakeDecision('a', 'b') ";

TEST(Closing, EveryWaitGivesWayToTheCloseButtonAndToSignals) {
  const std::pair<std::string, Uint32> waits[] = {  // Main and Event; the frame of the clicks (3), 0 for none
      {"function Main() print('WAITING') Wait(100000) print('AFTER') end", 0},
      {"function Main() print('WAITING') FadeOut(100000) print('AFTER') end", 0},
      {"function Main() " + std::string(kDecide) + "print('AFTER') end", 0},
      // LOOK at the door: the hero walks there at 10 pixels a second, in nested frames.
      {"function Main() SetSpeed('hero', 10) end function Event() print('AFTER') end", 3},
      // An Event in Main's Wait waits itself: two scripts stop, one inside the other.
      {"function Main() SetWalkToPos('door', -1, -1) Wait(100000) print('AFTER') end\n"
       "function Event() " + std::string(kDecide) + "print('AFTER') end", 3},
  };
  for (const auto& [scripts, clickFrame] : waits) {
    for (int signal : {0, SIGTERM, SIGINT}) {  // 0: the close button
      SCOPED_TRACE(scripts + " / " + std::to_string(signal));
      GameHarness game;
      game.Write("conf.lua", "");
      WriteSceneGame(game, "LoadSystemFont('font.bmp', 8, 10, 430)\n" + std::string(kHeroScene) +
                               "MakeObject('door', 'Door', 600, 300) SetWalkToPos('door', 20, 300)", scripts);
      if (clickFrame) RunSteps(game, {"verb 9", "click 605 305"});
      game.stopAfterFrames = 500;
      game.At(clickFrame + 10, [signal](Engine&) { signal ? (void)std::raise(signal) : PushQuit(); });
      game.everyFrame = [&](Engine& e) {  // without the fix: end the waits by their own means, and fail
        if (e.timing.frameCounter < 1000) return;
        ADD_FAILURE() << "still waiting";
        game.clock.now += 1000000, e.ui.decisionPending = false, e.cast.hero->moving = false;
      };
      EXPECT_EQ(game.Run(), 0);
      std::string log = game.log.Text();
      EXPECT_EQ(log.find("AFTER"), std::string::npos) << log;
      EXPECT_EQ(log.find("WAITING") == std::string::npos, scripts.find("WAITING") == std::string::npos);
      EXPECT_TRUE(std::regex_match(LogFrom(log, "<<< CALL GAMELOOP >>>"),
                                   std::regex("<<< CALL GAMELOOP >>>\r\nAverage FPS = [^\r]*\r\n"
                                              "Average TimeFactor = [^\r]*\r\nCLEANUP\\.\\.\\.OK\r\n")))
          << log;
      EXPECT_EQ(game.log.Errors(), "");
      EXPECT_EQ(game.engine.core.gamma, 1.0f);
    }
  }
}

}  // namespace
