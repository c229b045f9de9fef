// Pixel access and the pixel hit test.
#include "resources/pixels.h"

Uint32 GetPixel(SDL_Surface* surface, int x, int y) {
  if (!surface || x < 0 || y < 0 || x >= surface->w || y >= surface->h) return 0;
  SDL_LockSurface(surface);
  int bytes = surface->format->BytesPerPixel;
  const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * bytes;
  Uint32 value = PixelValueAt(p, bytes);
  SDL_UnlockSurface(surface);
  return value;
}

void PutPixel(int x, int y, Uint32 colour, SDL_Surface* surface) {
  if (!surface || x < 0 || y < 0 || x >= surface->w || y >= surface->h) return;
  int bytes = surface->format->BytesPerPixel;
  Uint8* p = static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * bytes;
  for (int i = 0; i < bytes; ++i) p[i] = static_cast<Uint8>(colour >> (8 * i));
}

bool PixelHitTester::IsOpaqueAt(SDL_Surface* surface, SDL_Rect frame, int objectX, int objectY, int pointX,
                                int pointY) const {
  long long right = static_cast<long long>(objectX) + frame.w - 1;
  long long bottom = static_cast<long long>(objectY) + frame.h - 1;
  if (pointX < objectX || pointX > right || pointY < objectY || pointY > bottom) return false;
  if (!surface) return false;
  long long column = static_cast<long long>(frame.x) + (pointX - static_cast<long long>(objectX));
  long long row = static_cast<long long>(pointY) - objectY;
  // Beyond the strip there is no pixel to hit.
  if (column < 0 || row < 0 || column >= surface->w || row >= surface->h) return false;
  Uint32 key = SDL_MapRGB(surface->format, 255, 0, 255);
  return GetPixel(surface, static_cast<int>(column), static_cast<int>(row)) != key;
}
