// The demo adventure as the build packs it, played by its own replay from the
// first choice to Exit: the log tells the story, the screenshots show it, and
// the game calls every script function on the way.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "play/play_session.h"
#include "resources/pixels.h"
#include "script/script_table.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

struct SurfaceFree {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

Uint32 Rgb(SDL_Surface* s, int x, int y) {
  Uint8 r, g, b;
  SDL_GetRGB(GetPixel(s, x, y), s->format, &r, &g, &b);
  return (Uint32(r) << 16) | (Uint32(g) << 8) | b;
}

int Brightness(Uint32 rgb) { return int(rgb >> 16) + int((rgb >> 8) & 0xFF) + int(rgb & 0xFF); }

const Uint32 kMagenta = 0xFF00FF;

// One run of the packed demo (CTest runs each test in its own process, and
// the run is long under the sanitizers: one test checks it all).
struct DemoRun {
  TempDir dir;
  int status = -1;
  std::vector<unsigned> counts;
  std::string log, err;

  DemoRun() {
    PlayOptions options;
    options.target = (fs::path(QUILLON_BINARY_DIR) / "demo").string();
    options.replay = QUILLON_SOURCE_DIR "/games/demo/playthrough.replay";
    options.screenshotDir = dir.Path("shots");
    options.finished = [this](const Engine& engine) {
      counts.assign(std::begin(engine.script.callCounts), std::end(engine.script.callCounts));
    };
    std::ostringstream out, errors;
    status = RunPlaySession(options, out, errors);
    log = out.str();
    err = errors.str();
  }
  Surface Shot(const std::string& name) const {
    return Surface(SDL_LoadBMP(dir.Path("shots/" + name + ".bmp").c_str()));
  }
};

Surface Media(const std::string& name) {
  return Surface(SDL_LoadBMP((fs::path(QUILLON_BINARY_DIR) / "demo-media" / name).c_str()));
}

void CheckTheStory(const DemoRun& run) {
  const char* const story[] = {
      "Load Script <<lua.dat:0>>...OK", "Load Script <<lua.dat:1>>...OK", "DEMO: language 2",
      "Load Script <<lua.dat:2>>...OK", "DEMO: street", "DEMO: your turn",
      "LUA-EVENT-CALLED: LOOK coin", "LUA-EVENT-CALLED: TAKE coin", "LUA-EVENT-CALLED: Smell window",
      "LUA-EVENT-CALLED: OPEN door", "Load Script <<lua.dat:3>>...OK", "DEMO: shop",
      "LUA-EVENT-CALLED: REACHED door", "DEMO: decision 1", "DEMO: decision 3", "LUA-EVENT-CALLED: TALK keeper",
      "LUA-EVENT-CALLED: USE bell", "LUA-EVENT-CALLED: GIVE keeper", "LUA-EVENT-CALLED: PUSH barrel",
      "Load Script <<lua.dat:2>>...OK", "DEMO: street", "LUA-EVENT-CALLED: CLOSE door",
      "LUA-EVENT-CALLED: LOOK sign", "LUA-EVENT-CALLED: PULL gate", "LUA-EVENT-CALLED: USE gate",
      "Load Script <<lua.dat:4>>...OK", "DEMO: garden", "LUA-EVENT-CALLED: REACHED gate",
      "LUA-EVENT-CALLED: TAKE can", "LUA-EVENT-CALLED: USE pond", "LUA-EVENT-CALLED: USE flower",
      "LUA-EVENT-CALLED: TAKE flower", "DEMO: the end"};
  size_t at = 0;
  for (const char* line : story) {
    size_t found = run.log.find(line, at);
    ASSERT_NE(found, std::string::npos) << "\"" << line << "\" missing after log position " << at;
    at = found + 1;
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
      while (x < 640 && Rgb(shot, x, y) == Rgb(street.get(), x + offset, y)) ++x;
      if (x == 640) return offset;
    }
    return -1;
  };
  EXPECT_EQ(scroll(start.get()), 0);
  EXPECT_GE(scroll(east.get()), 500);
}

// Robin stands at x 240 when play begins and has walked off by the time the
// coin is taken: the place then shows the street again.
void CheckTheHeroMoved(const DemoRun& run) {
  Surface street = Media("street.bmp"), start = run.Shot("02-street-start"), taken = run.Shot("03-coin-taken");
  ASSERT_TRUE(street && start && taken);
  auto differing = [&](SDL_Surface* shot, int offset) {
    int count = 0;
    for (int y = 330; y < 372; ++y)
      for (int x = 230; x < 250; ++x) count += Rgb(shot, x, y) != Rgb(street.get(), x + offset, y);
    return count;
  };
  EXPECT_GT(differing(start.get(), 0), 200);
  EXPECT_EQ(differing(taken.get(), 110), 0);
}

// The coin's icon fills the first inventory slot at (288, 430).
void CheckTheCoinShowsInTheInventory(const DemoRun& run) {
  Surface icon = Media("icon_coin.bmp"), shot = run.Shot("03-coin-taken");
  ASSERT_TRUE(icon && shot);
  int opaque = 0, same = 0;
  for (int y = 0; y < icon->h; ++y)
    for (int x = 0; x < icon->w; ++x) {
      Uint32 c = Rgb(icon.get(), x, y);
      if (c == kMagenta) continue;
      ++opaque;
      same += Rgb(shot.get(), 288 + x, 430 + y) == c;
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
      Uint32 c = Rgb(shot.get(), x, y);
      darker += Brightness(c) < Brightness(Rgb(shop.get(), x, y)) - 60;
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
  CheckTheHeroMoved(run);
  CheckTheCoinShowsInTheInventory(run);
  CheckSpeechIsDrawnInABox(run);
}
