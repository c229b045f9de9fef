// The game executable as a player starts it: options, refusals, a game
// folder on the command line, SIGTERM in a dialogue choice, and a click
// through a scaled window on a virtual X display.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#include "core/command_line.h"
#include "engine/game_fixtures.h"
#include "support/child_process.h"

namespace {

const std::string kQuillon = QUILLON_BINARY_DIR "/quillon";

const std::vector<std::string> kHeadless = {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy",
                                            "ASAN_OPTIONS=detect_leaks=0"};

TEST(CommandLine, TheExecutablePrintsRefusesAndRunsAGameFolderAndTheEnvironmentGivesOptions) {
  TempDir noGame;
  GameHarness game;  // only writes the folder
  game.Write("init.lua",
             "function Init() LoadDecisionFont('font.bmp', 8) SetMode('DECISION') end\n"
             "function Main() print('CHOOSING') print('AFTER ' .. MakeDecision('yes', 'no')) end\n");
  WriteFullFont(game, "font.bmp");
  struct Case {
    std::vector<std::string> words;
    int status;
    const char* out;  // the beginning of standard output
    const char* err;  // the beginning of standard error
  } cases[] = {
      {{"--help"}, 0, "usage: quillon [options] [GAMEDIR]\n", ""},
      {{"--version"}, 0, "Quillon 1.0\n", ""},
      {{"--scale", "0"}, 2, "", "quillon: --scale needs 1 to 4 or auto\nusage: quillon [options] [GAMEDIR]\n"},
      {{"--loud"}, 2, "", "quillon: unknown option --loud\nusage: "},
      {{noGame.path()}, 2, "", "quillon: no game in "},
      // Started from elsewhere, told the game's folder, ended by SIGTERM in its dialogue choice.
      {{"--mute", game.dir.path()}, 0, "INIT LUA...OK\r\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.words));
    std::vector<std::string> argv = {kQuillon};
    argv.insert(argv.end(), c.words.begin(), c.words.end());
    std::string output = noGame.Path("out.txt");
    pid_t pid = Start(argv, kHeadless, output);
    bool choosing = c.status == 0 && c.words.back() == game.dir.path();
    if (choosing) {
      ASSERT_TRUE(Holds(output, "CHOOSING", 60)) << ReadFile(output) << ReadFile(output + ".err");
      kill(pid, SIGTERM);
    }
    EXPECT_EQ(Finish(pid, 60), c.status);
    std::string out = ReadFile(output), err = ReadFile(output + ".err");
    EXPECT_EQ(out.rfind(c.out, 0), 0u) << out;
    EXPECT_EQ(err.rfind(c.err, 0), 0u) << err;
    if (c.status == 2) EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1 + std::count(kUsage, kUsage + strlen(kUsage), '\n'));
    if (choosing) {
      EXPECT_EQ(out.find("AFTER"), std::string::npos) << out;
      EXPECT_NE(out.find("<<< CALL GAMELOOP >>>\r\nAverage FPS = "), std::string::npos) << out;
      EXPECT_EQ(out.substr(out.size() - 14), "CLEANUP...OK\r\n");
    }
  }

  std::map<std::string, const char*> environment = {
      {"QUILLON_SCALE", "auto"}, {"QUILLON_FULLSCREEN", "1"}, {"QUILLON_MUTE", "0"}, {"QUILLON_FPS", "60"}};
  auto read = [&](const char* name) { return environment.count(name) ? environment[name] : nullptr; };
  PlayerOptions fromEnvironment = ParseCommandLine({}, read).options;
  EXPECT_TRUE(fromEnvironment.autoScale && fromEnvironment.fullscreen && !fromEnvironment.mute);
  EXPECT_EQ(fromEnvironment.fps, 60);
  PlayerOptions overridden = ParseCommandLine({"--scale", "3", "--fps", "30", "--mute"}, read).options;
  EXPECT_TRUE(!overridden.autoScale && overridden.scale == 3 && overridden.fps == 30 && overridden.mute);
  environment["QUILLON_FPS"] = "fast";
  EXPECT_EQ(ParseCommandLine({}, read).error, "QUILLON_FPS must be a number from 1 to 1000, not \"fast\"");
}

// A real window twice the game's size: the X server's pointer, in window
// pixels, chooses LOOK and clicks the door; SIGTERM ends the game.
TEST(CommandLine, AClickThroughAScaledWindowOnAVirtualDisplay) {
  if (!Installed("Xvfb") || !Installed("xdotool")) GTEST_SKIP() << "Xvfb and xdotool are needed";
  GameHarness game;  // only writes the folder
  WriteSceneGame(game, "LoadSystemFont('font.bmp', 8, 10, 430)\n" + std::string(kHeroScene) +
                           "MakeObject('door', 'Door', 100, 100)\n");
  VirtualDisplay display(game.Path("xvfb.log"), "1400x1000x24");
  ASSERT_FALSE(display.name.empty()) << ReadFile(game.Path("xvfb.log.err"));
  std::string x = "DISPLAY=" + display.name + " xdotool ";

  pid_t quillon = Start({kQuillon, "--scale", "2", game.dir.path()},
                        {"DISPLAY=" + display.name, "SDL_VIDEODRIVER=x11", "SDL_AUDIODRIVER=dummy", "ASAN_OPTIONS=detect_leaks=0"},
                        game.Path("game.log"));
  bool found = Retry(x + "search --name Quillon > " + game.Path("window.txt") + " 2>/dev/null", 100);
  std::string window = ReadFile(game.Path("window.txt"));
  window = window.substr(0, window.find('\n'));
  EXPECT_TRUE(found && Holds(game.Path("game.log"), "<<< CALL GAMELOOP >>>", 30)) << ReadFile(game.Path("game.log.err"));
  // LOOK at (230, 405) and the door at (105, 105) of the game's screen; a
  // click the game missed while busy is clicked again, as a player would.
  for (int attempt = 0; found && attempt < 5 && ReadFile(game.Path("game.log")).find("EVENT LOOK") == std::string::npos;
       ++attempt) {
    for (const char* step : {"mousemove --window W 460 810", "click 1", "mousemove --window W 210 210", "click 1"}) {
      std::string command = step;
      if (size_t at = command.find(" W "); at != std::string::npos) command.replace(at, 3, " " + window + " ");
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
      std::system((x + command + " 2>/dev/null").c_str());
    }
    Holds(game.Path("game.log"), "EVENT LOOK", 2);
  }
  kill(quillon, SIGTERM);
  int status = Finish(quillon, 30);
  std::string log = ReadFile(game.Path("game.log"));
  EXPECT_EQ(status, 0) << ReadFile(game.Path("game.log.err"));
  EXPECT_NE(log.find("EVENT LOOK [door] []"), std::string::npos) << log;
  EXPECT_NE(log.find("Screenwidth                                          :640"), std::string::npos);
  EXPECT_EQ(log.substr(log.size() - 14), "CLEANUP...OK\r\n");
}

}  // namespace
