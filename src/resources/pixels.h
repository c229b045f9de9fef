// Single-pixel access and the pixel hit test of sprite frames.
#pragma once

#include <SDL/SDL.h>

// The raw value of the pixel of the given size at p (the caller locks).
inline Uint32 PixelValueAt(const Uint8* p, int bytes) {
  switch (bytes) {
    case 1: return *p;
    case 2: return *reinterpret_cast<const Uint16*>(p);
    case 3: return p[0] | p[1] << 8 | static_cast<Uint32>(p[2]) << 16;
    case 4: return *reinterpret_cast<const Uint32*>(p);
    default: return 0;
  }
}

// Raw pixel value at (x, y); 0 for a null surface or a point outside it.
Uint32 GetPixel(SDL_Surface* surface, int x, int y);
// Writes the raw value at (x, y); nothing outside the surface. The caller locks.
void PutPixel(int x, int y, Uint32 colour, SDL_Surface* surface);

class PixelHitTester {
 public:
  virtual ~PixelHitTester() = default;
  // True when the point lies inside the frame placed at (objectX, objectY) and
  // the strip pixel under it is not the magenta colour key.
  bool IsOpaqueAt(SDL_Surface* surface, SDL_Rect frame, int objectX, int objectY, int pointX,
                  int pointY) const;
};
