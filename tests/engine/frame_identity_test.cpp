// The frame path's shortcuts (opaque runs, the text box blend tables) draw every
// frame of the reference scene exactly as SDL's own blitters do, and log the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/compose.h"
#include "support/game_harness.h"
#include "reference_scene.h"

namespace {

const Uint32 kFrames = 120;

std::vector<Uint8> Pixels(SDL_Surface* screen) {
  std::vector<Uint8> copy(static_cast<size_t>(screen->pitch) * screen->h);
  std::memcpy(copy.data(), screen->pixels, copy.size());
  return copy;
}

// Runs the reference game for kFrames frames. With compare set, the frame to
// come is first composed with the shortcuts off after every frame, and the
// engine's own composition of it must match that picture byte for byte.
std::string Play(int depth, bool shortcuts, bool compare) {
  GameHarness game;
  WriteReferenceGame(game.dir.path(), depth);
  game.stopAfterFrames = kFrames;
  game.engine.resources.blitShortcuts = shortcuts;
  auto reference = std::make_shared<std::vector<Uint8>>();
  auto compared = std::make_shared<int>(0);
  for (Uint32 frame = 1; frame <= kFrames; ++frame) {
    game.At(frame, [=](Engine& e) {
      KeepReferenceSceneGoing(e);
      SDL_Surface* screen = e.core.screen;
      ASSERT_TRUE(screen);
      ASSERT_EQ(screen->format->BitsPerPixel, depth);
      if (!compare) return;
      std::vector<Uint8> drawn = Pixels(screen);
      if (!reference->empty()) {  // the 640-pixel rows of both depths have no padding
        auto differ = std::mismatch(drawn.begin(), drawn.end(), reference->begin()).first;
        ASSERT_TRUE(differ == drawn.end()) << "frame " << frame << " at " << depth << " bits, row "
                                           << (differ - drawn.begin()) / screen->pitch;
        ++*compared;
      }
      e.resources.blitShortcuts = false;
      SortForDepth(e);
      PresentAndCompose(e);
      *reference = Pixels(screen);
      std::memcpy(screen->pixels, drawn.data(), drawn.size());
      e.resources.blitShortcuts = true;
    });
  }
  game.Run();
  if (compare) EXPECT_EQ(*compared, static_cast<int>(kFrames) - 1);
  return game.log.Text();
}

// One test per depth: CTest runs them side by side.
TEST(FrameIdentity, ShortcutsDrawEveryFrameAsSdlDoesAt32Bits) {
  std::string fast = Play(32, true, true);
  EXPECT_EQ(fast, Play(32, false, false));
}

TEST(FrameIdentity, ShortcutsDrawEveryFrameAsSdlDoesAt24Bits) {
  std::string fast = Play(24, true, true);
  EXPECT_EQ(fast, Play(24, false, false));
}

}  // namespace
