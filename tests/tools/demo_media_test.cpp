// quillon-demo-media: every file games/demo/MEDIA.md promises, loadable by
// SDL at its size, with clean transparency, the same bytes on every run.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <filesystem>
#include <iterator>
#include <sstream>

#include "demo-media/demo_media.h"
#include "support/child_process.h"
#include "support/pictures.h"
#include "support/temp_dir.h"
#include "tool_test.h"

namespace {

enum class Kind { Scene, Opaque, Sprite, Character, Zone };

struct Picture {
  std::string name;
  int frameW, frameH, frames;
  Kind kind;
};

// The contract of MEDIA.md.
std::vector<Picture> Pictures() {
  std::vector<Picture> p = {
      {"street.bmp", 1280, 480, 1, Kind::Scene},        {"shop.bmp", 640, 480, 1, Kind::Scene},
      {"garden.bmp", 640, 480, 1, Kind::Scene},         {"menu.bmp", 640, 80, 1, Kind::Scene},
      {"keeper_idle.bmp", 32, 64, 2, Kind::Character},  {"keeper_talk.bmp", 32, 64, 2, Kind::Character},
      {"key.bmp", 32, 32, 1, Kind::Sprite},             {"coin.bmp", 24, 24, 1, Kind::Sprite},
      {"flower.bmp", 24, 32, 1, Kind::Sprite},          {"watering_can.bmp", 32, 32, 1, Kind::Sprite},
      {"door_closed.bmp", 64, 112, 1, Kind::Opaque},    {"door_open.bmp", 64, 112, 1, Kind::Sprite},
      {"gate_closed.bmp", 80, 96, 1, Kind::Sprite},     {"gate_open.bmp", 80, 96, 1, Kind::Sprite},
      {"sign.bmp", 48, 64, 1, Kind::Sprite},            {"cursor.bmp", 16, 16, 1, Kind::Sprite},
      {"bench.bmp", 84, 48, 1, Kind::Sprite},
      {"icon1.bmp", 32, 32, 1, Kind::Sprite},           {"zone.bmp", 256, 160, 1, Kind::Zone}};
  for (std::string way : {"left", "right", "up", "down"}) {
    p.push_back({"hero_walk_" + way + ".bmp", 32, 64, 4, Kind::Character});
    p.push_back({"hero_idle_" + way + ".bmp", 32, 64, 2, Kind::Character});
  }
  for (std::string icon : {"key", "coin", "flower", "can", "bread"})
    p.push_back({"icon_" + icon + ".bmp", 40, 40, 1, Kind::Sprite});
  for (std::string verb : {"walk", "talk", "take", "give", "use", "open", "close", "push", "pull", "look", "smell"})
    p.push_back({"btn_" + verb + ".bmp", 60, 18, 2, Kind::Opaque});
  return p;
}
const char* const kSounds[] = {"door.wav", "pickup.wav", "coin.wav", "step.wav", "bell.wav", "tune.wav"};

// The folder the build generated (its demo reads it); the last test below
// makes it again and compares every byte.
std::string Path(const std::string& name) { return QUILLON_BINARY_DIR "/demo-media/" + name; }

// Backgrounds and buttons are solid; every sprite frame has shape and
// transparency; characters stand on their feet at the scripts' hotspot
// (16, 62); animated strips move; lit buttons are brighter.
TEST(DemoMedia, EveryPictureKeepsItsPromises) {
  for (const Picture& p : Pictures()) {
    Surface s = LoadSurface(Path(p.name));
    ASSERT_NE(s, nullptr) << p.name << ": " << SDL_GetError();
    EXPECT_EQ(s->w, p.frameW * p.frames) << p.name;
    EXPECT_EQ(s->h, p.frameH) << p.name;
    long brightness[2] = {0, 0};
    for (int f = 0; f < p.frames; ++f) {
      int keyed = 0, drawn = 0, lowest = -1, feetX = 0, feet = 0, differing = 0;
      for (int y = 0; y < p.frameH; ++y)
        for (int x = 0; x < p.frameW; ++x) {
          Rgb c = PixelAt(s.get(), f * p.frameW + x, y), first = PixelAt(s.get(), x, y);
          differing += c != first;
          if (f < 2) brightness[f] += c.r + c.g + c.b;
          if (c == kMagenta) {
            ++keyed;
            continue;
          }
          ++drawn;
          lowest = std::max(lowest, y);
          if (y >= 56) feetX += x, ++feet;
        }
      std::string frame = p.name + " frame " + std::to_string(f);
      if (f > 0) EXPECT_GT(differing, 0) << frame << " equals frame 0";
      if (p.kind == Kind::Scene || p.kind == Kind::Opaque) {
        EXPECT_EQ(keyed, 0) << frame << " would show holes";
      } else if (p.kind == Kind::Zone) {
        EXPECT_EQ(drawn, 0) << frame << " must draw nothing";
      } else {
        EXPECT_GT(keyed, 0) << frame << " has no transparent pixel";
        EXPECT_GT(drawn, p.frameW * p.frameH / 20) << frame;
      }
      if (p.kind != Kind::Character) continue;
      EXPECT_GE(lowest, 62) << frame << " floats above the hotspot";
      EXPECT_LE(lowest, 63) << frame;
      ASSERT_GT(feet, 0) << frame;
      EXPECT_NEAR(double(feetX) / feet, 16.0, 2.5) << frame << " feet off centre";
      EXPECT_EQ(PixelAt(s.get(), f * p.frameW, 0), kMagenta) << frame << " corner not transparent";
    }
    if (p.kind == Kind::Opaque && p.frames == 2)
      EXPECT_GT(brightness[1], brightness[0] + brightness[0] / 10) << p.name << " lit frame is not brighter";
  }
  // The cursor points with its top-left pixel.
  Surface cursor = LoadSurface(Path("cursor.bmp"));
  EXPECT_NE(PixelAt(cursor.get(), 0, 0), kMagenta);
  EXPECT_EQ(PixelAt(cursor.get(), 15, 0), kMagenta);
  EXPECT_EQ(PixelAt(cursor.get(), 0, 15), kMagenta);
}

// Every documented file is written, and no other, with the same bytes on every run.
TEST(DemoMedia, ARunWritesTheBuildsFilesWithTheSameBytesAndReportsAFolderItCannotCreate) {
  TempDir fresh;
  std::ostringstream err;
  ASSERT_EQ(RunDemoMedia(fresh.path(), err), 0) << err.str();
  int compared = 0;
  for (const auto& entry : std::filesystem::directory_iterator(fresh.path())) {
    std::string name = entry.path().filename().string();
    std::string first = ReadFile(entry.path().string());
    EXPECT_FALSE(first.empty()) << name;
    EXPECT_TRUE(first == ReadFile(Path(name))) << name << " differs between runs";
    ++compared;
  }
  EXPECT_EQ(compared, int(Pictures().size() + std::size(kSounds)));

  fresh.Write("file", "x");  // a folder it cannot create
  std::ostringstream refused;
  EXPECT_EQ(RunDemoMedia(fresh.Path("file/media"), refused), 1);
  EXPECT_NE(refused.str().find("file/media"), std::string::npos);
}

}  // namespace
