// quillon-pack: round trips into the engine's readers, checks, and bad input.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include "pack/pack_tool.h"
#include "resources/pack_readers.h"
#include "resources/pack_writer.h"
#include "resources/pixels.h"
#include "support/log_capture.h"
#include "support/pictures.h"
#include "support/temp_dir.h"
#include "support/tool_run.h"
#include "tool_test.h"

namespace {

using Result = ToolResult;
Result Pack(const std::vector<std::string>& words) { return RunTool(RunPackTool, words); }

// A BMP with a distinct colour in every pixel, at the given depth.
std::string WriteBmp(const TempDir& dir, const std::string& name, int depth) {
  SDL_Surface* s = SDL_CreateRGBSurface(0, 5, 3, depth, 0, 0, 0, 0);
  if (depth == 8) {
    SDL_Color colours[256];
    for (int i = 0; i < 256; ++i) colours[i] = {Uint8(i), Uint8(255 - i), Uint8(i * 3), 0};
    SDL_SetColors(s, colours, 0, 256);
  }
  SDL_LockSurface(s);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) PutPixel(x, y, SDL_MapRGB(s->format, Uint8(x * 50), Uint8(y * 80), 255), s);
  SDL_UnlockSurface(s);
  std::string path = dir.Path(name);
  SDL_SaveBMP(s, path.c_str());
  SDL_FreeSurface(s);
  return path;
}

TEST(PackTool, ImagePacksReadBackAsTheSourcePictures) {
  TempDir dir;
  std::vector<std::string> bmps = {WriteBmp(dir, "a.bmp", 8), WriteBmp(dir, "b.bmp", 24), WriteBmp(dir, "c.bmp", 32)};
  Result made = Pack({"create", "image", dir.Path("gfx.dat"), bmps[0], bmps[1], bmps[2]});
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_TRUE(Has(made.out, "gfx.dat:2  " + bmps[2]));

  Result listed = Pack({"list", dir.Path("gfx.dat")});
  EXPECT_EQ(listed.status, 0) << listed.err;
  EXPECT_TRUE(Has(listed.out, "  0  offset 64  size 792  5 x 3 x 8\n"));  // 768 + 3 rows of 8

  LogCapture quiet;
  for (int i = 0; i < 3; ++i)
    ExpectSamePixels(bmps[i], Surface(BMPPackReader().LoadImage(dir.Path("gfx.dat").c_str(), i)));
  ASSERT_EQ(Pack({"extract", dir.Path("gfx.dat"), dir.Path("out")}).status, 0);
  ExpectSamePixels(bmps[1], LoadSurface(dir.Path("out/entry-1.bmp")));

  // --depth converts every image.
  ASSERT_EQ(Pack({"create", "image", "--depth", "16", dir.Path("g.dat"), bmps[1]}).status, 0);
  EXPECT_TRUE(Has(Pack({"list", dir.Path("g.dat")}).out, "5 x 3 x 16"));
  EXPECT_EQ(Pack({"create", "image", "--depth", "12", dir.Path("g.dat"), bmps[1]}).status, 2);
}

// The bytes of script and sound entries are compared with their files in PackGame's table test.
TEST(PackTool, ScriptAndSoundPacksAreToldApartAndExtracted) {
  TempDir dir;
  dir.Write("conf.lua", "SetScreen(640, 480, 24, 'WINDOW')\n");
  dir.Write("init.lua", "function Init() end\n");
  dir.Write("room.map", std::string("\x0a\x00\x14\x00\0\0\0\0\0\0\0\0\0\0\0\0", 16));
  ASSERT_EQ(Pack({"create", "script", dir.Path("lua.dat"), dir.Path("conf.lua"), dir.Path("init.lua"),
                  dir.Path("room.map")}).status, 0);
  Result check = Pack({"check", dir.Path("lua.dat")});
  EXPECT_EQ(check.status, 0) << check.err;
  EXPECT_TRUE(Has(check.out, "script pack, 3 entries, no problems"));
  // Sounds make a sound pack; a sound's bytes in a script pack leave it one.
  dir.Write("sounds.dat", BuildDataPack({"RIFF....WAVE", "OggS...."}));
  dir.Write("mixed.dat", BuildDataPack({"print('a')", "RIFF"}));
  EXPECT_TRUE(Has(Pack({"check", dir.Path("sounds.dat")}).out, ": sound pack, 2 entries"));
  EXPECT_TRUE(Has(Pack({"check", dir.Path("mixed.dat")}).out, ": script pack, 2 entries"));

  dir.Write("x.wav", "RIFF....WAVEfmt ");
  ASSERT_EQ(Pack({"create", "sound", dir.Path("sfx.dat"), dir.Path("x.wav")}).status, 0);
  Result sounds = Pack({"extract", "--kind", "sound", dir.Path("sfx.dat"), dir.Path("s")});
  EXPECT_EQ(sounds.status, 0);
  EXPECT_EQ(dir.Read("s/entry-0.wav"), dir.Read("x.wav"));
}

TEST(PackTool, CheckNamesEveryDamagedEntryAndBadInputGivesOneLineNamingTheFile) {
  TempDir dir;
  PackedImage good{2, 2, 24, std::string(16, '\x01')};
  PackedImage wrongSize{2, 2, 24, std::string(10, '\x01')};
  PackedImage badDepth{2, 2, 12, std::string(16, '\x01')};
  std::string pack = BuildImagePack({good, wrongSize, badDepth});
  dir.Write("img.dat", pack);
  EXPECT_FALSE(Has(Pack({"check", dir.Path("img.dat")}).err, "entry 0"));
  dir.Write("cut.dat", BuildDataPack({"abcdef", "ghi"}).substr(0, 20));
  dir.Write("not.bmp", "this is text");
  dir.Write("tiny.dat", "ab");
  struct Case {
    std::vector<std::string> words;
    int status;
    std::string message;
  } cases[] = {
      {{"check", dir.Path("img.dat")}, 1, "entry 1: data size 10 should be 16 for 2 x 2 at 24 bits"},
      {{"check", dir.Path("img.dat")}, 1, "entry 2: depth 12 is not 8, 16, 24 or 32"},
      {{"check", "--kind", "script", dir.Path("cut.dat")}, 1,
       "entry 0: its data (offset 20, size 6) lies outside the file of 20 bytes"},
      {{"check", "--kind", "script", dir.Path("cut.dat")}, 1, "entry 1: its data"},
      {{"create", "image", dir.Path("o.dat"), dir.Path("not.bmp")}, 1, dir.Path("not.bmp") + ": not a readable BMP"},
      {{"create", "script", dir.Path("o.dat"), dir.Path("gone.lua")}, 1, dir.Path("gone.lua") + ": cannot read"},
      {{"check", dir.Path("tiny.dat")}, 1, dir.Path("tiny.dat") + ": not a pack this tool recognises"},
      {{"check", "--kind", "image", dir.Path("tiny.dat")}, 1, "shorter than the 4-byte head field"},
      {{"create", "movie", dir.Path("o.dat"), "x"}, 2, "unknown kind 'movie'"},
      {{"frobnicate"}, 2, "unknown command 'frobnicate'"},
  };
  for (const Case& c : cases) {
    Result r = Pack(c.words);
    EXPECT_EQ(r.status, c.status) << c.words[0];
    EXPECT_TRUE(Has(r.err, c.message)) << r.err;
  }
  EXPECT_EQ(Pack({"--help"}).status, 0);
}

}  // namespace
