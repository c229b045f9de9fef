// The demo adventure as the build packs it, played by its own replay from the
// first choice to Exit: the log tells the story, the screenshots show it, and
// the game calls every script function on the way. Then the same replay with a
// reload after every step at which no wait runs: the game saved, its engine
// closed, the save loaded into a fresh engine that plays the next step. The
// story and every picture must be those of the uninterrupted run, so whatever
// a save loses shows in the rest of the story. And the demo's own way: a save
// made with Robin's quill and loaded with it.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "demo_play.h"
#include "engine/engine.h"
#include "script/script_table.h"
#include "support/pictures.h"
#include "support/temp_dir.h"
#include "tool_test.h"

namespace {

int Brightness(Rgb c) { return c.r + c.g + c.b; }

// One uninterrupted run of the packed demo (it is long under the sanitizers:
// one test checks it all, and compares the run with reloads against it).
struct DemoRun : PlayedDemo {
  TempDir dir;
  std::vector<unsigned> counts;

  DemoRun() {
    PlayOptions options;
    options.finished = [this](const Engine& engine) {
      counts.assign(std::begin(engine.script.callCounts), std::end(engine.script.callCounts));
    };
    PlayedDemo& played = *this;
    played = PlayDemo(kPlaythrough, dir.Path("shots"), options);
  }
  Surface Shot(const std::string& name) const { return LoadSurface(dir.Path("shots/" + name + ".bmp")); }
};

Surface Media(const std::string& name) { return LoadSurface(QUILLON_BINARY_DIR "/demo-media/" + name); }

// The error stream but the lines that name what is said.
std::string WithoutSpeech(const std::string& err) {
  std::istringstream in(err);
  std::string kept;
  for (std::string line; std::getline(in, line);)
    if (line.rfind("speech: ", 0) != 0) kept += line + "\n";
  return kept;
}

// The replay's own waits hold the story's events in order; the scene scripts load between them.
void CheckTheStory(const DemoRun& run) {
  size_t at = 0;
  for (int entry : {0, 1, 2, 3, 2, 4}) {
    std::string line = "Load Script <<lua.dat:" + std::to_string(entry) + ">>...OK";
    at = run.log.find(line, at);
    ASSERT_NE(at, std::string::npos) << line << " missing, or out of order";
    ++at;
  }
  for (const char* fault : {"Exception catched", "Ecxeption", "PANIC", "ERR", "notreachable", "didn't find a Path",
                            "not waiting", "returning 0", "does not exist", "-Error"})
    EXPECT_EQ(run.log.find(fault), std::string::npos) << fault;
  // Script errors go to the error stream; only what is said and the verdict may be there.
  EXPECT_EQ(WithoutSpeech(run.err).rfind("quillon-play: passed: ", 0), 0u) << run.err;
}

void CheckEveryScriptFunctionIsCalled(const DemoRun& run) {
  ASSERT_EQ(run.counts.size(), size_t(kScriptFunctionCount));
  for (int i = 0; i < kScriptFunctionCount; ++i) EXPECT_GT(run.counts[i], 0u) << kScriptFunctions[i].name;
}

// The first screen of play shows the street from its west end; by the gate it
// shows the east end: the view followed Robin.
void CheckTheStreetScrollsWithTheHero(const DemoRun& run) {
  Surface street = Media("street.bmp"), start = run.Shot("02-street-start"), east = run.Shot("08-street-east");
  ASSERT_TRUE(street && start && east);
  auto scroll = [&](SDL_Surface* shot) {
    const int y = 60;  // roofs and sky: nothing walks there
    for (int offset = 0; offset <= street->w - 640; ++offset) {
      int x = 0;
      while (x < 640 && PixelAt(shot, x, y) == PixelAt(street.get(), x + offset, y)) ++x;
      if (x == 640) return offset;
    }
    return -1;
  };
  EXPECT_EQ(scroll(start.get()), 0);
  EXPECT_GE(scroll(east.get()), 500);
}

// The coin's icon fills the first inventory slot at (288, 430).
void CheckTheCoinShowsInTheInventory(const DemoRun& run) {
  Surface icon = Media("icon_coin.bmp"), shot = run.Shot("03-coin-taken");
  ASSERT_TRUE(icon && shot);
  int opaque = 0, same = 0;
  for (int y = 0; y < icon->h; ++y)
    for (int x = 0; x < icon->w; ++x) {
      Rgb c = PixelAt(icon.get(), x, y);
      if (c == kMagenta) continue;
      ++opaque;
      same += PixelAt(shot.get(), 288 + x, 430 + y) == c;
    }
  EXPECT_GT(opaque, 200);
  EXPECT_EQ(same, opaque);
}

// While the baker thanks Robin, a dark box with light letters lies over the
// shop above his head.
void CheckSpeechIsDrawnInABox(const DemoRun& run) {
  Surface shop = Media("shop.bmp"), shot = run.Shot("06-speech");
  ASSERT_TRUE(shop && shot);
  int darker = 0, light = 0, area = 0;
  for (int y = 222; y < 250; ++y)
    for (int x = 250; x < 470; ++x) {
      ++area;
      Rgb c = PixelAt(shot.get(), x, y);
      darker += Brightness(c) < Brightness(PixelAt(shop.get(), x, y)) - 60;
      light += Brightness(c) > 450;  // the baker speaks in gold
    }
  EXPECT_GT(darker, area * 3 / 4);
  EXPECT_GT(light, 100);
}

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

}  // namespace

TEST(DemoResume, PlaysToItsEndAndAlikeWithAReloadAtEveryStep) {
  DemoRun run;
  ASSERT_EQ(run.status, 0) << run.err;
  CheckTheStory(run);
  CheckEveryScriptFunctionIsCalled(run);
  CheckTheStreetScrollsWithTheHero(run);
  CheckTheCoinShowsInTheInventory(run);
  CheckSpeechIsDrawnInABox(run);
  PlayOptions reload;
  reload.reloadEachStep = true;
  PlayedDemo hopped = PlayDemo(kPlaythrough, run.dir.Path("hopped"), reload);
  ASSERT_EQ(hopped.status, 0) << hopped.err;
  EXPECT_EQ(Story(hopped.log), Story(run.log));
  // Most steps end where no wait runs: most are followed by a reload.
  int steps = 0, frames = 0, reloads = 0;
  ASSERT_EQ(sscanf(WithoutSpeech(hopped.err).c_str(), "quillon-play: passed: %d steps, %d frames, %d reloads", &steps, &frames,
                   &reloads), 3) << hopped.err;
  EXPECT_GT(reloads, steps / 2);
  int compared = 0;
  for (const std::filesystem::directory_entry& shot : std::filesystem::directory_iterator(run.dir.Path("shots"))) {
    EXPECT_TRUE(SamePixels(shot.path().string(), run.dir.Path("hopped/" + shot.path().filename().string())))
        << shot.path().filename();
    ++compared;
  }
  EXPECT_EQ(compared, 12);  // the hotspots held in the garden among them
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
wait for "LUA-EVENT-CALLED: USE" within 300 frames
wait for "SaveGame(quill): saved" within 5 frames
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


// A gamepad alone: the right shoulder steps through what takes a click, A
// clicks, the stick moves the pointer. English, the LOOK button, the coin.
TEST(DemoResume, APartIsPlayedByAGamepadAlone) {
  TempDir dir;
  // A player's presses come a few frames apart.
  auto press = [](const std::string& buttons) {
    std::string steps, button;
    for (std::istringstream in(buttons); in >> button;)
      steps += "pad press " + button + "\npad release " + button + "\nwait 2 frames\n";
    return steps;
  };
  dir.Write("pad.replay", "ms-per-frame 40\nwait 3 frames\npad stick 32767 0\nwait 5 frames\npad stick 0 0\n" +
                              press("RB RB A") + "wait for \"DEMO: language 2\" within 10 frames\n" +
                              "wait for \"DEMO: your turn\" within 700 frames\n" + press("RB RB RB RB RB RB A") +
                              press("RB RB RB A") +
                              "wait for \"LUA-EVENT-CALLED: LOOK coin\" within 300 frames\nkey ESCAPE\n"
                              "expect exit within 50 frames\n");
  PlayedDemo run = PlayDemo(dir.Path("pad.replay"), dir.Path("shots"));
  EXPECT_EQ(run.status, 0) << run.err;
}
