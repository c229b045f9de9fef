// Frame pacing: the frame limit sleeps, through the clock seam, the rest of
// each frame's slot in the frame loop and in nested waits; the partial present
// sends exactly the tiles whose pixels changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

#include "core/present.h"
#include "core/window.h"
#include "support/game_harness.h"
#include "support/pictures.h"

namespace {

// The engine's sleeps, each moving the test clock on by its length, and how
// often each frame read the clock.
struct Sleeps {
  GameHarness* game = nullptr;
  std::vector<std::pair<Uint32, Uint32>> taken;  // (frames completed before it, milliseconds)
  std::vector<int> readsPerFrame;
  int reads = 0;

  explicit Sleeps(GameHarness& g) : game(&g) {
    g.engine.clock.context = this;
    g.engine.clock.source = [](void* self) {
      Sleeps& s = *static_cast<Sleeps*>(self);
      ++s.reads;
      return s.game->clock.now;
    };
    g.engine.clock.sleep = [](void* self, Uint32 ms) {
      Sleeps& s = *static_cast<Sleeps*>(self);
      s.taken.push_back({s.game->engine.timing.frameCounter, ms});
      s.game->clock.now += ms;
    };
    g.everyFrame = [this](Engine&) { readsPerFrame.push_back(std::exchange(reads, 0)); };
  }
};

struct PacedRun {
  Uint32 frames = 0;
  std::vector<std::pair<Uint32, Uint32>> sleeps;
  int mostReadsInAFrame = 0;
  Uint32 lastFrameDelta = 0;
};

PacedRun Play(const std::string& init, const std::string& main, Uint32 msPerFrame, int playerLimit = 0,
         Uint32 longFrame = 0) {
  GameHarness game;
  Sleeps sleeps(game);
  game.msPerFrame = msPerFrame;
  game.stopAfterFrames = 10;
  game.engine.player.fps = playerLimit;
  if (longFrame) game.At(longFrame, [&game](Engine&) { game.clock.now += 100; });
  game.Write("init.lua", "function Init() " + init + " end\nfunction Main() " + main + " end\n");
  EXPECT_EQ(game.Run(), 0);
  PacedRun run{game.engine.timing.frameCounter, sleeps.taken, 0, game.engine.timing.frameDelta};
  run.mostReadsInAFrame = *std::max_element(sleeps.readsPerFrame.begin(), sleeps.readsPerFrame.end());
  return run;
}

TEST(FrameLimit, SleepsTheRestOfEachSlotInWaitsAndInTheFrameLoop) {
  struct Case {
    const char* init;
    const char* main;
    Uint32 msPerFrame;
    int playerLimit;
    Uint32 frames;
    Uint32 sleep;  // before every frame but the first
  } cases[] = {
      {"SetFrameLimit(50)", "Wait(200) Exit()", 5, 0, 11, 15},  // slots at 1000, 1020, ... 1200
      {"SetFrameLimit(50)", "", 5, 0, 10, 15},                  // the frame loop: 10 frames, then stopped
      {"SetFrameLimit(50)", "Wait(200) Exit()", 19, 0, 11, 1},  // a millisecond left is slept too
      {"SetFrameLimit(50)", "Wait(200) Exit()", 30, 0, 7, 0},   // every frame runs over its slot
      {"SetFrameLimit(50) SetFrameLimit(0)", "Wait(200) Exit()", 5, 0, 40, 0},
      {"SetFrameLimit(50) SetFrameLimit()", "Wait(200) Exit()", 5, 0, 40, 0},
      {"SetFrameLimit(-5)", "Wait(200) Exit()", 5, 0, 40, 0},
      {"SetFrameLimit(50)", "Wait(200) Exit()", 5, 25, 6, 35},  // the player's 25 wins
      {"SetFrameLimit(0)", "Wait(200) Exit()", 5, 25, 6, 35},
  };
  int unlimitedReads = Play("", "Wait(200) Exit()", 5).mostReadsInAFrame;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.init) + " / " + c.main + " / player " + std::to_string(c.playerLimit));
    PacedRun run = Play(c.init, c.main, c.msPerFrame, c.playerLimit);
    EXPECT_EQ(run.frames, c.frames);
    EXPECT_EQ(run.sleeps.size(), c.sleep ? c.frames - 1 : 0);
    for (auto [frame, ms] : run.sleeps) EXPECT_EQ(ms, c.sleep) << "before frame " << frame + 1;
    // The time factor is the whole measured frame, sleep included.
    EXPECT_EQ(run.lastFrameDelta, c.sleep ? c.msPerFrame + c.sleep : c.msPerFrame);
    // One more look at the clock a frame, for the slot: no polling.
    EXPECT_LE(run.mostReadsInAFrame, unlimitedReads + 1);
  }
}

TEST(FrameLimit, FollowsARunOverFrameAtOnceAndKeepsSixtyAnExactSixty) {
  // Frame 3 takes 105 ms: frame 4 starts at once, and the slots count on from its start.
  PacedRun run = Play("SetFrameLimit(50)", "Wait(200) Exit()", 5, 0, 3);
  std::vector<std::pair<Uint32, Uint32>> expected = {{1, 15}, {2, 15}, {4, 15}, {5, 15}, {6, 15}};
  EXPECT_EQ(run.sleeps, expected);

  // Slots of 16 2/3 ms: 60 frames a second, not 62 or 58.
  run = Play("SetFrameLimit(60)", "Wait(1000) Exit()", 1);
  EXPECT_EQ(run.frames, 61u);  // slots 0 to 60, the last at 2000
  Uint32 slept = 0;
  for (auto [frame, ms] : run.sleeps) slept += ms;
  EXPECT_EQ(slept, 1000u - 60u);
  // A slot ends at the first whole millisecond not before its exact end: 17, 34, 50 ms.
  ASSERT_GE(run.sleeps.size(), 3u);
  expected = {{1, 16}, {2, 16}, {3, 15}};
  EXPECT_EQ(decltype(expected)(run.sleeps.begin(), run.sleeps.begin() + 3), expected);

  // A clock driven by hand, without a sleep of its own, never waits for real.
  Clock driven;
  driven.source = [](void*) { return Uint32(0); };
  auto before = std::chrono::steady_clock::now();
  driven.Sleep(3000);
  auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - before);
  EXPECT_LT(waited.count(), 1000);
}

// Each screen pixel of a region becomes a square of the window in its colour,
// at every depth and scale (a 24-bit screen may be widened into a 32-bit
// window); nothing outside the region is touched.
TEST(PartialPresent, EnlargingGivesEachPixelOfTheRegionItsSquareAtEveryDepthAndScale) {
  std::mt19937 random(7);
  for (auto [from, to] : std::vector<std::pair<int, int>>{{16, 16}, {24, 24}, {32, 32}, {24, 32}}) {
    for (int factor : {2, 3}) {
      SCOPED_TRACE(std::to_string(from) + " to " + std::to_string(to) + " bits, scale " + std::to_string(factor));
      SDL_Surface* screen = SDL_CreateRGBSurface(SDL_SWSURFACE, 13, 5, from, 0, 0, 0, 0);
      SDL_Surface* window = SDL_CreateRGBSurface(SDL_SWSURFACE, 13 * factor, 5 * factor, to, 0, 0, 0, 0);
      for (int y = 0; y < screen->h; ++y)
        for (int b = 0; b < screen->w * screen->format->BytesPerPixel; ++b)
          static_cast<Uint8*>(screen->pixels)[y * screen->pitch + b] = Uint8(random() | 1);
      const SDL_Rect region = {2, 1, 9, 3};
      ScaleUpRegion(screen, window, factor, region);
      for (int y = 0; y < window->h; ++y)
        for (int x = 0; x < window->w; ++x) {
          bool inside = x / factor >= region.x && x / factor < region.x + region.w && y / factor >= region.y &&
                        y / factor < region.y + region.h;
          ASSERT_EQ(PixelAt(window, x, y), inside ? PixelAt(screen, x / factor, y / factor) : kBlack) << x << "," << y;
        }
      SDL_FreeSurface(screen);
      SDL_FreeSurface(window);
    }
  }
}

TEST(PartialPresent, RegionsCoverExactlyTheChangedTilesAndTheCopyFollows) {
  std::mt19937 random(20);
  for (int depth : {16, 24, 32}) {
    SCOPED_TRACE(depth);
    // 101 x 37: the last tile column and row are partial, and 24-bit rows have padding.
    SDL_Surface* screen = SDL_CreateRGBSurface(SDL_SWSURFACE, 101, 37, depth, 0, 0, 0, 0);
    const int bpp = screen->format->BytesPerPixel, columns = (screen->w + kPresentTileWidth - 1) / kPresentTileWidth;
    const int tiles = columns * ((screen->h + kPresentTileHeight - 1) / kPresentTileHeight);
    const size_t rowBytes = size_t(screen->w) * bpp;
    Uint8* pixels = static_cast<Uint8*>(screen->pixels);
    PresentState present;
    present.shown.assign(rowBytes * screen->h, 0);
    for (int trial = 0; trial < 50; ++trial) {
      std::vector<Uint8> before = present.shown;
      for (int y = 0; y < screen->h; ++y)  // padding the window never shows
        for (size_t b = rowBytes; b < size_t(screen->pitch); ++b) pixels[y * screen->pitch + b] = Uint8(random());
      int changes = std::vector<int>{0, 1, 4, 30, 5000}[trial % 5];
      for (int i = 0; i < changes; ++i) {
        int x = random() % screen->w, y = random() % screen->h;
        pixels[y * screen->pitch + x * bpp + random() % bpp] ^= Uint8(1 + random() % 255);
      }
      bool whole = CollectChangedRegions(*screen, present);

      std::vector<int> regions(screen->w * screen->h);  // how many regions cover each pixel
      for (const SDL_Rect& r : present.rects) {
        ASSERT_TRUE(r.x + r.w <= screen->w && r.y + r.h <= screen->h);
        for (int y = r.y; y < r.y + r.h; ++y)
          for (int x = r.x; x < r.x + r.w; ++x) ++regions[y * screen->w + x];
      }
      std::vector<bool> tileChanged(tiles);
      for (int y = 0; y < screen->h; ++y) {
        ASSERT_EQ(std::memcmp(&present.shown[y * rowBytes], pixels + y * screen->pitch, rowBytes), 0) << y;
        for (int x = 0; x < screen->w; ++x)
          if (std::memcmp(&before[y * rowBytes + x * bpp], pixels + y * screen->pitch + x * bpp, bpp) != 0)
            tileChanged[(y / kPresentTileHeight) * columns + x / kPresentTileWidth] = true;
      }
      int changedTiles = std::count(tileChanged.begin(), tileChanged.end(), true);
      EXPECT_EQ(whole, changedTiles * 2 > tiles) << changedTiles;
      for (int y = 0; y < screen->h; ++y)
        for (int x = 0; x < screen->w; ++x) {
          bool changed = tileChanged[(y / kPresentTileHeight) * columns + x / kPresentTileWidth];
          ASSERT_EQ(regions[y * screen->w + x], changed ? 1 : 0) << x << "," << y << " trial " << trial;
        }
      if (changes == 1) EXPECT_EQ(present.rects.size(), 1u);
    }
    SDL_FreeSurface(screen);
  }
}

}  // namespace
