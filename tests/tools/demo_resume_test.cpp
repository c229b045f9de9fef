// The demo's replay with a reload after every step at which no wait runs: the
// game saved, its engine closed, the save loaded into a fresh engine that plays
// the next step. The story and every picture must be those of the
// uninterrupted run, so whatever a save loses shows in the rest of the story.
// And the demo's own way: a save made with Robin's quill and loaded with it.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "tool_test.h"

namespace {

namespace fs = std::filesystem;

// The events and the demo's own lines, but those that loading itself prints.
std::vector<std::string> Story(const std::string& log) {
  std::vector<std::string> lines;
  std::istringstream in(log);
  for (std::string line; std::getline(in, line);) {
    bool event = line.rfind("LUA-EVENT-CALLED:", 0) == 0 || line.rfind("DEMO:", 0) == 0;
    if (event && line.rfind("DEMO: restored", 0) != 0) lines.push_back(line);
  }
  return lines;
}

bool SamePixels(const std::string& a, const std::string& b) {
  Surface x = LoadSurface(a);
  Surface y = LoadSurface(b);
  return x && y && x->w == y->w && x->h == y->h && x->pitch == y->pitch &&
         memcmp(x->pixels, y->pixels, static_cast<size_t>(x->pitch) * x->h) == 0;
}

TEST(DemoResume, PlaysOnAfterAReloadAtEveryStepAsIfNeverInterrupted) {
  TempDir dir;
  const std::string replay = QUILLON_SOURCE_DIR "/games/demo/playthrough.replay";
  PlayOptions reload;
  reload.reloadEachStep = true;
  PlayedDemo whole = PlayDemo(replay, dir.Path("whole"));
  PlayedDemo hopped = PlayDemo(replay, dir.Path("hopped"), reload);
  ASSERT_EQ(whole.status, 0) << whole.err;
  ASSERT_EQ(hopped.status, 0) << hopped.err;
  EXPECT_EQ(Story(hopped.log), Story(whole.log));
  // Most steps end where no wait runs: most are followed by a reload.
  int steps = 0, frames = 0, reloads = 0;
  ASSERT_EQ(sscanf(hopped.err.c_str(), "quillon-play: passed: %d steps, %d frames, %d reloads", &steps, &frames,
                   &reloads), 3) << hopped.err;
  EXPECT_GT(reloads, steps / 2);
  int compared = 0;
  for (const fs::directory_entry& shot : fs::directory_iterator(dir.Path("whole"))) {
    EXPECT_TRUE(SamePixels(shot.path().string(), dir.Path("hopped/" + shot.path().filename().string())))
        << shot.path().filename();
    ++compared;
  }
  EXPECT_EQ(compared, 11);
}

// Saved with USE on the quill, before the coin is taken; loaded after. The
// coin lies in the street again, and a click on it walks there: the verb is
// the default again and USE has nothing chosen.
TEST(DemoResume, TheQuillSavesAndLoadsTheGame) {
  TempDir dir;
  dir.Write("quill.replay", R"(ms-per-frame 40
wait 3 frames
click 50 438
wait for "DEMO: your turn" within 700 frames
click 38 450
click 308 450
wait for "DEMO: quill" within 100 frames
click 60 418
wait for "SaveGame(quill): saved" within 20 frames
wait for "LUA-EVENT-CALLED: USE" within 300 frames
click 166 431
click 455 374
wait for "LUA-EVENT-CALLED: TAKE coin" within 300 frames
click 102 450
click 352 450
wait for "DEMO: quill" within 100 frames
click 60 438
wait for "DEMO: restored quill" within 20 frames
click 455 374
wait for "LUA-EVENT-CALLED: REACHED coin" within 300 frames
key ESCAPE
expect exit within 50 frames
)");
  PlayedDemo run = PlayDemo(dir.Path("quill.replay"), dir.Path("shots"));
  EXPECT_EQ(run.status, 0) << run.err;
}

}  // namespace
