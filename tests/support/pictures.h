// Pictures for tests: flat colours and the test font drawn in code, and pixels read back.
#pragma once

#include <SDL/SDL.h>

#include <ostream>
#include <string>
#include <vector>

struct Rgb {
  Uint8 r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Rgb& o) const { return !(*this == o); }
};
inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << ")";
}

constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kMagenta{255, 0, 255}, kRed{200, 0, 0}, kGreen{0, 200, 0},
    kBlue{0, 0, 200}, kGrey{90, 90, 90};

Rgb PixelAt(SDL_Surface* surface, int x, int y);
void Fill(SDL_Surface* surface, Rgb colour);

struct Patch {
  int x, y, w, h;
  Rgb colour;
};
// A 24-bit picture in one colour with patches painted on it; the caller frees it.
SDL_Surface* Paint(int w, int h, Rgb fill, const std::vector<Patch>& patches = {});
// The same picture with a palette: every colour given gets its own entry. The caller frees both.
SDL_Surface* Palettize(SDL_Surface* source, const std::vector<Rgb>& colours);
// Saves the picture as a BMP file and frees it.
void SaveBmp(SDL_Surface* picture, const std::string& path);

// The test font: an 11 x 16 image with markers at x 0, 6 and 10 (code 1: x 1,
// width 5; code 2: x 7, width 3) and two bands of 8 rows, 7 drawn. Glyphs are
// white in band 0 and kFontRow1 in band 1, each with one background hole at
// (3, 4) of its band. The caller frees it.
constexpr Rgb kFontBackground{0, 128, 128}, kFontRow1{0, 255, 0};
const int kTestCellHeight = 8;
SDL_Surface* MakeTestFontSurface();

// The translucent grey of a text box over black.
bool IsBoxGreyOverBlack(Rgb pixel);
