// The demo adventure as the build packs it, played by its own replay from the
// first choice to Exit: the log tells the story, the screenshots show it, and
// the game calls every script function on the way.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <string>
#include <vector>

#include "engine/engine.h"
#include "script/script_table.h"
#include "support/pictures.h"
#include "support/temp_dir.h"
#include "tool_test.h"

namespace {

int Brightness(Rgb c) { return c.r + c.g + c.b; }

// One run of the packed demo (CTest runs each test in its own process, and
// the run is long under the sanitizers: one test checks it all).
struct DemoRun : PlayedDemo {
  TempDir dir;
  std::vector<unsigned> counts;

  DemoRun() {
    PlayOptions options;
    options.finished = [this](const Engine& engine) {
      counts.assign(std::begin(engine.script.callCounts), std::end(engine.script.callCounts));
    };
    PlayedDemo& played = *this;
    played = PlayDemo(QUILLON_SOURCE_DIR "/games/demo/playthrough.replay", dir.Path("shots"), options);
  }
  Surface Shot(const std::string& name) const { return LoadSurface(dir.Path("shots/" + name + ".bmp")); }
};

Surface Media(const std::string& name) { return LoadSurface(QUILLON_BINARY_DIR "/demo-media/" + name); }

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
  // Script errors go to the error stream; only the verdict may be there.
  EXPECT_EQ(run.err.rfind("quillon-play: passed: ", 0), 0u) << run.err;
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

}  // namespace

TEST(Demo, PlaysFromItsFirstChoiceToItsEnd) {
  DemoRun run;
  ASSERT_EQ(run.status, 0) << run.err;
  CheckTheStory(run);
  CheckEveryScriptFunctionIsCalled(run);
  CheckTheStreetScrollsWithTheHero(run);
  CheckTheCoinShowsInTheInventory(run);
  CheckSpeechIsDrawnInABox(run);
}
