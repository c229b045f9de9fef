// Real windows on a virtual X display, input from the X server itself:
// quillon-play recording a player, the recording played back headless to the
// same log, and the demo played by keys alone. (Clicks through a scaled
// window are mapped back in PlayerWindow, its partial present is compared in
// PresentInWindow.)
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "engine/game_fixtures.h"
#include "play/play_tool.h"
#include "support/child_process.h"
#include "support/tool_run.h"

namespace {

// The hero scene and a door at (100, 100) in a window on a virtual display
// of the given size; the X libraries' own allocations are not ours to check.
struct WindowedGame {
  GameHarness game;  // only writes the folder
  VirtualDisplay display;
  std::vector<std::string> env;
  std::string x, window;  // the xdotool command, and the window's id once Find saw it

  explicit WindowedGame(const std::string& size) : display(game.Path("xvfb.log"), size) {
    WriteSceneGame(game, "LoadSystemFont('font.bmp', 8, 10, 430)\n" + std::string(kHeroScene) +
                             "MakeObject('door', 'Door', 100, 100)\n");
    env = {"DISPLAY=" + display.name, "SDL_VIDEODRIVER=x11", "SDL_AUDIODRIVER=dummy", "ASAN_OPTIONS=detect_leaks=0"};
    x = "DISPLAY=" + display.name + " xdotool ";
  }
  bool Find() {
    bool found = Retry(x + "search --name Quillon > " + game.Path("window.txt") + " 2>/dev/null", 100);
    window = ReadFile(game.Path("window.txt"));
    window = window.substr(0, window.find('\n'));
    return found;
  }
  // The player's steps, a moment apart; W stands for the window.
  void Do(const std::vector<std::string>& steps) {
    for (std::string command : steps) {
      if (size_t at = command.find(" W "); at != std::string::npos) command.replace(at, 3, " " + window + " ");
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
      std::system((x + command + " 2>/dev/null").c_str());
    }
  }
};

// quillon-play --record in a real window, input from the X server itself, and
// the recording played back headless (in-process) to the same log.
TEST(RecordInWindow, APlayersRecordingPlaysBackToTheSameLog) {
  ASSERT_TRUE(Installed("Xvfb") && Installed("xdotool")) << "Xvfb and xdotool are installed by scripts/setup.sh";
  WindowedGame w("800x600x24");
  ASSERT_FALSE(w.display.name.empty()) << ReadFile(w.game.Path("xvfb.log.err"));
  Children children;
  pid_t recorder = Start({QUILLON_BINARY_DIR "/tools/quillon-play", w.game.dir.path(), "--record",
                          w.game.Path("rec.replay")}, w.env, w.game.Path("rec.log"));
  children.pids.push_back(recorder);
  ASSERT_TRUE(w.Find()) << ReadFile(w.game.Path("rec.log.err")) << ReadFile(w.game.Path("xvfb.log.err"));
  std::this_thread::sleep_for(std::chrono::milliseconds(600));  // the game reaches its frame loop
  w.Do({"mousemove --window W 230 405", "click 1", "mousemove --window W 105 105", "click 1", "key --window W Escape"});
  // A key press the window missed is pressed again, as a player would.
  int recorded = -1;
  for (int attempt = 0; attempt < 5 && recorded == -1; ++attempt) {
    recorded = Finish(recorder, 4, /*mayGoOn=*/true);
    if (recorded == -1) w.Do({"key --window W Escape"});
  }
  if (recorded == -1) recorded = Finish(recorder, 5);
  ASSERT_EQ(recorded, 0) << ReadFile(w.game.Path("rec.log.err"));
  std::string replay = ReadFile(w.game.Path("rec.replay"));
  EXPECT_NE(replay.find("click left"), std::string::npos) << replay;
  EXPECT_NE(replay.find("key ESCAPE"), std::string::npos) << replay;

  ToolResult played = RunTool(RunPlayTool, {w.game.Path("rec.replay")});
  ASSERT_EQ(played.status, 0) << played.err;
  // Everything after the start-up report (which names the video driver) is the same.
  auto gamePart = [](const std::string& log) { return log.substr(log.find("<<< RUN INITIAL SCRIPT >>>")); };
  std::string recordedLog = ReadFile(w.game.Path("rec.log"));
  EXPECT_NE(recordedLog.find("EVENT LOOK [door] []"), std::string::npos) << recordedLog;
  EXPECT_EQ(gamePart(recordedLog), gamePart(played.out));
}

// The demo frees its keys (SetQuitKeys): Tab and Return alone choose
// English, the LOOK button and the coin, in the game executable's window.
TEST(KeysInWindow, TheDemoIsPlayedByKeysAlone) {
  ASSERT_TRUE(Installed("Xvfb") && Installed("xdotool")) << "Xvfb and xdotool are installed by scripts/setup.sh";
  WindowedGame w("800x600x24");
  ASSERT_FALSE(w.display.name.empty()) << ReadFile(w.game.Path("xvfb.log.err"));
  std::string logFile = w.game.Path("demo.log");
  std::vector<std::string> env = w.env;
  env.push_back("QUILLON_SAVE_DIR=" + w.game.Path("saves"));
  pid_t quillon = Start({QUILLON_BINARY_DIR "/quillon", QUILLON_BINARY_DIR "/demo"}, env, logFile);
  // The language is chosen inside Init, before the frame loop's first line.
  ASSERT_TRUE(w.Find() && Holds(logFile, "<<< CALL INIT-FUNCTION >>>", 30)) << ReadFile(logFile + ".err");
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  // Keys a fifth of a second apart: the pointer rests a frame before a click takes what it hovers.
  auto keys = [&](const std::string& names) { w.Do({"key --delay 200 --window W " + names}); };
  keys("Tab Tab Return");  // the second language line: English
  EXPECT_TRUE(Holds(logFile, "DEMO: language 2", 10) && Holds(logFile, "<<< CALL GAMELOOP >>>", 60)) << ReadFile(logFile);
  keys("Tab Tab Tab Tab Tab Tab Return");  // the sixth button after English: LOOK
  keys("Tab Tab Tab Return");               // round to the street: the door, then the coin
  // Robin walks to the coin and speaks before the event's line comes.
  EXPECT_TRUE(Holds(logFile, "LUA-EVENT-CALLED: LOOK coin", 30)) << ReadFile(logFile);
  keys("Escape");
  EXPECT_EQ(Finish(quillon, 30), 0);
}

}  // namespace
