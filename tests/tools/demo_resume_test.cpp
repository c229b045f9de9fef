// The demo's replay, interrupted: saved at a step where no wait runs, loaded
// into a fresh engine, and played on. The rest of the story and the pictures
// must be those of the uninterrupted run.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "play/play_session.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

const char kReplay[] = QUILLON_SOURCE_DIR "/games/demo/playthrough.replay";

struct PlayRun {
  std::string log, err;
  int status = -1;
};

PlayRun Play(const std::string& replay, const std::string& shots) {
  PlayOptions options;
  options.target = (fs::path(QUILLON_BINARY_DIR) / "demo").string();
  options.replay = replay;
  options.screenshotDir = shots;
  std::ostringstream out, err;
  PlayRun run;
  run.status = RunPlaySession(options, out, err);
  run.log = out.str();
  run.err = err.str();
  return run;
}

// What the story is made of: the events and the demo's own lines (its
// "restored" line comes from loading, which the uninterrupted run never does).
std::vector<std::string> Story(const std::string& log) {
  std::vector<std::string> lines;
  std::istringstream in(log);
  for (std::string line; std::getline(in, line);) {
    bool event = line.rfind("LUA-EVENT-CALLED:", 0) == 0 || line.rfind("DEMO:", 0) == 0;
    if (event && line.rfind("DEMO: restored", 0) != 0) lines.push_back(line);
  }
  return lines;
}

std::string Before(const std::string& log, const std::string& marker) {
  size_t at = log.find(marker);
  return at == std::string::npos ? "" : log.substr(0, at);
}

std::string After(const std::string& log, const std::string& marker) {
  size_t at = log.rfind(marker);
  return at == std::string::npos ? "" : log.substr(at);
}

bool SamePixels(const std::string& a, const std::string& b) {
  SDL_Surface* x = SDL_LoadBMP(a.c_str());
  SDL_Surface* y = SDL_LoadBMP(b.c_str());
  bool same = x && y && x->w == y->w && x->h == y->h && x->pitch == y->pitch &&
              memcmp(x->pixels, y->pixels, static_cast<size_t>(x->pitch) * x->h) == 0;
  if (x) SDL_FreeSurface(x);
  if (y) SDL_FreeSurface(y);
  return same;
}

// The replay split after the step that waits for text: the part up to it
// saves to slot "probe" and ends; the rest begins by loading that slot.
void SplitReplay(const std::string& text, const std::string& after, std::string* first, std::string* rest) {
  std::istringstream in(text);
  bool split = false, justLoaded = false;
  for (std::string line; std::getline(in, line);) {
    bool step = !line.empty() && line[0] != '#' && line.rfind("ms-per-frame", 0) != 0;
    // The screen right after the load step still shows the frame drawn before it.
    if (step && justLoaded && line.rfind("screenshot", 0) == 0) continue;
    if (step && split) justLoaded = false;
    if (!step || !split) *first += line + "\n";
    if (!step || split) *rest += line + "\n";
    if (step && !split && line.find(after) != std::string::npos) {
      split = true;
      *first += "save probe\nclose\nexpect exit\n";
      *rest += "load probe\n";
      justLoaded = true;
    }
  }
  ASSERT_TRUE(split) << after;
}

class DemoResume : public testing::TestWithParam<const char*> {};

TEST_P(DemoResume, PlaysOnAsIfNeverInterrupted) {
  TempDir dir;
  std::ifstream file(kReplay);
  std::stringstream replay;
  replay << file.rdbuf();
  std::string first, rest;
  SplitReplay(replay.str(), GetParam(), &first, &rest);
  dir.Write("first.replay", first);
  dir.Write("rest.replay", rest);

  PlayRun whole = Play(kReplay, dir.Path("whole"));
  ASSERT_EQ(whole.status, 0) << whole.err;
  setenv("QUILLON_SAVE_DIR", dir.Path("saves").c_str(), 1);
  PlayRun saved = Play(dir.Path("first.replay"), dir.Path("first"));
  PlayRun resumed = Play(dir.Path("rest.replay"), dir.Path("rest"));
  unsetenv("QUILLON_SAVE_DIR");
  ASSERT_EQ(saved.status, 0) << saved.err;
  ASSERT_EQ(resumed.status, 0) << resumed.err;

  std::vector<std::string> story = Story(whole.log);
  std::vector<std::string> told = Story(Before(saved.log, "SaveGame(probe): saved"));
  ASSERT_LE(told.size(), story.size());
  ASSERT_TRUE(std::equal(told.begin(), told.end(), story.begin())) << "the first part is not the story's start";
  std::vector<std::string> untold(story.begin() + static_cast<long>(told.size()), story.end());
  EXPECT_EQ(Story(After(resumed.log, "LoadGame(probe): restored")), untold);

  int compared = 0;
  for (const fs::directory_entry& shot : fs::directory_iterator(dir.Path("rest"))) {
    EXPECT_TRUE(SamePixels(shot.path().string(), dir.Path("whole/" + shot.path().filename().string())))
        << shot.path().filename();
    ++compared;
  }
  EXPECT_GE(compared, 1);  // the final screen at least
}

// One step in each scene, with objects, the inventory and the story flags in
// different states; each is a step after which the frame loop runs no wait.
INSTANTIATE_TEST_SUITE_P(Steps, DemoResume,
                         testing::Values("LUA-EVENT-CALLED: TAKE coin", "LUA-EVENT-CALLED: TALK keeper",
                                         "LUA-EVENT-CALLED: CLOSE door", "LUA-EVENT-CALLED: TAKE can"));

}  // namespace
