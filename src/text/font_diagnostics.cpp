// Font image diagnostics: the mistakes that leave text invisible or cut short.
#include "text/font_diagnostics.h"

#include <cstdlib>

#include "engine/diagnostics.h"
#include "resources/pixels.h"
#include "text/bitmap_font.h"
#include "util/log.h"

namespace {

struct Rgb {
  Uint8 r = 0, g = 0, b = 0;
};

Rgb ColourAt(SDL_Surface* image, int x, int y) {
  Rgb c;
  SDL_GetRGB(GetPixel(image, x, y), image->format, &c.r, &c.g, &c.b);
  return c;
}

bool Same(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

// Within the drift of a lossy save or of an editor's smoothing.
bool Near(Rgb a, Rgb b) { return std::abs(a.r - b.r) <= 40 && std::abs(a.g - b.g) <= 40 && std::abs(a.b - b.b) <= 40; }

std::string Hex(Rgb c) { return FormatText("%02X%02X%02X", c.r, c.g, c.b); }

}  // namespace

void DiagnoseFont(Engine& engine, const CBitmapFont& font, const std::string& address) {
  SDL_Surface* image = font.image;
  if (!DiagnosticsOn(engine) || !image || image->w < 2) return;
  const char* name = address.c_str();
  const Rgb marker = ColourAt(image, 0, 0), background = ColourAt(image, 1, 0), magenta{255, 0, 255};
  SDL_LockSurface(image);
  int nearMarkers = 0, nearBackground = 0, ink = 0;
  for (int x = 1; x < image->w; ++x) {
    Rgb c = ColourAt(image, x, 0);
    if (!Same(c, marker) && Near(c, marker)) ++nearMarkers;
  }
  for (int y = 1; y < image->h; ++y)
    for (int x = 0; x < image->w; ++x) {
      Rgb c = ColourAt(image, x, y);
      if (Same(c, background)) continue;
      ++ink;
      if (Near(c, background)) ++nearBackground;
    }
  SDL_UnlockSurface(image);
  if (nearMarkers > 0)
    Diagnose(engine, FormatText("font \"%s\": %d pixels of row 0 are close to the marker colour %s at (0, 0) but not "
                                "equal, so their cells are not found (%d cells)",
                                name, nearMarkers, Hex(marker).c_str(), font.cellCount));
  if (!Same(background, magenta))
    Diagnose(engine, FormatText("font \"%s\": the background colour at (1, 0) is %s, not magenta FF00FF; every pixel "
                                "of that colour is transparent, glyphs included",
                                name, Hex(background).c_str()));
  if (ink == 0)
    Diagnose(engine, FormatText("font \"%s\": no glyph pixel differs from the transparent colour %s: all text is "
                                "invisible",
                                name, Hex(background).c_str()));
  else if (nearBackground > 0)
    Diagnose(engine, FormatText("font \"%s\": %d glyph pixels are close to the transparent colour %s (fringes of "
                                "smoothing); they show as a halo",
                                name, nearBackground, Hex(background).c_str()));
}
