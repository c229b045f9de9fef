// Test images for scene tests: BMP files and pack entries painted in flat colours.
#pragma once

#include <SDL/SDL.h>

#include <string>
#include <vector>

#include "resources/pack_writer.h"
#include "resources/pixels.h"
#include "support/game_harness.h"

namespace scene_test {

struct Rgb {
  Uint8 r, g, b;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

constexpr Rgb kMagenta{255, 0, 255};
constexpr Rgb kRed{200, 0, 0};
constexpr Rgb kGreen{0, 200, 0};
constexpr Rgb kBlue{0, 0, 200};
constexpr Rgb kGrey{90, 90, 90};
constexpr Rgb kWhite{255, 255, 255};

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << ")";
}

// A filled rectangle of a test picture.
struct Patch {
  int x, y, w, h;
  Rgb colour;
};

// A 24-bit picture of the given size in one colour with patches painted on it.
inline SDL_Surface* Paint(int w, int h, Rgb fill, const std::vector<Patch>& patches = {}) {
  SDL_Surface* s = SDL_CreateRGBSurface(0, w, h, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
  SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, fill.r, fill.g, fill.b));
  for (const Patch& p : patches) {
    SDL_Rect r = {static_cast<Sint16>(p.x), static_cast<Sint16>(p.y), static_cast<Uint16>(p.w),
                  static_cast<Uint16>(p.h)};
    SDL_FillRect(s, &r, SDL_MapRGB(s->format, p.colour.r, p.colour.g, p.colour.b));
  }
  return s;
}

// The same picture with a palette: every colour used gets its own entry.
inline SDL_Surface* Palettize(SDL_Surface* source, const std::vector<Rgb>& colours) {
  SDL_Surface* s = SDL_CreateRGBSurface(0, source->w, source->h, 8, 0, 0, 0, 0);
  std::vector<SDL_Color> palette(256, SDL_Color{0, 0, 0, 0});
  for (size_t i = 0; i < colours.size(); ++i) palette[i] = SDL_Color{colours[i].r, colours[i].g, colours[i].b, 0};
  SDL_SetColors(s, palette.data(), 0, 256);
  for (int y = 0; y < source->h; ++y)
    for (int x = 0; x < source->w; ++x) {
      Uint8 r, g, b;
      SDL_GetRGB(GetPixel(source, x, y), source->format, &r, &g, &b);
      for (size_t i = 0; i < colours.size(); ++i)
        if (colours[i] == Rgb{r, g, b}) PutPixel(x, y, static_cast<Uint32>(i), s);
    }
  return s;
}

// Saves the surface as a BMP file of the game folder and frees it.
inline void WriteBmp(GameHarness& game, const std::string& name, SDL_Surface* picture) {
  SDL_SaveBMP(picture, game.Path(name).c_str());
  SDL_FreeSurface(picture);
}

// Packs the surfaces at the given depths into one image pack of the game folder and frees them.
inline void WriteImagePack(GameHarness& game, const std::string& name, const std::vector<SDL_Surface*>& pictures,
                           const std::vector<int>& depths) {
  std::vector<PackedImage> images(pictures.size());
  for (size_t i = 0; i < pictures.size(); ++i) {
    PackSurface(pictures[i], depths[i], &images[i]);
    SDL_FreeSurface(pictures[i]);
  }
  game.Write(name, BuildImagePack(images));
}

// The colour of the screen pixel at (x, y) as last drawn.
inline Rgb ScreenAt(Engine& engine, int x, int y) {
  SDL_Surface* screen = engine.core.screen;
  Rgb c{0, 0, 0};
  SDL_GetRGB(GetPixel(screen, x, y), screen->format, &c.r, &c.g, &c.b);
  return c;
}

}  // namespace scene_test
