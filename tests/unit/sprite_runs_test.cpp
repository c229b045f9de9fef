// Blits from opaque runs against SDL_UpperBlit: same pixels, same rectangle written back.
#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <vector>

#include "resources/pixels.h"
#include "resources/sprite_runs.h"

namespace {

SDL_Surface* Surface(int w, int h, int depth) {
  return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, depth, 0xFF0000, 0xFF00, 0xFF, 0);
}

TEST(SpriteRuns, BlitsLikeSdlForAnyRectangle) {
  std::mt19937 random(7);
  for (int depth : {24, 32}) {
    SDL_Surface* sprite = Surface(40, 23, depth);
    Uint32 key = SDL_MapRGB(sprite->format, 255, 0, 255);
    for (int y = 0; y < sprite->h; ++y)
      for (int x = 0; x < sprite->w; ++x)
        PutPixel(x, y, random() % 3 == 0 ? key : SDL_MapRGB(sprite->format, x * 5, y * 9, 7), sprite);
    SDL_SetColorKey(sprite, SDL_SRCCOLORKEY, key);
    SpriteRuns runs;
    runs.Build(sprite);
    ASSERT_TRUE(runs.Describes(sprite));
    SDL_Surface* ours = Surface(64, 48, depth);
    SDL_Surface* sdls = Surface(64, 48, depth);
    std::uniform_int_distribution<int> coordinate(-70, 90), size(0, 60);
    for (int round = 0; round < 3000; ++round) {
      SDL_Rect clip = {static_cast<Sint16>(random() % 20), static_cast<Sint16>(random() % 20),
                       static_cast<Uint16>(random() % 64), static_cast<Uint16>(random() % 48)};
      SDL_SetClipRect(ours, round % 4 ? &clip : nullptr);
      SDL_SetClipRect(sdls, round % 4 ? &clip : nullptr);
      SDL_Rect area = {static_cast<Sint16>(coordinate(random)), static_cast<Sint16>(coordinate(random) / 2),
                       static_cast<Uint16>(size(random)), static_cast<Uint16>(size(random))};
      // Positions near the ends of the 16-bit range wrap in SDL's own arithmetic.
      Sint16 far = round % 7 == 0 ? static_cast<Sint16>(32760 + random() % 8) : 0;
      SDL_Rect at = {static_cast<Sint16>(coordinate(random) + far), static_cast<Sint16>(coordinate(random)), 0, 0};
      SDL_Rect atSdl = at;
      bool whole = round % 5 == 0;
      ASSERT_TRUE(runs.Blit(sprite, whole ? nullptr : &area, ours, &at));
      SDL_UpperBlit(sprite, whole ? nullptr : &area, sdls, &atSdl);
      ASSERT_EQ(std::tie(at.x, at.y, at.w, at.h), std::tie(atSdl.x, atSdl.y, atSdl.w, atSdl.h)) << round;
      for (int y = 0; y < ours->h; ++y)
        for (int x = 0; x < ours->w; ++x) ASSERT_EQ(GetPixel(ours, x, y), GetPixel(sdls, x, y)) << round;
    }
    // A changed key makes the runs stale; SDL must draw then.
    SDL_SetColorKey(sprite, SDL_SRCCOLORKEY, 0);
    SDL_Rect at = {0, 0, 0, 0};
    EXPECT_FALSE(runs.Blit(sprite, nullptr, ours, &at));
    SDL_FreeSurface(sprite);
    SDL_FreeSurface(ours);
    SDL_FreeSurface(sdls);
  }
}

}  // namespace
