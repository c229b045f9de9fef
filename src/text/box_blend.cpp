// Blend tables of the text box background, measured from SDL's blend and checked against it.
#include "text/box_blend.h"

#include <cstring>

#include "resources/pixels.h"
#include "resources/sprite_runs.h"
#include "util/bytes.h"

namespace {

Uint32 Read(const Uint8* p, int bytes) { return ReadPixel34(p, bytes); }

void Write(Uint8* p, int bytes, Uint32 value) {
  if (bytes == 4) {
    std::memcpy(p, &value, 4);
    return;
  }
  p[0] = static_cast<Uint8>(value), p[1] = static_cast<Uint8>(value >> 8), p[2] = static_cast<Uint8>(value >> 16);
}

bool ByteWide(Uint32 mask) { return mask == 0xFFu || mask == 0xFF00u || mask == 0xFF0000u || mask == 0xFF000000u; }

// Every pixel of the surface has the same value.
bool Uniform(SDL_Surface* surface) {
  int bytes = surface->format->BytesPerPixel;
  if (bytes < 1 || bytes > 4 || !surface->pixels) return false;
  const Uint8* pixels = static_cast<const Uint8*>(surface->pixels);
  for (int y = 0; y < surface->h; ++y)
    if (std::memcmp(pixels + y * surface->pitch, pixels, static_cast<size_t>(surface->w) * bytes) != 0) return false;
  for (int x = 1; x < surface->w; ++x)
    if (std::memcmp(pixels + x * bytes, pixels, bytes) != 0) return false;
  return true;
}

}  // namespace

bool BoxBlend::Measure(SDL_Surface* background, const SDL_PixelFormat* format) {
  measuredFor_ = background;
  bytes_ = format->BytesPerPixel;
  masks_[0] = format->Rmask, masks_[1] = format->Gmask, masks_[2] = format->Bmask;
  shifts_[0] = format->Rshift, shifts_[1] = format->Gshift, shifts_[2] = format->Bshift;
  usable_ = false;
  if ((bytes_ != 3 && bytes_ != 4) || format->palette || format->Amask || !ByteWide(masks_[0]) ||
      !ByteWide(masks_[1]) || !ByteWide(masks_[2]) || background->w < 256 || background->h < 4 ||
      SDL_MUSTLOCK(background) || (background->flags & SDL_SRCCOLORKEY) || !Uniform(background))
    return false;

  // A small copy of the background with its flags blends like the background
  // and leaves the background's own blit mapping alone.
  const SDL_PixelFormat* bf = background->format;
  SDL_Surface* grey = SDL_CreateRGBSurface(SDL_SWSURFACE, 256, 4, bf->BitsPerPixel, bf->Rmask, bf->Gmask, bf->Bmask,
                                           bf->Amask);
  SDL_Surface* probe = SDL_CreateRGBSurface(SDL_SWSURFACE, 256, 4, format->BitsPerPixel, format->Rmask,
                                            format->Gmask, format->Bmask, 0);
  if (grey && probe && !SDL_MUSTLOCK(probe)) {
    Uint32 value = GetPixel(background, 0, 0);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 256; ++x) PutPixel(x, y, value, grey);
    SDL_SetAlpha(grey, background->flags & (SDL_SRCALPHA | SDL_RLEACCEL), bf->alpha);
    // Rows 0 to 2: one channel running through every value; row 3: mixed pixels to check with.
    Uint32 mixed[256];
    Uint32 seed = 12345;
    Uint32 everything = bytes_ == 4 ? 0xFFFFFFFFu : 0xFFFFFFu;
    for (int x = 0; x < 256; ++x) {
      for (int c = 0; c < 3; ++c) PutPixel(x, c, static_cast<Uint32>(x) << shifts_[c], probe);
      seed = seed * 1103515245u + 12345u;
      mixed[x] = (seed ^ (seed >> 13) ^ (static_cast<Uint32>(x) * 0x010101u)) & everything;
      PutPixel(x, 3, mixed[x], probe);
    }
    SDL_Rect at = {0, 0, 0, 0};
    if (SDL_UpperBlit(grey, nullptr, probe, &at) == 0) {
      for (int c = 0; c < 3; ++c) {
        Uint32 others = masks_[(c + 1) % 3] | masks_[(c + 2) % 3];
        for (int v = 0; v < 256; ++v) tables_[c][v] = GetPixel(probe, v, c) & ~others;
      }
      usable_ = true;
      for (int x = 0; x < 256 && usable_; ++x) {
        Uint32 in = mixed[x];
        Uint32 out = tables_[0][(in >> shifts_[0]) & 255] | tables_[1][(in >> shifts_[1]) & 255] |
                     tables_[2][(in >> shifts_[2]) & 255];
        usable_ = out == GetPixel(probe, x, 3);
      }
    }
  }
  if (grey) SDL_FreeSurface(grey);
  if (probe) SDL_FreeSurface(probe);
  return usable_;
}

template <int kBytes>
void BoxBlend::BlendRows(Uint8* row, int pitch, int width, int height) const {
  const Uint32 *red = tables_[0], *green = tables_[1], *blue = tables_[2];
  const int rs = shifts_[0], gs = shifts_[1], bs = shifts_[2];
  for (int y = 0; y < height; ++y, row += pitch) {
    Uint8* p = row;
    for (int x = 0; x < width; ++x, p += kBytes) {
      Uint32 in = Read(p, kBytes);
      Write(p, kBytes, red[(in >> rs) & 255] | green[(in >> gs) & 255] | blue[(in >> bs) & 255]);
    }
  }
}

bool BoxBlend::Blit(SDL_Surface* background, SDL_Rect* source, SDL_Surface* target, SDL_Rect* at) {
  if (!background || !target || !at || background->locked || target->locked || SDL_MUSTLOCK(target) ||
      !target->pixels)
    return false;
  const SDL_PixelFormat* f = target->format;
  if (measuredFor_ != background || f->BytesPerPixel != bytes_ || f->Rmask != masks_[0] || f->Gmask != masks_[1] ||
      f->Bmask != masks_[2])
    Measure(background, f);
  if (!usable_) return false;
  SDL_Rect area;
  if (!ClipBlit(background, source, target, at, &area)) return true;
  Uint8* row = static_cast<Uint8*>(target->pixels) + at->y * target->pitch + at->x * bytes_;
  if (bytes_ == 4) BlendRows<4>(row, target->pitch, area.w, area.h);
  else BlendRows<3>(row, target->pitch, area.w, area.h);
  return true;
}
