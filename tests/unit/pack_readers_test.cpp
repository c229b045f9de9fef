// Pack readers: exact round trips of every entry kind, and damaged packs read safely.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <cstring>
#include <tuple>

#include "resources/pack_readers.h"
#include "resources/pack_writer.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"
#include "util/resource_address.h"

namespace {

// A packed image of the given depth whose pixel bytes follow a pattern.
PackedImage Pattern(int width, int height, int depth) {
  PackedImage image;
  image.width = width;
  image.height = height;
  image.depth = depth;
  if (depth == 8)
    for (int i = 0; i < 768; ++i) image.data.push_back(static_cast<char>(i * 7));
  int pitch = PackPitch(width, depth);
  for (int i = 0; i < pitch * height; ++i) image.data.push_back(static_cast<char>(i * 13 + 5));
  return image;
}

TEST(ResourceAddress, FollowsTheFirstColonAndAtoi) {
  struct Case {
    const char* address;
    bool pack;
    const char* file;
    int entry;
  } cases[] = {
      {"lua.dat:1", true, "lua.dat", 1}, {"lua.dat:", true, "lua.dat", 0},   {"lua.dat:x", true, "lua.dat", 0},
      {"lua.dat:-1", true, "lua.dat", -1}, {"a:2:3", true, "a", 2},           {":2", false, ":2", 0},
      {"C:\\x.bmp", true, "C", 0},        {"plain.bmp", false, "plain.bmp", 0}, {"p: 12abc", true, "p", 12},
      {"p:99999999999", true, "p", 2147483647},
  };
  for (const Case& c : cases) {
    ResourceAddress a = SplitAddress(c.address);
    EXPECT_EQ(a.isPackEntry, c.pack) << c.address;
    EXPECT_EQ(a.file, c.file) << c.address;
    EXPECT_EQ(a.entry, c.entry) << c.address;
  }
}

TEST(BMPPackReader, EveryDepthReadsBackExactly) {
  TempDir dir;
  std::vector<PackedImage> images = {Pattern(3, 2, 8), Pattern(3, 2, 16), Pattern(3, 2, 24), Pattern(5, 3, 32)};
  dir.Write("gfx.dat", BuildImagePack(images));
  BMPPackReader reader;
  for (int i = 0; i < 4; ++i) {
    LogCapture log;
    SDL_Surface* surface = reader.LoadImage(dir.Path("gfx.dat").c_str(), i);
    ASSERT_NE(surface, nullptr) << i;
    EXPECT_EQ(log.Text(), i == 0 ? " ........." : " .......");
    const PackedImage& image = images[i];
    EXPECT_EQ(std::tuple(surface->w, surface->h, int(surface->format->BitsPerPixel)),
              std::tuple(image.width, image.height, image.depth));
    size_t palette = image.depth == 8 ? 768 : 0;
    ASSERT_EQ(static_cast<size_t>(surface->pitch * surface->h), image.data.size() - palette);
    EXPECT_EQ(memcmp(surface->pixels, image.data.data() + palette, image.data.size() - palette), 0) << i;
    if (image.depth == 8) {
      SDL_Color c = surface->format->palette->colors[5];
      EXPECT_EQ((std::vector<int>{c.r, c.g, c.b}), (std::vector<int>{Uint8(15 * 7), Uint8(16 * 7), Uint8(17 * 7)}));
    }
    SDL_FreeSurface(surface);
  }
}

TEST(BMPPackReader, DamagedEntriesFailWithoutReadingPastTheDataAndExtraBytesAreLeft) {
  TempDir dir;
  BMPPackReader reader;
  LogCapture log;
  std::string pack = BuildImagePack({Pattern(4, 4, 24)});
  dir.Write("short.dat", pack.substr(0, pack.size() - 1));  // pixel part cut short
  dir.Write("ok.dat", pack);  // one entry: 1 and beyond are past its index
  PackedImage huge = Pattern(1, 1, 32);
  huge.width = huge.height = 60000;  // claims far more than the file holds
  dir.Write("huge.dat", BuildImagePack({huge}));
  dir.Write("odd.dat", BuildImagePack({Pattern(2, 2, 12)}));
  for (auto [file, entry] : {std::pair{"missing.dat", 0}, {"short.dat", 0}, {"ok.dat", 1}, {"ok.dat", 1 << 28},
                             {"huge.dat", 0}, {"odd.dat", 0}})
    EXPECT_EQ(reader.LoadImage(dir.Path(file).c_str(), entry), nullptr) << file << " " << entry;
  EXPECT_NE(log.Text().find("odd.dat: Eintrag 0 fehlt oder ist beschaedigt] "), std::string::npos);

  // Extra pixel bytes are clipped to the surface.
  PackedImage image = Pattern(2, 2, 32);
  std::string exact = image.data;
  image.data += std::string(100, '\x7f');
  dir.Write("long.dat", BuildImagePack({image}));
  SDL_Surface* surface = reader.LoadImage(dir.Path("long.dat").c_str(), 0);
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(memcmp(surface->pixels, exact.data(), exact.size()), 0);
  SDL_FreeSurface(surface);
}

TEST(TXTPackReader, ReadsEntriesAndTreatsDamageAsMissing) {
  TempDir dir;
  dir.Write("t.dat", BuildDataPack({"first", "", std::string("b\0n", 3)}));
  TXTPackReader reader;
  LogCapture log;
  std::string pack = BuildDataPack({"abc"});
  pack[8] = '\x7f';  // size 0x7f000003: far past the end of the file
  dir.Write("bad.dat", pack);
  dir.Write("tiny.dat", "ab");
  std::vector<char> buffer;
  // Past the last entry, a missing pack and damaged ones read as nothing.
  for (auto [file, entry, bytes] : {std::tuple<const char*, int, std::string>{"t.dat", 0, "first"}, {"t.dat", 1, ""},
                                    {"t.dat", 2, std::string("b\0n", 3)}, {"t.dat", 3, ""}, {"none.dat", 0, ""},
                                    {"bad.dat", 0, ""}, {"tiny.dat", 0, ""}}) {
    EXPECT_EQ(reader.LoadTXT(dir.Path(file).c_str(), entry, &buffer), int(bytes.size())) << file << entry;
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), bytes) << file << entry;
  }
}

}  // namespace
