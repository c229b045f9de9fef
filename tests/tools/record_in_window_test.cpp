// quillon-play --record in a real window: a virtual X display, input from the
// X server itself, and the recording played back headless (in-process) to the same log.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "engine/game_fixtures.h"
#include "play/play_tool.h"
#include "support/child_process.h"
#include "support/tool_run.h"

namespace {

TEST(RecordInWindow, APlayersRecordingPlaysBackToTheSameLog) {
  if (!Installed("Xvfb") || !Installed("xdotool")) GTEST_SKIP() << "Xvfb and xdotool are needed";
  GameHarness game;  // only writes the folder
  WriteSceneGame(game, "LoadSystemFont('font.bmp', 8, 10, 430)\n" + std::string(kHeroScene) +
                           "MakeObject('door', 'Door', 100, 100)\n");
  VirtualDisplay screen(game.Path("xvfb.log"));
  ASSERT_FALSE(screen.name.empty()) << ReadFile(game.Path("xvfb.log.err"));
  const std::string& display = screen.name;
  Children children;

  std::string play = QUILLON_BINARY_DIR "/tools/quillon-play";
  // A window and no sound device; the X libraries' own allocations are not ours to check.
  std::vector<std::string> windowed = {"DISPLAY=" + display, "SDL_VIDEODRIVER=x11", "SDL_AUDIODRIVER=dummy",
                                       "ASAN_OPTIONS=detect_leaks=0"};
  pid_t recorder = Start({play, game.dir.path(), "--record", game.Path("rec.replay")}, windowed, game.Path("rec.log"));
  children.pids.push_back(recorder);

  // The player: wait for the window, choose LOOK, click the door, press Escape.
  std::string x = "DISPLAY=" + display + " xdotool ";
  ASSERT_TRUE(Retry(x + "search --name Quillon > " + game.Path("window.txt") + " 2>/dev/null", 100))
      << ReadFile(game.Path("rec.log")) << ReadFile(game.Path("rec.log.err")) << ReadFile(game.Path("xvfb.log.err"));
  std::string window = ReadFile(game.Path("window.txt"));
  window = window.substr(0, window.find('\n'));
  std::this_thread::sleep_for(std::chrono::milliseconds(600));  // the game reaches its frame loop
  for (const char* step : {"mousemove --window W 230 405", "click 1", "mousemove --window W 105 105", "click 1",
                           "key --window W Escape"}) {
    std::string command = step;
    if (size_t at = command.find(" W "); at != std::string::npos) command.replace(at, 3, " " + window + " ");
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    std::system((x + command + " 2>/dev/null").c_str());
  }
  // A key press the window missed is pressed again, as a player would.
  int recorded = -1;
  for (int attempt = 0; attempt < 5 && recorded == -1; ++attempt) {
    recorded = Finish(recorder, 4, /*mayGoOn=*/true);
    if (recorded == -1) std::system((x + "key --window " + window + " Escape 2>/dev/null").c_str());
  }
  if (recorded == -1) recorded = Finish(recorder, 5);
  ASSERT_EQ(recorded, 0) << ReadFile(game.Path("rec.log.err"));

  std::string replay = ReadFile(game.Path("rec.replay"));
  EXPECT_NE(replay.find("click left"), std::string::npos) << replay;
  EXPECT_NE(replay.find("key ESCAPE"), std::string::npos) << replay;

  ToolResult played = RunTool(RunPlayTool, {game.Path("rec.replay")});
  ASSERT_EQ(played.status, 0) << played.err;

  // Everything after the start-up report (which names the video driver) is the same.
  auto game_part = [](const std::string& log) { return log.substr(log.find("<<< RUN INITIAL SCRIPT >>>")); };
  std::string recordedLog = ReadFile(game.Path("rec.log")), playedLog = played.out;
  EXPECT_NE(recordedLog.find("EVENT LOOK [door] []"), std::string::npos) << recordedLog;
  EXPECT_EQ(game_part(recordedLog), game_part(playedLog));
}

}  // namespace
