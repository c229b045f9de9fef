// Registry images drawn from their opaque runs, or by SDL when the runs cannot.
#include "resources/image_blit.h"

#include <algorithm>
#include <memory>

#include "engine/engine.h"
#include "resources/pixels.h"
#include "resources/sprite_runs.h"

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

void WritePixel(Uint8* p, int bytes, Uint32 value) {
  switch (bytes) {
    case 1: *p = static_cast<Uint8>(value); break;
    case 2: *reinterpret_cast<Uint16*>(p) = static_cast<Uint16>(value); break;
    case 3:
      p[0] = static_cast<Uint8>(value), p[1] = static_cast<Uint8>(value >> 8), p[2] = static_cast<Uint8>(value >> 16);
      break;
    default: *reinterpret_cast<Uint32*>(p) = value; break;
  }
}

// One drawn row: count pixels from the frame's column (plus remainder / width),
// stepping step and remainderStep / width a pixel, without a division per pixel.
// kBytes is the pixel size of both surfaces when raw, 0 for any other case.
template <int kBytes>
void ScaleRow(const SDL_Surface* image, const Uint8* source, SDL_Surface* screen, Uint8* target, long long count,
              long long column, long long remainder, long long step, long long remainderStep, long long width,
              bool keyed, Uint32 key) {
  const int bytes = kBytes ? kBytes : image->format->BytesPerPixel;
  const int targetBytes = kBytes ? kBytes : screen->format->BytesPerPixel;
  for (long long i = 0; i < count; ++i, target += targetBytes) {
    if (column >= 0 && column < image->w) {
      Uint32 pixel = PixelValueAt(source + column * bytes, bytes);
      if (!keyed || pixel != key) {
        if (!kBytes) {
          Uint8 r, g, b;
          SDL_GetRGB(pixel, image->format, &r, &g, &b);
          pixel = SDL_MapRGB(screen->format, r, g, b);
        }
        WritePixel(target, targetBytes, pixel);
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
  auto scaleRow = !raw ? ScaleRow<0> : from.BytesPerPixel == 4 ? ScaleRow<4> : from.BytesPerPixel == 3 ? ScaleRow<3>
                : from.BytesPerPixel == 2 ? ScaleRow<2> : ScaleRow<1>;
  SDL_LockSurface(image);
  SDL_LockSurface(screen);
  long long numerator = (fromX - left) * area.w;
  for (long long y = fromY; y < toY; ++y) {
    long long row = (y - top) * frameHeight / height;
    if (row >= image->h) continue;
    scaleRow(image, static_cast<const Uint8*>(image->pixels) + row * image->pitch, screen,
             static_cast<Uint8*>(screen->pixels) + y * screen->pitch + fromX * to.BytesPerPixel, toX - fromX,
             area.x + numerator / width, numerator % width, area.w / width, area.w % width, width, keyed, key);
  }
  SDL_UnlockSurface(screen);
  SDL_UnlockSurface(image);
}
