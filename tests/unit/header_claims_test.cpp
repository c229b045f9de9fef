// BMP and sound headers that claim more than their file holds, or what SDL cannot convert, are refused before SDL sees them.
#include <gtest/gtest.h>

#include <cstring>

#include "audio/sound_bytes.h"
#include "resources/images.h"
#include "resources/pack_writer.h"

namespace {

std::string Bmp(int32_t width, int32_t height, uint16_t bits, size_t pixelBytes) {
  std::string bmp = "BM";
  AppendInt32(&bmp, static_cast<int32_t>(54 + pixelBytes));
  AppendInt32(&bmp, 0);
  AppendInt32(&bmp, 54);
  AppendInt32(&bmp, 40);
  AppendInt32(&bmp, width);
  AppendInt32(&bmp, height);
  bmp += std::string("\x01\x00", 2) + static_cast<char>(bits) + '\0';
  bmp += std::string(24, '\0');
  return bmp + std::string(pixelBytes, '\x7f');
}

SDL_Surface* Read(const std::string& bytes) { return ReadBmp(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()))); }

TEST(ReadBmp, TakesWholeRowsAndRefusesClaimsBeyondTheFile) {
  SDL_Surface* fine = Read(Bmp(3, 2, 24, 24));  // rows of 9 bytes padded to 12
  ASSERT_NE(fine, nullptr);
  EXPECT_EQ(fine->w, 3);
  SDL_FreeSurface(fine);
  EXPECT_EQ(Read(Bmp(3, 2, 24, 23)), nullptr);          // one byte short
  EXPECT_EQ(Read(Bmp(30000, 30000, 24, 24)), nullptr);  // gigabytes claimed
  EXPECT_EQ(Read(Bmp(2147483647, 2147483647, 32, 24)), nullptr);
  EXPECT_EQ(Read(Bmp(3, 2, 7, 24)), nullptr);           // a depth SDL cannot convert
}

std::string Wav(uint32_t dataClaim, size_t dataBytes, int32_t rate = 22050) {
  std::string wav = "RIFF";
  AppendInt32(&wav, static_cast<int32_t>(36 + dataBytes));
  wav += "WAVEfmt ";
  AppendInt32(&wav, 16);
  wav += std::string("\x01\x00\x01\x00", 4);
  AppendInt32(&wav, rate);
  AppendInt32(&wav, rate * 2);
  wav += std::string("\x02\x00\x10\x00", 4);
  wav += "data";
  AppendInt32(&wav, static_cast<int32_t>(dataClaim));
  return wav + std::string(dataBytes, '\0');
}

TEST(SoundClaims, ChunksMustLieInsideTheBytes) {
  auto fits = [](const std::string& b) { return SoundClaimsFit(reinterpret_cast<const unsigned char*>(b.data()), b.size()); };
  EXPECT_TRUE(fits(Wav(64, 64)));
  EXPECT_FALSE(fits(Wav(65, 64)));
  EXPECT_FALSE(fits(Wav(0xFFFFFFF0u, 64)));
  EXPECT_TRUE(fits(Wav(64, 64, 8000)));
  EXPECT_FALSE(fits(Wav(64, 64, 1)));  // SDL's rate conversion would overrun its filter table
  EXPECT_TRUE(fits("OggS and whatever follows"));  // decoded as it streams
}

}  // namespace
