// Opaque runs of colour-keyed pictures, and blits from them that match SDL's keyed blit to the bit.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>
#include <vector>

// SDL_UpperBlit's clipping, done the way SDL does it (16-bit rectangle fields
// included): fills the clipped source area and updates *dstrect as SDL would.
// False when nothing is left to draw (dstrect then has width and height 0).
bool ClipBlit(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect, SDL_Rect* area);

// The opaque pixels of a colour-keyed surface as runs, row by row. The surface
// keeps its unencoded pixels, so pixel reads and hit tests go on reading them;
// only drawing uses the runs, which skip the per-pixel key test of SDL's
// keyed blitter. Built for one state of the surface; Describes() tells whether
// the surface is still in that state.
class SpriteRuns {
 public:
  // Rebuilds the runs for the surface's current pixels and key.
  void Build(SDL_Surface* surface);
  // The runs were built from this surface as it is now (same pixels, size, format and key).
  bool Describes(const SDL_Surface* surface) const;
  // SDL_UpperBlit(src, srcrect, dst, dstrect) from the runs, with SDL's result
  // on the screen and in *dstrect. False when this blit must be left to SDL
  // (other formats, locked or lockable surfaces, surfaces the runs do not describe).
  bool Blit(SDL_Surface* src, SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect) const;

 private:
  struct Run {
    uint16_t x;       // first opaque column
    uint16_t length;  // opaque pixels from there
  };

  const void* pixels_ = nullptr;   // the surface's pixel memory when built
  int w_ = 0, h_ = 0, pitch_ = 0;  // its size and row length in bytes
  Uint8 bytes_ = 0;                // bytes per pixel
  Uint32 masks_[4] = {};           // R, G, B, A masks
  Uint32 key_ = 0;                 // colour key when built
  Uint32 flags_ = 0;               // key, alpha and RLE flags when built
  bool drawable_ = false;          // SDL's keyed blit writes exactly the stored pixels
  std::vector<uint32_t> rowStart_; // runs of row y: rowStart_[y] to rowStart_[y + 1]
  std::vector<Run> runs_;          // every row's runs, left to right
};
