// Font images for tests, drawn pixel by pixel and saved as BMP files.
#pragma once

#include <SDL/SDL.h>

#include <string>

// Colours of the test font image.
struct FontColours {
  static const Uint8 kMarker[3];      // row-0 cell markers
  static const Uint8 kBackground[3];  // transparent colour, pixel (1, 0)
  static const Uint8 kRow0[3];        // glyph pixels of colour row 0
  static const Uint8 kRow1[3];        // glyph pixels of colour row 1
};

// Cell height of the test font: two bands of 8 rows, 7 drawn.
const int kTestCellHeight = 8;

// An 11 x 16 image with markers at x 0, 6 and 10 (code 1: x 1, width 5; code 2:
// x 7, width 3), glyphs filled in each band's colour except one background hole
// at (3, 4) of band 0 and (3, 12) of band 1. The caller frees it.
SDL_Surface* MakeTestFontSurface();
// The same image saved as a BMP file.
void SaveTestFont(const std::string& path);

// Screen helpers for reading drawn pixels back.
struct Rgb {
  Uint8 r = 0, g = 0, b = 0;
  bool Is(const Uint8 (&c)[3]) const { return r == c[0] && g == c[1] && b == c[2]; }
};
Rgb PixelAt(SDL_Surface* surface, int x, int y);
void FillSurface(SDL_Surface* surface, Uint8 r, Uint8 g, Uint8 b);
// The translucent grey of a text box over black.
bool IsBoxGreyOverBlack(Rgb pixel);
