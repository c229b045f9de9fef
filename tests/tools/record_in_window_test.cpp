// quillon-play --record in a real window: a virtual X display, input from the
// X server itself, and the recording played back headless to the same log.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include "engine/game_fixtures.h"

namespace {

bool Installed(const char* program) {
  return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

// Starts a program with extra environment; its output goes to a file.
pid_t Start(const std::vector<std::string>& argv, const std::vector<std::string>& env, const std::string& output) {
  pid_t pid = fork();
  if (pid != 0) return pid;
  for (const std::string& assignment : env) putenv(const_cast<char*>(assignment.c_str()));
  freopen(output.c_str(), "w", stdout);
  freopen((output + ".err").c_str(), "w", stderr);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execvp(args[0], args.data());
  _exit(127);
}

// Waits for the child; -1 when it has not ended within the time (and then it
// is killed, unless it may go on).
int Finish(pid_t pid, int seconds, bool mayGoOn = false) {
  for (int i = 0; i < seconds * 10; ++i) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  if (!mayGoOn) kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
  return -1;
}

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Kills the children still running when the test ends, a failed one included.
struct Children {
  std::vector<pid_t> pids;
  ~Children() {
    for (pid_t pid : pids)
      if (kill(pid, SIGKILL) == 0) waitpid(pid, nullptr, 0);
  }
};

// Runs command up to tries times, 100 ms apart, until it succeeds.
bool Retry(const std::string& command, int tries) {
  for (int i = 0; i < tries; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(100)))
    if (std::system(command.c_str()) == 0) return true;
  return false;
}

TEST(RecordInWindow, APlayersRecordingPlaysBackToTheSameLog) {
  if (!Installed("Xvfb") || !Installed("xdotool")) GTEST_SKIP() << "Xvfb and xdotool are needed";
  GameHarness game;  // only writes the folder
  WriteSceneGame(game, "LoadSystemFont('font.bmp', 8, 10, 430)\n" + std::string(kHeroScene) +
                           "MakeObject('door', 'Door', 100, 100)\n");
  // Xvfb picks a free display itself and writes its number into the pipe. It
  // must not reset when the last client leaves: the readiness probe below is
  // a client, and a game connecting during the reset would be refused.
  int numberPipe[2];
  ASSERT_EQ(pipe(numberPipe), 0);
  pid_t server = Start({"Xvfb", "-displayfd", std::to_string(numberPipe[1]), "-screen", "0", "800x600x24",
                        "-nolisten", "tcp", "-noreset"},
                       {}, game.Path("xvfb.log"));
  Children children{{server}};
  close(numberPipe[1]);
  std::string digits;
  char c;
  while (read(numberPipe[0], &c, 1) == 1 && c != '\n') digits += c;
  close(numberPipe[0]);
  ASSERT_FALSE(digits.empty()) << Read(game.Path("xvfb.log.err"));
  std::string display = ":" + digits;
  // Until a client gets through, the server is not ready yet (on a busy
  // machine that can take a while).
  ASSERT_TRUE(Retry("DISPLAY=" + display + " xdotool getmouselocation >/dev/null 2>&1", 300))
      << Read(game.Path("xvfb.log.err"));

  std::string play = QUILLON_BINARY_DIR "/tools/quillon-play";
  // A window and no sound device; the X libraries' own allocations are not ours to check.
  std::vector<std::string> windowed = {"DISPLAY=" + display, "SDL_VIDEODRIVER=x11", "SDL_AUDIODRIVER=dummy",
                                       "ASAN_OPTIONS=detect_leaks=0"};
  pid_t recorder = Start({play, game.dir.path(), "--record", game.Path("rec.replay")}, windowed, game.Path("rec.log"));
  children.pids.push_back(recorder);

  // The player: wait for the window, choose LOOK, click the door, press Escape.
  std::string x = "DISPLAY=" + display + " xdotool ";
  ASSERT_TRUE(Retry(x + "search --name Quillon > " + game.Path("window.txt") + " 2>/dev/null", 100))
      << Read(game.Path("rec.log")) << Read(game.Path("rec.log.err")) << Read(game.Path("xvfb.log.err"));
  std::string window = Read(game.Path("window.txt"));
  window = window.substr(0, window.find('\n'));
  std::this_thread::sleep_for(std::chrono::seconds(1));  // the game reaches its frame loop
  for (const char* step : {"mousemove --window W 230 405", "click 1", "mousemove --window W 105 105", "click 1",
                           "key --window W Escape"}) {
    std::string command = step;
    if (size_t at = command.find(" W "); at != std::string::npos) command.replace(at, 3, " " + window + " ");
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    std::system((x + command + " 2>/dev/null").c_str());
  }
  // A key press the window missed is pressed again, as a player would.
  int recorded = -1;
  for (int attempt = 0; attempt < 5 && recorded == -1; ++attempt) {
    recorded = Finish(recorder, 4, /*mayGoOn=*/true);
    if (recorded == -1) std::system((x + "key --window " + window + " Escape 2>/dev/null").c_str());
  }
  if (recorded == -1) recorded = Finish(recorder, 5);
  kill(server, SIGTERM);
  Finish(server, 5);
  ASSERT_EQ(recorded, 0) << Read(game.Path("rec.log.err"));

  std::string replay = Read(game.Path("rec.replay"));
  EXPECT_NE(replay.find("click left"), std::string::npos) << replay;
  EXPECT_NE(replay.find("key ESCAPE"), std::string::npos) << replay;

  pid_t player = Start({play, game.Path("rec.replay")},
                       {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy", "ASAN_OPTIONS=detect_leaks=0"},
                       game.Path("play.log"));
  ASSERT_EQ(Finish(player, 60), 0) << Read(game.Path("play.log.err"));

  // Everything after the start-up report (which names the video driver) is the same.
  auto game_part = [](const std::string& log) { return log.substr(log.find("<<< RUN INITIAL SCRIPT >>>")); };
  std::string recordedLog = Read(game.Path("rec.log")), playedLog = Read(game.Path("play.log"));
  EXPECT_NE(recordedLog.find("EVENT LOOK [door] []"), std::string::npos) << recordedLog;
  EXPECT_EQ(game_part(recordedLog), game_part(playedLog));
}

}  // namespace
