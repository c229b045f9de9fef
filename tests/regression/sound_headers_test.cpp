// Sounds of every effect format: playable ones load, and each header the mixer
// would crash on or over-allocate for is refused with a reason instead.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include "audio/sound_bytes.h"
#include "fuzz/entries/sound_media.h"

namespace {

class SoundHeaders : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO | SDL_INIT_NOPARACHUTE), 0);
    ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 2048), 0) << SDL_GetError();
  }
  void TearDown() override {
    Mix_CloseAudio();
    SDL_Quit();
  }

  // Decoded length in bytes, or the reason the sound was refused.
  static std::string Decode(const std::string& bytes) {
    Mix_Chunk* chunk = DecodeSound(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    if (!chunk) return SDL_GetError();
    std::string length = std::to_string(chunk->alen);
    Mix_FreeChunk(chunk);
    return length;
  }
};

std::string Le(uint32_t value, int bytes) {
  std::string s;
  for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>(value >> (8 * i)));
  return s;
}

// Type-9 VOC block: rate, bits, channels, format, reserved.
std::pair<int, std::string> VocFormat(uint32_t rate, int channels) {
  return {9, Le(rate, 4) + '\x08' + static_cast<char>(channels) + std::string(6, '\0') + std::string(500, '\x70')};
}

TEST_F(SoundHeaders, PlayableSoundsOfEveryFormatLoad) {
  // Lengths at the device's 22050 Hz, 16-bit stereo (4 bytes a frame).
  EXPECT_EQ(Decode(AiffBytes(22050, 1)), "4000");
  EXPECT_EQ(Decode(AiffBytes(44100, 2)), "2000");
  EXPECT_EQ(Decode(SvxBytes(22050)), "4000");
  EXPECT_EQ(Decode(VocBytes({VocFormat(22050, 1)})), "2000");
  std::string stereo = Le(59731, 2) + '\0' + '\1';  // extended block: 22050 Hz stereo
  EXPECT_EQ(Decode(VocBytes({{8, stereo}, VocSamples(1000)})), "2000");
  // 1000 samples of silence add about as much as 1000 samples of sound.
  std::string silence = Le(999, 2) + '\xA6';
  int plain = std::stoi(Decode(VocBytes({VocSamples(1000)})));
  EXPECT_NEAR(std::stoi(Decode(VocBytes({VocSamples(1000), {3, silence}}))), 2 * plain, 8);
  // Bytes after the terminator are not part of the sound, whatever they claim.
  EXPECT_EQ(Decode(VocBytes({VocFormat(22050, 1)}) + std::string("\x55\x01\x00\x00\xD2\x02\x00\x00\x5A\x01", 10)),
            "2000");
  EXPECT_EQ(Decode(OggVorbisBytes()), "4000");
  EXPECT_EQ(Decode(WithOggFormat(OggVorbisBytes(), 11025, 1)), "8000");
}

TEST_F(SoundHeaders, RefusesWhatTheMixerWouldCrashOnOrOverAllocateFor) {
  std::string ogg = OggVorbisBytes();
  std::string offsetPastTheSound = AiffBytes(22050, 1);
  offsetPastTheSound[48] = '\xEE';  // the SSND offset field at bytes 46-49
  std::string claimsMegabytes = VocBytes({VocSamples(1000)});
  claimsMegabytes[27] = claimsMegabytes[28] = claimsMegabytes[29] = '\xFF';
  std::vector<std::pair<int, std::string>> silences(1000, {3, Le(65535, 2) + '\xA6'});
  silences.insert(silences.begin(), VocSamples(10));
  const std::vector<std::pair<std::string, std::string>> cases = {
      {AiffBytes(10, 1), "AIFF sound has a rate of 10 Hz; 2000 to 192000 Hz can be played"},
      {AiffBytes(1e8, 1), "AIFF sound has a rate of 100000000 Hz; 2000 to 192000 Hz can be played"},
      {AiffBytes(22050, 1).substr(0, 38), "AIFF file without its SSND chunk"},
      {offsetPastTheSound, "AIFF SSND chunk at byte 38 claims more data than the file holds"},
      {AiffBytes(22050, 0), "AIFF sound has 0 channels; 1 to 6 can be played"},
      {AiffBytes(22050, 200), "AIFF sound has 200 channels; 1 to 6 can be played"},
      {SvxBytes(1), "8SVX sound has a rate of 1 Hz; 2000 to 192000 Hz can be played"},
      {VocBytes({VocFormat(100, 1)}), "VOC sound has a rate of 100 Hz; 2000 to 192000 Hz can be played"},
      {VocBytes({VocFormat(22050, 0)}), "VOC sound has 0 channels; 1 to 6 can be played"},
      {VocBytes({{8, Le(60000, 2) + '\0' + '\0'}, VocSamples(100)}),
       "VOC extended block at byte 26 is mono, which cannot be played"},
      {VocBytes({{8, Le(65535, 2) + '\0' + '\1'}, VocSamples(100)}),
       "VOC sound has a rate of 128000000 Hz; 2000 to 192000 Hz can be played"},
      {VocBytes({{1, "\xA6"}}), "VOC block at byte 26 is too short"},
      {VocBytes({VocFormat(22050, 1), {3, Le(99, 2) + '\xA6'}, {2, std::string(99, '\x60')}}),
       "VOC silence at byte 542 is followed by more sound, which cannot be played in this block format"},
      {VocBytes({VocSamples(100), {1, std::string("\xA6\x01", 2) + "abc"}}),
       "VOC block at byte 132 holds compressed or unusual samples, which cannot be played"},
      {VocBytes({VocSamples(100), {3, Le(99, 2) + '\0'}}), "VOC silence at byte 132 has no rate"},
      {VocBytes({{3, Le(99, 2) + '\xA6'}, VocSamples(100)}), "VOC silence at byte 26 comes before any sound"},
      {VocBytes({VocFormat(22050, 1), {8, Le(59731, 2) + '\0' + '\1'}}),
       "VOC block at byte 542 changes the sample rate, which cannot be played"},
      {VocBytes({VocSamples(100), {2, ""}, VocSamples(100)}), "VOC block at byte 132 holds no samples"},
      {VocBytes({VocSamples(100), {4, Le(1, 2)}}), "VOC marker block at byte 132 cannot be played"},
      {VocBytes({VocSamples(100), VocFormat(22050, 1)}), "VOC block at byte 132 changes the sample rate, which cannot be played"},
      {VocBytes({{9, Le(22050, 4) + '\x08'}}), "VOC block at byte 26 is too short"},
      {claimsMegabytes, "VOC block at byte 26 claims more data than the file holds"},
      {VocBytes(silences), "VOC silence blocks claim 65536000 samples, more than the file could hold"},
      {WithOggFormat(ogg, 1, 1), "Ogg Vorbis sound has a rate of 1 Hz; 2000 to 192000 Hz can be played"},
      {WithOggFormat(ogg, 100000000, 1), "Ogg Vorbis sound has a rate of 100000000 Hz; 2000 to 192000 Hz can be played"},
      {"fLaC" + std::string(60, '\0'), "FLAC sound effects cannot be played; use WAV, AIFF, VOC or Ogg Vorbis"},
  };
  for (const auto& [bytes, reason] : cases) EXPECT_EQ(Decode(bytes), reason);
}

}  // namespace
