// Small checks shared by the tool tests.
#pragma once

#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <algorithm>
#include <memory>
#include <string>

#include "support/pictures.h"

inline bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
inline int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

struct SurfaceFree {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;
inline Surface LoadSurface(const std::string& path) { return Surface(SDL_LoadBMP(path.c_str())); }

// Compares the BMP file's pixels with the picture's, whatever their depths.
inline void ExpectSamePixels(const std::string& bmp, Surface b) {
  Surface a = LoadSurface(bmp);
  ASSERT_TRUE(a && b && a->w == b->w && a->h == b->h) << bmp;
  for (int y = 0; y < a->h; ++y)
    for (int x = 0; x < a->w; ++x)
      EXPECT_EQ(PixelAt(a.get(), x, y), PixelAt(b.get(), x, y)) << bmp << " " << x << "," << y;
}
