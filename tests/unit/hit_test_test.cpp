// The two hit tests of adventure objects and the bounds of pixel access.
#include <gtest/gtest.h>

#include "engine/engine.h"
#include "resources/pixels.h"
#include "scene/hit_test.h"

namespace {

// A 20 x 30 frame at top-left (100, 50); the strip's second frame has a magenta right half.
struct Framed {
  Engine engine;
  AdventureObject object;
  Animation animation;
  std::shared_ptr<SDL_Surface> owned{SDL_CreateRGBSurface(0, 40, 30, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0),
                                     SDL_FreeSurface};
  SDL_Surface* strip = owned.get();
  Framed() {
    SDL_FillRect(strip, nullptr, SDL_MapRGB(strip->format, 10, 20, 30));
    SDL_Rect half = {30, 0, 10, 30};
    SDL_FillRect(strip, &half, SDL_MapRGB(strip->format, 255, 0, 255));
    animation.image = ImageRef(owned);
    animation.frameWidth = 20;
    animation.frameHeight = 30;
    animation.frameCount = 2;
    object.currentAnimation = &animation;
    object.x = 100;
    object.y = 50;
  }
};

TEST(HitTest, TheBoundingBoxIncludesOneExtraPixelEachWay) {
  Framed f;
  EXPECT_TRUE(ContainsPoint(f.object, 120, 80));
  EXPECT_TRUE(ContainsPoint(f.object, 100, 50));
  EXPECT_FALSE(ContainsPoint(f.object, 121, 50));
  EXPECT_FALSE(ContainsPoint(f.object, 99, 50));
  f.object.hotspotPositioning = true;
  f.object.x = 110;
  f.object.y = 80;
  f.animation.hotspotX = 10;
  f.animation.hotspotY = 30;
  EXPECT_EQ(FrameLeft(f.object), 100);
  EXPECT_EQ(FrameTop(f.object), 50);
  EXPECT_TRUE(ContainsPoint(f.object, 120, 80));
  EXPECT_FALSE(ContainsPoint(f.object, 121, 50));
}

TEST(HitTest, ThePixelTestKeepsToTheFrameAndItsPictureAndSkipsMagenta) {
  Framed f;
  EXPECT_TRUE(OpaqueAt(f.engine, f.object, 119, 79));
  EXPECT_FALSE(OpaqueAt(f.engine, f.object, 120, 60));  // the next frame's opaque column is not this frame's
  EXPECT_FALSE(OpaqueAt(f.engine, f.object, 110, 80));
  f.animation.currentFrame = 1;
  EXPECT_TRUE(OpaqueAt(f.engine, f.object, 105, 60));
  EXPECT_FALSE(OpaqueAt(f.engine, f.object, 115, 60));
  EXPECT_FALSE(HitAt(f.engine, f.object, 115, 60));
  f.object.colorKeyOverride = true;
  EXPECT_TRUE(HitAt(f.engine, f.object, 115, 60));
  // Frames beyond the strip, and before it, have no pixels to hit.
  f.object.colorKeyOverride = false;
  for (int frame : {5, -1}) {
    f.animation.currentFrame = frame;
    EXPECT_FALSE(HitAt(f.engine, f.object, 105, 60)) << frame;
  }

  // Without a picture (as after UnloadAnim) nothing is ever hit.
  f.animation.currentFrame = 0;
  f.animation.image = nullptr;
  for (bool keyOverride : {true, false}) {
    f.object.colorKeyOverride = keyOverride;
    EXPECT_FALSE(HitAt(f.engine, f.object, 110, 60)) << keyOverride;
  }
  f.object.currentAnimation = nullptr;
  EXPECT_FALSE(ContainsPoint(f.object, 110, 60));
  EXPECT_EQ(FrameLeft(f.object), 100);
}

TEST(Pixels, AccessOutsideTheSurfaceReadsZeroAndWritesNothing) {
  SDL_Surface* s = SDL_CreateRGBSurface(0, 2, 2, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
  SDL_FillRect(s, nullptr, 0);
  PutPixel(1, 1, 0xABCDEF, s);
  EXPECT_EQ(GetPixel(s, 1, 1), 0xABCDEFu);
  const Uint8* bytes = static_cast<const Uint8*>(s->pixels) + s->pitch + 3;
  EXPECT_EQ(bytes[0], 0xEF);  // first byte lowest
  EXPECT_EQ(bytes[2], 0xAB);
  for (auto [x, y] : {std::pair{2, 0}, {0, 2}, {-1, 0}, {0, -1}}) {
    PutPixel(x, y, 0xFFFFFF, s);
    EXPECT_EQ(GetPixel(s, x, y), 0u);
  }
  EXPECT_EQ(GetPixel(s, 0, 0), 0u);
  EXPECT_EQ(GetPixel(nullptr, 0, 0), 0u);
  SDL_FreeSurface(s);
}

}  // namespace
