// The translucent text box drawn through blend tables taken from SDL's own blend of its background.
#pragma once

#include <SDL/SDL.h>

// The text box background is one grey at a per-surface alpha, so SDL's blend
// turns each colour channel of a screen pixel into a new value that depends on
// that channel alone. The tables hold those values, measured once by letting
// SDL blend the background's colour over every channel value of the screen's
// format and checked against SDL on mixed pixels; drawing through them gives
// SDL's pixels without SDL's per-pixel format conversion.
class BoxBlend {
 public:
  // SDL_UpperBlit(background, source, target, at) through the tables, with
  // SDL's pixels and rectangle; false when the blit must be left to SDL.
  bool Blit(SDL_Surface* background, SDL_Rect* source, SDL_Surface* target, SDL_Rect* at);
  // Forgets the tables (the background was made anew).
  void Reset() { measuredFor_ = nullptr; }

 private:
  bool Measure(SDL_Surface* background, const SDL_PixelFormat* format);
  template <int kBytes>
  void BlendRows(Uint8* row, int pitch, int width, int height) const;

  SDL_Surface* measuredFor_ = nullptr;  // background the tables were measured for, null: none
  Uint8 bytes_ = 0;                     // bytes per pixel of the target format measured
  Uint32 masks_[3] = {};                // R, G, B masks of that format
  Uint8 shifts_[3] = {};                // and their shifts
  bool usable_ = false;                 // the tables reproduce SDL's blend for that format
  Uint32 tables_[3][256] = {};          // per channel: the bits SDL writes for each channel value
};
