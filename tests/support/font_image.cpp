// Font images for tests.
#include "support/font_image.h"

#include <cstdlib>

#include "resources/pixels.h"

const Uint8 FontColours::kMarker[3] = {255, 0, 0};
const Uint8 FontColours::kBackground[3] = {0, 128, 128};
const Uint8 FontColours::kRow0[3] = {255, 255, 255};
const Uint8 FontColours::kRow1[3] = {0, 255, 0};

namespace {

Uint32 Map(SDL_Surface* s, const Uint8 (&c)[3]) { return SDL_MapRGB(s->format, c[0], c[1], c[2]); }

}  // namespace

SDL_Surface* MakeTestFontSurface() {
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 11, 16, 32, 0xFF0000, 0xFF00, 0xFF, 0);
  SDL_FillRect(s, nullptr, Map(s, FontColours::kBackground));
  SDL_LockSurface(s);
  for (int x : {0, 6, 10}) PutPixel(x, 0, Map(s, FontColours::kMarker), s);
  for (int band = 0; band < 2; ++band) {
    Uint32 glyph = Map(s, band == 0 ? FontColours::kRow0 : FontColours::kRow1);
    for (int y = band * kTestCellHeight + 1; y < (band + 1) * kTestCellHeight; ++y)
      for (int x = 1; x < 10; ++x)
        if (x != 6) PutPixel(x, y, glyph, s);
    PutPixel(3, band * kTestCellHeight + 4, Map(s, FontColours::kBackground), s);
  }
  SDL_UnlockSurface(s);
  return s;
}

void SaveTestFont(const std::string& path) {
  SDL_Surface* s = MakeTestFontSurface();
  SDL_SaveBMP(s, path.c_str());
  SDL_FreeSurface(s);
}

Rgb PixelAt(SDL_Surface* surface, int x, int y) {
  Rgb rgb;
  SDL_GetRGB(GetPixel(surface, x, y), surface->format, &rgb.r, &rgb.g, &rgb.b);
  return rgb;
}

void FillSurface(SDL_Surface* surface, Uint8 r, Uint8 g, Uint8 b) {
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, r, g, b));
}

bool IsBoxGreyOverBlack(Rgb p) {
  // 50/50/50 at alpha 220 over black, give or take the 16-bit quantisation.
  return p.r >= 30 && p.r <= 50 && std::abs(p.r - p.g) <= 8 && std::abs(p.r - p.b) <= 8;
}
