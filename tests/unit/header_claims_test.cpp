// BMP and sound headers that claim more than their file holds, or what SDL cannot convert, are refused before SDL sees them.
#include <gtest/gtest.h>

#include <cstring>

#include "audio/sound_bytes.h"
#include "resources/images.h"
#include "resources/pack_writer.h"
#include "support/sound_files.h"

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

TEST(HeaderClaims, BmpRowsAndSoundChunksMustLieInsideTheBytes) {
  SDL_Surface* fine = Read(Bmp(3, 2, 24, 24));  // rows of 9 bytes padded to 12
  ASSERT_NE(fine, nullptr);
  EXPECT_EQ(fine->w, 3);
  SDL_FreeSurface(fine);
  // One byte short, gigabytes claimed, and a depth SDL cannot convert.
  for (auto [w, h, bits, bytes] : {std::tuple{3, 2, 24, 23}, {30000, 30000, 24, 24}, {2147483647, 2147483647, 32, 24},
                                   {3, 2, 7, 24}})
    EXPECT_EQ(Read(Bmp(w, h, uint16_t(bits), size_t(bytes))), nullptr) << w << " x " << h << " x " << bits;

  auto fits = [](const std::string& b) { return SoundClaimsFit(reinterpret_cast<const unsigned char*>(b.data()), b.size()); };
  const std::string data(64, '\0');
  EXPECT_TRUE(fits(Wav(data, 64)));
  EXPECT_FALSE(fits(Wav(data, 65)));
  EXPECT_FALSE(fits(Wav(data, 0xFFFFFFF0u)));
  EXPECT_TRUE(fits(Wav(data, 64, 8000)));
  EXPECT_FALSE(fits(Wav(data, 64, 1)));  // SDL's rate conversion would overrun its filter table
  EXPECT_TRUE(fits("OggS and whatever follows"));  // decoded as it streams
}

}  // namespace
