// Presenting only what changed: a copy of what the window shows is compared
// with each composed frame, tile by tile, and only differing tiles are sent.
#include "core/present.h"

#include <algorithm>
#include <cstring>

#include "core/window.h"
#include "engine/engine.h"

namespace {

size_t RowBytes(const SDL_Surface& screen) { return static_cast<size_t>(screen.w) * screen.format->BytesPerPixel; }

// Joins a run of changed tiles to a rectangle of the band above that spans
// the same columns, else adds it.
void AddRegion(std::vector<SDL_Rect>& rects, int x, int y, int w, int h) {
  for (SDL_Rect& r : rects) {
    if (r.x == x && r.w == w && r.y + r.h == y) {
      r.h = static_cast<Uint16>(r.h + h);
      return;
    }
  }
  rects.push_back({static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w), static_cast<Uint16>(h)});
}

// The window shows nothing known yet: the whole screen goes out, and is the copy from now on.
void StartShowing(SDL_Surface* screen, Engine& engine) {
  PresentState& p = engine.core.present;
  char driver[32] = "";
  // SDL's dummy driver shows nothing, and presenting to it costs nothing: comparing would only cost.
  p.compare = SDL_VideoDriverName(driver, sizeof driver) && std::strcmp(driver, "dummy") != 0;
  p.shownScreen = screen;
  p.shownWidth = screen->w;
  p.shownHeight = screen->h;
  p.shownBytesPerPixel = screen->format->BytesPerPixel;
  p.shownGamma = engine.core.gamma;
  p.shown.clear();
  if (p.compare && SDL_LockSurface(screen) != 0) p.compare = false;
  if (p.compare) {
    size_t rowBytes = RowBytes(*screen);
    p.shown.resize(rowBytes * screen->h);
    const Uint8* pixels = static_cast<const Uint8*>(screen->pixels);
    for (int y = 0; y < screen->h; ++y) std::memcpy(&p.shown[y * rowBytes], pixels + y * screen->pitch, rowBytes);
    SDL_UnlockSurface(screen);
  }
  PresentScreen(engine);
}

bool ShowsThisScreen(const PresentState& p, const SDL_Surface* screen) {
  return p.shownScreen == screen && p.shownWidth == screen->w && p.shownHeight == screen->h &&
         p.shownBytesPerPixel == screen->format->BytesPerPixel;
}

}  // namespace

bool CollectChangedRegions(const SDL_Surface& screen, PresentState& p) {
  const size_t rowBytes = RowBytes(screen);
  const size_t tileBytes = static_cast<size_t>(kPresentTileWidth) * screen.format->BytesPerPixel;
  const int columns = (screen.w + kPresentTileWidth - 1) / kPresentTileWidth;
  const int bands = (screen.h + kPresentTileHeight - 1) / kPresentTileHeight;
  const Uint8* pixels = static_cast<const Uint8*>(screen.pixels);
  p.rects.clear();
  p.changedTiles.resize(columns);
  int changed = 0;
  for (int band = 0; band < bands; ++band) {
    std::fill(p.changedTiles.begin(), p.changedTiles.end(), 0);
    int changedInBand = 0;
    const int top = band * kPresentTileHeight, bottom = std::min(top + kPresentTileHeight, screen.h);
    for (int y = top; y < bottom; ++y) {
      const Uint8* row = pixels + static_cast<size_t>(y) * screen.pitch;
      Uint8* shown = &p.shown[y * rowBytes];
      if (changedInBand < columns) {
        if (std::memcmp(row, shown, rowBytes) == 0) continue;
        for (int c = 0; c < columns; ++c) {
          if (p.changedTiles[c]) continue;
          size_t at = c * tileBytes, length = std::min(tileBytes, rowBytes - at);
          if (std::memcmp(row + at, shown + at, length) != 0) p.changedTiles[c] = 1, ++changedInBand;
        }
      }
      std::memcpy(shown, row, rowBytes);
    }
    changed += changedInBand;
    for (int c = 0; c < columns;) {
      if (!p.changedTiles[c]) {
        ++c;
        continue;
      }
      int end = c;
      while (end < columns && p.changedTiles[end]) ++end;
      int x = c * kPresentTileWidth;
      AddRegion(p.rects, x, top, std::min(end * kPresentTileWidth, screen.w) - x, bottom - top);
      c = end;
    }
  }
  return changed * 2 > columns * bands;
}

void Present(Engine& engine) {
  SDL_Surface* screen = engine.core.screen;
  PresentState& p = engine.core.present;
  // The changed regions are found on the game's own screen; a scaled window
  // is sent them enlarged. A display that flips whole pages (a double-
  // buffered full screen) shows another buffer each time, so it gets them all.
  const SDL_Surface* shown = engine.window.surface ? engine.window.surface : screen;
  if (!p.partial || (shown->flags & SDL_DOUBLEBUF)) {
    p.shownScreen = nullptr;  // switched back on, it starts from a whole present
    return PresentScreen(engine);
  }
  if (!ShowsThisScreen(p, screen)) return StartShowing(screen, engine);
  if (!p.compare || SDL_LockSurface(screen) != 0) return PresentScreen(engine);
  bool whole = CollectChangedRegions(*screen, p);
  SDL_UnlockSurface(screen);
  // The gamma applies to the whole window: a change of it is presented whole.
  if (engine.core.gamma != p.shownGamma) whole = true;
  p.shownGamma = engine.core.gamma;
  if (whole) PresentScreen(engine);
  else if (!p.rects.empty()) PresentScreenRegions(engine, p.rects);
}
