// Opaque runs of colour-keyed pictures and SDL-exact blits from them.
#include "resources/sprite_runs.h"

#include <algorithm>
#include <cstring>

#include "util/bytes.h"

namespace {

const Uint32 kWatchedFlags = SDL_SRCCOLORKEY | SDL_SRCALPHA | SDL_RLEACCEL | SDL_RLEACCELOK;

// The raw value of pixel x of a row, as the keyed blitter reads it.
Uint32 PixelOf(const Uint8* row, int x, int bytes) {
  return ReadPixel34(row + x * bytes, bytes);
}

bool SameFormat(const SDL_PixelFormat* a, const SDL_PixelFormat* b) {
  return a->BytesPerPixel == b->BytesPerPixel && a->Rmask == b->Rmask && a->Gmask == b->Gmask &&
         a->Bmask == b->Bmask && a->Amask == b->Amask && !a->palette && !b->palette;
}

}  // namespace

bool ClipBlit(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect, SDL_Rect* area) {
  int srcx, srcy, w, h;
  if (srcrect) {
    srcx = srcrect->x;
    w = srcrect->w;
    if (srcx < 0) {
      w += srcx;
      dstrect->x = static_cast<Sint16>(dstrect->x - srcx);
      srcx = 0;
    }
    w = std::min(w, src->w - srcx);
    srcy = srcrect->y;
    h = srcrect->h;
    if (srcy < 0) {
      h += srcy;
      dstrect->y = static_cast<Sint16>(dstrect->y - srcy);
      srcy = 0;
    }
    h = std::min(h, src->h - srcy);
  } else {
    srcx = srcy = 0;
    w = src->w;
    h = src->h;
  }
  const SDL_Rect& clip = dst->clip_rect;
  int d = clip.x - dstrect->x;
  if (d > 0) {
    w -= d;
    dstrect->x = static_cast<Sint16>(dstrect->x + d);
    srcx += d;
  }
  d = dstrect->x + w - clip.x - clip.w;
  if (d > 0) w -= d;
  d = clip.y - dstrect->y;
  if (d > 0) {
    h -= d;
    dstrect->y = static_cast<Sint16>(dstrect->y + d);
    srcy += d;
  }
  d = dstrect->y + h - clip.y - clip.h;
  if (d > 0) h -= d;
  if (w > 0 && h > 0) {
    area->x = static_cast<Sint16>(srcx);
    area->y = static_cast<Sint16>(srcy);
    area->w = dstrect->w = static_cast<Uint16>(w);
    area->h = dstrect->h = static_cast<Uint16>(h);
    return true;
  }
  dstrect->w = dstrect->h = 0;
  return false;
}

void SpriteRuns::Build(SDL_Surface* surface) {
  pixels_ = surface->pixels;
  w_ = surface->w;
  h_ = surface->h;
  pitch_ = surface->pitch;
  const SDL_PixelFormat* f = surface->format;
  bytes_ = f->BytesPerPixel;
  masks_[0] = f->Rmask, masks_[1] = f->Gmask, masks_[2] = f->Bmask, masks_[3] = f->Amask;
  key_ = f->colorkey;
  flags_ = surface->flags & kWatchedFlags;
  rowStart_.assign(1, 0);
  runs_.clear();
  // SDL's keyed blitter rebuilds each pixel from its colour channels, so bits
  // outside them come out as 0: a copy equals it only where they are 0 already.
  Uint32 outside = ~(f->Rmask | f->Gmask | f->Bmask) & (bytes_ == 4 ? 0xFFFFFFFFu : 0xFFFFFFu);
  drawable_ = (bytes_ == 3 || bytes_ == 4) && (flags_ == SDL_SRCCOLORKEY) && !f->palette && f->Amask == 0 &&
              pixels_ && w_ <= 65535;
  if (!drawable_) return;
  if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
  for (int y = 0; y < h_; ++y) {
    const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * pitch_;
    int x = 0;
    while (x < w_) {
      while (x < w_ && PixelOf(row, x, bytes_) == key_) ++x;
      int start = x;
      while (x < w_) {
        Uint32 pixel = PixelOf(row, x, bytes_);
        if (pixel == key_) break;
        if (pixel & outside) drawable_ = false;
        ++x;
      }
      if (x > start) runs_.push_back({static_cast<uint16_t>(start), static_cast<uint16_t>(x - start)});
    }
    rowStart_.push_back(static_cast<uint32_t>(runs_.size()));
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
}

bool SpriteRuns::Describes(const SDL_Surface* surface) const {
  const SDL_PixelFormat* f = surface->format;
  return surface->pixels == pixels_ && surface->w == w_ && surface->h == h_ && surface->pitch == pitch_ &&
         f->BytesPerPixel == bytes_ && f->Rmask == masks_[0] && f->Gmask == masks_[1] && f->Bmask == masks_[2] &&
         f->Amask == masks_[3] && f->colorkey == key_ && (surface->flags & kWatchedFlags) == flags_;
}

bool SpriteRuns::Blit(SDL_Surface* src, SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect) const {
  if (!src || !dst || !dstrect || !drawable_ || src->locked || dst->locked || SDL_MUSTLOCK(src) ||
      SDL_MUSTLOCK(dst) || !dst->pixels || !SameFormat(src->format, dst->format) || !Describes(src))
    return false;
  SDL_Rect area;
  if (!ClipBlit(src, srcrect, dst, dstrect, &area)) return true;
  const int bytes = bytes_;
  const int left = area.x, right = area.x + area.w;
  const Uint8* srcPixels = static_cast<const Uint8*>(src->pixels);
  // Source column c lands on screen column c + shift.
  const int shift = dstrect->x - left;
  Uint8* dstRow = static_cast<Uint8*>(dst->pixels) + dstrect->y * dst->pitch;
  for (int y = area.y; y < area.y + area.h; ++y, dstRow += dst->pitch) {
    const Run* run = runs_.data() + rowStart_[y];
    const Run* end = runs_.data() + rowStart_[y + 1];
    // Runs lie left to right: skip those that end before the area.
    run = std::partition_point(run, end, [left](const Run& r) { return r.x + r.length <= left; });
    const Uint8* srcRow = srcPixels + y * pitch_;
    for (; run != end && run->x < right; ++run) {
      int from = std::max<int>(run->x, left), to = std::min<int>(run->x + run->length, right);
      std::memcpy(dstRow + (from + shift) * bytes, srcRow + from * bytes, static_cast<size_t>(to - from) * bytes);
    }
  }
  return true;
}
