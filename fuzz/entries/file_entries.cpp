// Fuzz entries of the file formats: packs, BMP images, walk maps, font images and string files.
#include <SDL/SDL_mixer.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

extern "C" {
#include <lua.h>
}

#include "audio/sfx.h"
#include "fuzz/entries/byte_reader.h"
#include "fuzz/entries/fuzz_entries.h"
#include "fuzz/entries/fuzz_world.h"
#include "resources/images.h"
#include "resources/pack_readers.h"
#include "resources/pixels.h"
#include "scene/adventure_object.h"
#include "text/bitmap_font.h"
#include "walk/load_path_map.h"
#include "walk/path_map.h"

namespace {

// Hits and draws a loaded image the ways the engine uses images.
void UseImage(Engine& engine, SDL_Surface* image) {
  if (!image) return;
  SDL_Rect frame = {0, 0, static_cast<Uint16>(image->w), static_cast<Uint16>(image->h)};
  for (int p : {0, 1, image->w / 2, image->w - 1, image->w})
    engine.resources.hitTester->IsOpaqueAt(image, frame, 0, 0, p, p % (image->h + 1));
  SDL_Rect at = {3, 3, 0, 0};
  SDL_BlitSurface(image, nullptr, engine.core.screen, &at);
}

// Walks between a few points of the map and checks what a found path promises.
void SearchPaths(PathMap& map, ByteReader& in) {
  int count = map.BoxCount();
  if (count == 0) return;
  for (int round = 0; round < 4; ++round) {
    const Box& from = map.BoxAt(in.Byte() % count);
    const Box& to = map.BoxAt(in.Byte() % count);
    WalkPoint start = round % 2 ? from.corners[in.Byte() % 4] : PathMap::BoxCentre(from);
    WalkPoint target = round < 2 ? PathMap::BoxCentre(to) : WalkPoint{in.U16(), in.U16()};
    bool startTaken = map.SetStart(start.x, start.y);
    bool searchable = map.SetTarget(target.x, target.y) && startTaken;
    if (!map.FindPath() || !searchable) continue;
    std::vector<WalkPoint> path = map.Path();
    Require(path.size() >= 2, "a found path has fewer than two waypoints");
    // The greedy search may back out past its first waypoint; the walk still ends at the target.
    Require(path.back().x == target.x && path.back().y == target.y, "a found path does not end at the target");
  }
}

}  // namespace

int FuzzDataPack(const uint8_t* data, size_t size) {
  OpenFuzzWorld();
  std::string file = WriteWorldFile("in.dat", data, size);
  Engine engine;
  engine.resources.textPacks = MakeOwned<TXTPackReader>();
  engine.walk.map = MakeOwned<PathMap>();
  ByteReader head(data, size);
  int claimed = head.I32();
  for (int entry : {0, 1, 2, 3, claimed > 0 ? claimed - 1 : 0, claimed, 1 << 28, -1}) {
    std::vector<char> buffer;
    int read = engine.resources.textPacks->LoadTXT(file.c_str(), entry, &buffer);
    Require(read <= static_cast<long long>(size), "a pack entry larger than its pack");
    Require(read <= 0 || static_cast<size_t>(read) == buffer.size(), "the entry size and its buffer disagree");
  }
  for (const char* entry : {":0", ":1", ":2"}) {
    LoadPathMap(engine, file + entry);
    ByteReader walk(data, size);
    SearchPaths(*engine.walk.map, walk);
  }
  return 0;
}

int FuzzImagePack(const uint8_t* data, size_t size) {
  OpenFuzzWorld();
  std::string file = WriteWorldFile("in.img", data, size);
  FuzzEngine fuzz;
  Engine& engine = fuzz.engine;
  for (int entry = 0; entry < 3; ++entry) {
    SDL_Surface* raw = engine.resources.imagePacks->LoadImage(file.c_str(), entry);
    if (raw) {
      Require(static_cast<size_t>(raw->pitch) * raw->h <= size, "an image larger than its pack");
      SDL_FreeSurface(raw);
    }
    UseImage(engine, LoadImage(engine, file + ":" + std::to_string(entry)));
  }
  return 0;
}

int FuzzSoundPack(const uint8_t* data, size_t size) {
  OpenFuzzWorld();
  std::string file = WriteWorldFile("in.sfx", data, size);
  FuzzEngine fuzz;
  Sfx& sfx = *fuzz.engine.audio.sfx;
  for (int entry = 0; entry < 3; ++entry) {
    std::string name = "s" + std::to_string(entry);
    sfx.LoadSoundFromFile(name, file + ":" + std::to_string(entry));
    sfx.PlaySound(name, 0, 0);
  }
  sfx.StopAllSounds();
  return 0;
}

int FuzzBmpImage(const uint8_t* data, size_t size) {
  OpenFuzzWorld();
  std::string file = WriteWorldFile("in.bmp", data, size);
  FuzzEngine fuzz;
  UseImage(fuzz.engine, LoadImage(fuzz.engine, file));
  ReleaseImage(fuzz.engine, file);
  return 0;
}

int FuzzWalkMap(const uint8_t* data, size_t size) {
  // Eight bytes choose the searches; the rest is the map.
  ByteReader choices(data, size < 8 ? size : 8);
  const uint8_t* map = data + (size < 8 ? size : 8);
  int length = static_cast<int>(size < 8 ? 0 : size - 8);
  PathMap paths;
  if (choices.Byte() & 1) {
    OpenFuzzWorld();
    paths.LoadBoxesFromFile(WriteWorldFile("in.map", map, static_cast<size_t>(length)).c_str());
  } else {
    paths.LoadBoxesFromBuffer(reinterpret_cast<const char*>(map), length);
  }
  Require(paths.BoxCount() <= kMostBoxes, "a map with more boxes than the engine's limit");
  SearchPaths(paths, choices);
  return 0;
}

int FuzzFont(const uint8_t* data, size_t size) {
  FuzzWorld& world = OpenFuzzWorld();
  ByteReader in(data, size);
  int cellHeight = static_cast<int8_t>(in.Byte());
  int maxLineWidth = static_cast<int16_t>(in.U16());
  int lineGap = static_cast<int8_t>(in.Byte());
  int rightLimit = static_cast<int16_t>(in.U16());
  int colorRow = static_cast<int8_t>(in.Byte());
  int x = static_cast<int16_t>(in.U16());
  int y = static_cast<int16_t>(in.U16());
  int alignment = in.Byte() % 3;
  bool fromFile = in.Byte() & 1;
  std::string text = in.Bytes(in.Byte());
  // Font images reach the fonts through the engine's BMP reader.
  SDL_Surface* image = ReadBmp(SDL_RWFromConstMem(in.Rest(), static_cast<int>(in.RestSize())));
  if (!image && !fromFile) return 0;
  std::unique_ptr<CBitmapFont2> box;
  std::unique_ptr<CBitmapFont> line;
  if (fromFile) {
    std::string file = WriteWorldFile("font.bmp", in.Rest(), in.RestSize());
    box = std::make_unique<CBitmapFont2>(world.screen, file, cellHeight, maxLineWidth, lineGap, rightLimit);
    line = std::make_unique<CBitmapFont>(world.screen, file, cellHeight);
  } else {
    box = std::make_unique<CBitmapFont2>(world.screen, image, cellHeight, maxLineWidth, lineGap, rightLimit);
    line = std::make_unique<CBitmapFont>(world.screen, image, cellHeight);
  }
  box->colorRow = line->colorRow = colorRow;
  box->DrawTextBox(text.c_str(), x, y, alignment);
  line->DrawString(text.c_str(), x, y);
  line->GetTextWidth(text.c_str());
  if (image) SDL_FreeSurface(image);
  return 0;
}

int FuzzStringFile(const uint8_t* data, size_t size) {
  OpenFuzzWorld();
  WriteWorldFile("in.DE", data, size);
  FuzzEngine fuzz;
  lua_State* L = fuzz.engine.script.L;
  std::string base = OpenFuzzWorld().dir + "/in";
  lua_getglobal(L, "SetStringFile");
  lua_pushstring(L, base.c_str());
  lua_pcall(L, 1, 0, 0);
  for (double line : {1.0, 2.0, 3.0, 2.9, 0.5, 0.0, -1.0, 1e9, static_cast<double>(NAN), static_cast<double>(size), 1.0}) {
    lua_getglobal(L, "GetString");
    lua_pushnumber(L, line);
    Require(lua_pcall(L, 1, 1, 0) == 0, "GetString raised a script error");
    size_t length = 0;
    Require(lua_tolstring(L, -1, &length) != nullptr, "GetString returned no string");
    Require(length <= 255, "GetString returned more than 255 characters");
    lua_pop(L, 1);
  }
  return 0;
}
