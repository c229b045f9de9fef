// Registry images drawn from their opaque runs, or by SDL when the runs cannot.
#include "resources/image_blit.h"

#include <algorithm>
#include <memory>

#include "engine/engine.h"
#include "resources/pixels.h"
#include "resources/sprite_runs.h"
#include "util/bytes.h"

void BlitImage(Engine& engine, SDL_Surface* image, SDL_Rect* area, SDL_Surface* screen, SDL_Rect* at) {
  ResourceState& resources = engine.resources;
  if (resources.blitShortcuts && image) {
    Owned<SpriteRuns>& runs = resources.imageRuns[image];
    if (!runs) runs = MakeOwned<SpriteRuns>();
    if (!runs->Describes(image)) runs->Build(image);
    if (runs->Blit(image, area, screen, at)) return;
  }
  SDL_UpperBlit(image, area, screen, at);
}

namespace {

Uint32 ReadPixel(const Uint8* p, int bytes) {
  switch (bytes) {
    case 1: return *p;
    case 2: return *reinterpret_cast<const Uint16*>(p);
    case 3: return ReadLittle24(p);
    default: return *reinterpret_cast<const Uint32*>(p);
  }
}

}  // namespace

void BlitScaled(SDL_Surface* image, SDL_Rect area, int frameHeight, SDL_Surface* screen, long long left, long long top,
                int width, int height) {
  if (!image || !screen || width <= 0 || height <= 0 || area.w == 0 || frameHeight <= 0) return;
  const SDL_Rect& clip = screen->clip_rect;
  long long fromX = std::max<long long>(left, clip.x), toX = std::min<long long>(left + width, clip.x + clip.w);
  long long fromY = std::max<long long>(top, clip.y), toY = std::min<long long>(top + height, clip.y + clip.h);
  if (fromX >= toX || fromY >= toY) return;
  bool keyed = (image->flags & SDL_SRCCOLORKEY) != 0;
  Uint32 key = image->format->colorkey;
  // The same pixel format (registry images are in the screen's) copies raw
  // values; any other goes through colours.
  const SDL_PixelFormat &from = *image->format, &to = *screen->format;
  bool raw = from.BytesPerPixel == to.BytesPerPixel && from.Rmask == to.Rmask && from.Gmask == to.Gmask &&
             from.Bmask == to.Bmask && from.BitsPerPixel == to.BitsPerPixel && !from.palette && !to.palette;
  int bytes = from.BytesPerPixel;
  SDL_LockSurface(image);
  SDL_LockSurface(screen);
  // Columns step by area.w / width without a division per pixel.
  long long step = area.w / width, remainderStep = area.w % width;
  long long firstNumerator = (fromX - left) * area.w;
  for (long long y = fromY; y < toY; ++y) {
    long long row = (y - top) * frameHeight / height;
    if (row >= image->h) continue;
    const Uint8* source = static_cast<const Uint8*>(image->pixels) + row * image->pitch;
    long long column = area.x + firstNumerator / width, remainder = firstNumerator % width;
    for (long long x = fromX; x < toX; ++x) {
      if (column >= 0 && column < image->w) {
        Uint32 pixel = ReadPixel(source + column * bytes, bytes);
        if (!keyed || pixel != key) {
          if (!raw) {
            Uint8 r, g, b;
            SDL_GetRGB(pixel, image->format, &r, &g, &b);
            pixel = SDL_MapRGB(screen->format, r, g, b);
          }
          PutPixel(static_cast<int>(x), static_cast<int>(y), pixel, screen);
        }
      }
      column += step;
      remainder += remainderStep;
      if (remainder >= width) {
        remainder -= width;
        ++column;
      }
    }
  }
  SDL_UnlockSurface(screen);
  SDL_UnlockSurface(image);
}
