// The sound manager on a real mixer whose output goes to a file: channels, log lines, volumes, audible output.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <cstdlib>
#include <memory>

#include "audio/sfx.h"
#include "resources/pack_writer.h"
#include "support/log_capture.h"
#include "support/sound_files.h"
#include "support/temp_dir.h"

namespace {

constexpr int16_t kAmplitude = 12000;

// A mixer opened as the engine opens it, writing to disk, with sound files in
// the working directory. The manager goes after the audio device is closed,
// as it does at the end of a run.
class SfxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Write("a.wav", SquareWav(4410, kAmplitude));
    dir.Write("b.wav", SquareWav(2205, kAmplitude));
    dir.Write("c.wav", SquareWav(1000, kAmplitude));
    setenv("SDL_DISKAUDIODELAY", "5", 1);  // the disk driver writes a buffer every 5 ms, not every 150
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO | SDL_INIT_NOPARACHUTE), 0);
    ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 2048), 0) << SDL_GetError();
  }
  void TearDown() override {
    unsetenv("SDL_DISKAUDIODELAY");
    Mix_CloseAudio();
    SDL_Quit();
    sfx.reset();
  }

  DiskAudio disk;
  TempDir dir;
  WorkingDirectory inDir{dir.path()};
  std::unique_ptr<Sfx> sfx = std::make_unique<Sfx>();
  LogCapture log;
};

// A good pack entry (the one addressed, not the first) is loaded in SoundScripts.
TEST_F(SfxTest, FailedLoadsRegisterNothing) {
  dir.Write("sfx.dat", BuildDataPack({SquareWav(100, 1), "not a sound", SquareWav(300, 2)}));
  sfx->LoadSoundFromFile("two", "sfx.dat:2");
  log.Clear();
  sfx->LoadSoundFromFile("junk", "sfx.dat:1");
  EXPECT_EQ(log.Text().rfind("lade Sound Nr.1 aus sfx.dat SFXReader->LoadSound-Error: ", 0), 0u) << log.Text();
  EXPECT_EQ(log.Text().substr(log.Text().size() - 2), "\r\n");

  log.Clear();
  sfx->LoadSoundFromFile("none", "none.wav");
  EXPECT_EQ(log.Text().rfind("lade Sound none.wav.Mix_LoadWAV-Error: ", 0), 0u) << log.Text();
  sfx->LoadSoundFromFile("past", "sfx.dat:3");
  sfx->LoadSoundFromFile("gone", "none.dat:0");

  EXPECT_EQ(sfx->Sounds().Count(), 1);  // failed loads register nothing
  EXPECT_EQ(Mix_AllocateChannels(-1), 1);
}

// The sound volumes' scale and refusals are compared through SetSoundVolume in SoundScripts.
TEST_F(SfxTest, TheMusicVolumeMapsTheHundredScaleOntoTheMixer) {
  EXPECT_EQ(MixerVolume(99), 127);
  EXPECT_EQ(MixerVolume(100), 129);  // beyond the mixer's 128, which clamps it
  for (int volume : {0, 101, -1, 100, 101, -1}) sfx->SetVolume(volume);
  EXPECT_EQ(Mix_VolumeMusic(-1), 128);
  sfx->SetVolume(0);
  EXPECT_EQ(Mix_VolumeMusic(-1), 1);
  std::string refused = "Can't set volume. Value must be in the range of 0-100";
  EXPECT_EQ(log.Text(), refused + refused + refused + refused);
}

TEST_F(SfxTest, StopAllSoundsSilencesEveryChannelAndRemovedSoundsLeaveTheOthersInPlace) {
  sfx->LoadSoundFromFile("a", "a.wav");
  sfx->LoadSoundFromFile("b", "b.wav");
  sfx->LoadSoundFromFile("c", "c.wav");
  sfx->PlaySound("b", -1, 0);
  sfx->PlaySound("c", -1, 0);
  EXPECT_EQ(Mix_Playing(-1), 2);
  EXPECT_GT(disk.PeakFromNow(), 0);
  sfx->StopAllSounds();
  EXPECT_EQ(Mix_Playing(-1), 0);
  EXPECT_EQ(disk.PeakFromNow(), 0);

  sfx->PlaySound("b", -1, 0);
  log.Clear();
  sfx->RemoveSound("b");
  sfx->RemoveSound("nothing");
  EXPECT_EQ(log.Text(), "");
  EXPECT_EQ(Mix_Playing(1), 0);
  EXPECT_EQ(sfx->Sounds().IndexOf("c"), 2);
  EXPECT_EQ(Mix_AllocateChannels(-1), 3);
  sfx->PlaySound("b", 0, 0);
  EXPECT_EQ(log.Text(), "Sound <<b>> does not exist.\r\n");

  // Loading the name again brings the sound back on its old channel.
  sfx->LoadSoundFromFile("d", "a.wav");
  sfx->LoadSoundFromFile("b", "c.wav");
  EXPECT_EQ(sfx->Sounds().IndexOf("b"), 1);
  EXPECT_EQ(sfx->Sounds().IndexOf("d"), 3);
  EXPECT_EQ(Mix_AllocateChannels(-1), 4);
  sfx->PlaySound("b", -1, 0);
  EXPECT_EQ(Mix_Playing(1), 1);
}

TEST_F(SfxTest, MusicLoadsPlaysAndGoes) {
  dir.Write("tune.wav", SquareWav(22050, kAmplitude));
  sfx->LoadMusicFile("tune", "tune.wav");
  sfx->LoadMusicFile("tune", "tune.wav");  // the name keeps its first music
  sfx->LoadMusicFile("kept", "tune.wav");  // still held when the device closes
  ASSERT_EQ(sfx->Music().Count(), 2);
  sfx->LoadMusicFile("none", "none.ogg");
  EXPECT_EQ(log.Text().rfind("Mix_LoadMUS(none.ogg): ", 0), 0u) << log.Text();
  EXPECT_EQ(log.Text().back(), '\n');
  EXPECT_EQ(sfx->Music().Count(), 2);

  log.Clear();
  sfx->PlayMusic("tune");
  EXPECT_EQ(Mix_PlayingMusic(), 1);
  EXPECT_GT(disk.PeakFromNow(), 0);
  sfx->PlayMusic("tune");
  sfx->PlayMusic("other");
  EXPECT_EQ(log.Text(),
            "There´s already music playing, stop it before you try to start playing <<tune>>\r\n"
            "There´s already music playing, stop it before you try to start playing <<other>>\r\n"
            "Music(other) doen't exists\r\n");
  sfx->StopMusic();
  EXPECT_EQ(Mix_PlayingMusic(), 0);
  sfx->PlayMusic("tune");
  sfx->RemoveMusic("tune");
  EXPECT_EQ(Mix_PlayingMusic(), 0);
  EXPECT_EQ(sfx->Music().Count(), 1);
  EXPECT_EQ(sfx->Music().IndexOf("tune"), -1);
}

}  // namespace
