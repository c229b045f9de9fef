// Pictures for tests.
#include "support/pictures.h"

#include <cstdlib>

#include "resources/pixels.h"

namespace {

Uint32 Map(SDL_Surface* s, Rgb c) { return SDL_MapRGB(s->format, c.r, c.g, c.b); }

}  // namespace

Rgb PixelAt(SDL_Surface* surface, int x, int y) {
  Rgb rgb;
  SDL_GetRGB(GetPixel(surface, x, y), surface->format, &rgb.r, &rgb.g, &rgb.b);
  return rgb;
}

void Fill(SDL_Surface* surface, Rgb colour) { SDL_FillRect(surface, nullptr, Map(surface, colour)); }

SDL_Surface* Paint(int w, int h, Rgb fill, const std::vector<Patch>& patches) {
  SDL_Surface* s = SDL_CreateRGBSurface(0, w, h, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
  Fill(s, fill);
  for (const Patch& p : patches) {
    SDL_Rect r = {Sint16(p.x), Sint16(p.y), Uint16(p.w), Uint16(p.h)};
    SDL_FillRect(s, &r, Map(s, p.colour));
  }
  return s;
}

SDL_Surface* Palettize(SDL_Surface* source, const std::vector<Rgb>& colours) {
  SDL_Surface* s = SDL_CreateRGBSurface(0, source->w, source->h, 8, 0, 0, 0, 0);
  std::vector<SDL_Color> palette(256, SDL_Color{0, 0, 0, 0});
  for (size_t i = 0; i < colours.size(); ++i) palette[i] = SDL_Color{colours[i].r, colours[i].g, colours[i].b, 0};
  SDL_SetColors(s, palette.data(), 0, 256);
  for (int y = 0; y < source->h; ++y)
    for (int x = 0; x < source->w; ++x)
      for (size_t i = 0; i < colours.size(); ++i)
        if (colours[i] == PixelAt(source, x, y)) PutPixel(x, y, Uint32(i), s);
  return s;
}

void SaveBmp(SDL_Surface* picture, const std::string& path) {
  SDL_SaveBMP(picture, path.c_str());
  SDL_FreeSurface(picture);
}

SDL_Surface* MakeTestFontSurface() {
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 11, 16, 32, 0xFF0000, 0xFF00, 0xFF, 0);
  Fill(s, kFontBackground);
  SDL_LockSurface(s);
  for (int x : {0, 6, 10}) PutPixel(x, 0, SDL_MapRGB(s->format, 255, 0, 0), s);
  for (int band = 0; band < 2; ++band) {
    Uint32 glyph = Map(s, band == 0 ? kWhite : kFontRow1);
    for (int y = band * kTestCellHeight + 1; y < (band + 1) * kTestCellHeight; ++y)
      for (int x = 1; x < 10; ++x)
        if (x != 6) PutPixel(x, y, glyph, s);
    PutPixel(3, band * kTestCellHeight + 4, Map(s, kFontBackground), s);
  }
  SDL_UnlockSurface(s);
  return s;
}

bool IsBoxGreyOverBlack(Rgb p) {
  // 50/50/50 at alpha 220 over black, give or take the 16-bit quantisation.
  return p.r >= 30 && p.r <= 50 && std::abs(p.r - p.g) <= 8 && std::abs(p.r - p.b) <= 8;
}
