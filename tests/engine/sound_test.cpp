// Sounds driven by game scripts: the log of the six sound functions, loop counts,
// time limits and volumes (the mixer's output itself is heard in SfxTest).
#include <gtest/gtest.h>

#include <SDL/SDL_mixer.h>

#include "audio/sfx.h"
#include "resources/pack_writer.h"
#include "support/game_harness.h"
#include "support/sound_files.h"

namespace {

constexpr int16_t kAmplitude = 12000;

TEST(SoundScripts, LoadPlayAndVolumeCallsLogAsTheyShould) {
  GameHarness game;
  game.Write("a.wav", SquareWav(2000, kAmplitude));
  game.Write("c.wav", SquareWav(500, kAmplitude));
  game.Write("long.wav", SquareWav(5000, kAmplitude));  // more than two mixer buffers
  game.Write("sfx.dat", BuildDataPack({SquareWav(10, 1), SquareWav(20, 2), SquareWav(30, 3)}));
  game.Write("init.lua",
             "function Init()\n"
             "  LoadSound('a', 'a.wav') LoadSound('b', 'sfx.dat:2') LoadSound('c', 'c.wav')\n"
             "  LoadSound('once', 'long.wav') LoadSound('thrice', 'long.wav') LoadSound('timed', 'long.wav')\n"
             "  LoadSound('b', 'a.wav')\n"
             "  LoadSound('', 'a.wav') LoadSound('x', '') LoadSound('y', 'sfx.dat:-2')\n"
             "end\n"
             "function Main()\n"
             "  PlaySound('nope') StopSound('nope') SetSoundVolume('nope', 10)\n"
             "  SetSoundVolume('a', 100) SetSoundVolume('a', 50.9) SetSoundVolume('a', 101) SetSoundVolume('a', -1)\n"
             "  PlaySound('c', -1) PlaySound('a', 2, 0) StopSound('a')\n"
             "  PlaySound('once', 0, 0) PlaySound('thrice', 2, 0) PlaySound('timed', -1, 300)\n"
             "  LoadSound('z')\n"
             "end\n");
  game.stopAfterFrames = 1;
  game.At(1, [](Engine& e) {
    EXPECT_EQ(Mix_AllocateChannels(-1), 6);
    EXPECT_EQ(e.audio.sfx->Sounds().IndexOf("b"), 1);
    EXPECT_EQ(e.audio.sfx->Sounds().Get("b")->alen, 30u * 2 * 2);  // entry 2 stayed, a.wav was dropped
    EXPECT_EQ(Mix_Volume(0, -1), 65);  // 50.9 is 50; the rejected values leave it
    EXPECT_EQ(Mix_Playing(0), 0);
    // Sounds mix in step: when 'once' is over, 'thrice' has two more rounds to play.
    const int once = 3, thrice = 4, timed = 5;
    Uint32 start = SDL_GetTicks();
    while (Mix_Playing(once) && SDL_GetTicks() - start < 5000) SDL_Delay(5);
    EXPECT_EQ(Mix_Playing(once), 0);
    EXPECT_EQ(Mix_Playing(thrice), 1);
    while (Mix_Playing(timed) && SDL_GetTicks() - start < 5000) SDL_Delay(5);
    EXPECT_EQ(Mix_Playing(timed), 0);  // 300 ms end an endless loop
    EXPECT_EQ(Mix_Playing(2), 1);      // loops until stopped: ticks 0 set no limit
  });
  EXPECT_EQ(game.Run(), 0);
  EXPECT_EQ(LogFrom(game.log.Text(), "<<< CALL INIT-FUNCTION >>>"),
            "<<< CALL INIT-FUNCTION >>>\r\n"
            "lade Sound a.wav.OK\r\n"
            "lade Sound Nr.2 aus sfx.dat OK\r\n"
            "lade Sound c.wav.OK\r\n"
            "lade Sound long.wav.OK\r\nlade Sound long.wav.OK\r\nlade Sound long.wav.OK\r\n"
            "lade Sound a.wav.OK\r\n"
            "Fehler beim Laden aus SFX-Pack.\r\n"
            "<<< CALL MAIN-FUNCTION >>>\r\n"
            "Sound <<nope>> does not exist.\r\n"
            "Sound <<nope>> does not exist.\r\n"
            "Sound <<nope>> does not exist.\r\n"
            "Can't set volume for Sound(a). Value must be in the range of 0-100"
            "Can't set volume for Sound(a). Value must be in the range of 0-100"
            "Exception catched in lua_LoadSound\r\n" +
                LogFrom(game.log.Text(), "<<< CALL GAMELOOP >>>"));
}

}  // namespace
