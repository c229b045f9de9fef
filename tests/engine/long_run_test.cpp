// A long run of a busy scene: the heap in use must hold steady from frame to frame.
#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
// From the AddressSanitizer runtime (its header does not come with every compiler).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

extern "C" {
#include <lua.h>
}

#include "support/sound_files.h"
#include "engine/game_fixtures.h"

namespace {

size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

TEST(LongRun, ABusySceneHoldsItsMemorySteady) {
  GameHarness game;
  SaveBmp(Paint(80, 20, kGreen, {{20, 0, 20, 20, kMagenta}}), game.Path("strip.bmp"));
  game.Write("beep.wav", SquareWav(400, 8000));
  game.Write("conf.lua", "SetScreen(320, 240, 24, 'WINDOW')");
  WriteSceneGame(game, R"(
  LoadTalkFont('font.bmp', 8, 120) LoadSystemFont('font.bmp', 8, 10, 220) LoadBackground('blue.bmp')
  LoadPathMap('floor.map') MakeButtons() DefineInventory(0, 200, 30, 30, 2)
  MakeObject('hero', 'Hero', 100, 100) SetHero('hero') SetSpeed('hero', 200)
  MakeObject('flag', 'Flag', 200, 50, 'strip.bmp')
  LoadAnim('flag', 'wave', 'strip.bmp', 20, 20, 0, 0, 4, 20)
  LoadInventoryIcon('key', 'icon.bmp') LoadSound('beep', 'beep.wav'))", R"(
function Main() PlayAnim('flag', 'wave', 'LOOP') end
function Tick(n)
  SayText('hero', 'a few words, number ' .. n) SayText('flag', 'flap')
  PlaySound('beep')
  if n % 2 == 0 then Goto('hero', 250, 150) else Goto('hero', 50, 150) end
  AddToInventory('key') if IsInInventory('key') == 1 then RemoveFromInventory('key') end
  S('ticks', n) SetTextColor('hero', n % 2)
end
)");
  const Uint32 kFrames = 6000, kWarmUp = 1000;
  game.stopAfterFrames = kFrames;
  for (Uint32 frame = 10; frame < kFrames; frame += 40)
    game.At(frame, [frame](Engine& e) {
      lua_getglobal(e.script.L, "Tick");
      lua_pushnumber(e.script.L, frame);
      ASSERT_EQ(lua_pcall(e.script.L, 1, 0, 0), 0);
    });
  size_t early = 0, late = 0;
  game.At(kWarmUp, [&](Engine&) { early = HeapInUse(); });
  game.At(kFrames - 1, [&](Engine& e) {
    late = HeapInUse();
    ASSERT_NE(e.text.variables.Get("ticks"), nullptr);  // the ticks ran to the end
    EXPECT_EQ(*e.text.variables.Get("ticks"), static_cast<int32_t>(kFrames - 30));
  });
  game.Run();
  ASSERT_GT(early, 0u);
  // 5000 frames, 125 speeches, sounds and walks later: less than a kilobyte per hundred frames.
  long long growth = static_cast<long long>(late) - static_cast<long long>(early);
  EXPECT_LT(growth, 50 * 1024);
}

}  // namespace
