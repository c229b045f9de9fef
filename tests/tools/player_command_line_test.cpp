// The game executable as a player starts it: options, refusals, a game
// folder on the command line, SIGTERM in a dialogue choice (its real window:
// record_in_window_test.cpp).
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "core/command_line.h"
#include "core/window.h"
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
      {"QUILLON_SCALE", "auto"}, {"QUILLON_FULLSCREEN", "1"}, {"QUILLON_MUTE", "0"}, {"QUILLON_FPS", "60"},
      {"QUILLON_NO_KEYS", "1"}};
  auto read = [&](const char* name) { return environment.count(name) ? environment[name] : nullptr; };
  PlayerOptions fromEnvironment = ParseCommandLine({}, read).options;
  EXPECT_TRUE(fromEnvironment.autoScale && fromEnvironment.fullscreen && !fromEnvironment.mute &&
              fromEnvironment.noKeys);
  EXPECT_EQ(fromEnvironment.fps, 60);
  PlayerOptions overridden = ParseCommandLine({"--scale", "3", "--fps", "30", "--mute"}, read).options;
  EXPECT_TRUE(!overridden.autoScale && overridden.scale == 3 && overridden.fps == 30 && overridden.mute);
  environment["QUILLON_FPS"] = "fast";
  EXPECT_EQ(ParseCommandLine({}, read).error, "QUILLON_FPS must be a number from 1 to 1000, not \"fast\"");
  environment.erase("QUILLON_FPS");
  environment["QUILLON_SCALE"] = "5";
  EXPECT_EQ(ParseCommandLine({}, read).error, "QUILLON_SCALE must be 1 to 4 or auto, not \"5\"");
  auto none = [](const char*) -> const char* { return nullptr; };
  EXPECT_EQ(ParseCommandLine({"--scale", "4"}, none).options.scale, 4);
  EXPECT_TRUE(ParseCommandLine({"--no-keys"}, none).options.noKeys);
  EXPECT_FALSE(ParseCommandLine({}, none).options.noKeys);
  EXPECT_EQ(ParseCommandLine({"--scale", "5"}, none).error, "--scale needs 1 to 4 or auto");
  // auto: the largest whole factor whose window fits the desktop, at least 1, at most 4.
  struct Fit { int desktopWidth, desktopHeight, scale; } fits[] = {
      {1920, 1080, 2}, {1280, 960, 2}, {1279, 960, 1}, {3840, 2160, 4}, {7680, 4320, 4}, {320, 200, 1}};
  for (const Fit& f : fits)
    EXPECT_EQ(ScaleThatFits(640, 480, f.desktopWidth, f.desktopHeight), f.scale) << f.desktopWidth << "x" << f.desktopHeight;
}

}  // namespace
