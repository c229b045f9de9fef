// The window: the video mode with its fall-back, window scaling and presenting.
#include "core/window.h"

#include <algorithm>
#include <cstring>

#include "engine/engine.h"
#include "util/log.h"

namespace {

const int kLargestScale = 4;

SDL_Surface* OpenVideoMode(Engine& engine, int width, int height, Uint32 flags, int depth) {
  if (engine.window.openVideoMode) return engine.window.openVideoMode(width, height, depth, flags);
  return SDL_SetVideoMode(width, height, depth, flags);
}

// Asked before switching: some displays that cannot change modes stall in
// the switch instead of refusing it.
bool OffersFullScreen(Engine& engine, int width, int height, Uint32 flags) {
  int depth = engine.core.screenDepth;
  if (engine.window.offersVideoMode) return engine.window.offersVideoMode(width, height, depth, flags);
  const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
  if (depth == 0 && desktop && desktop->vfmt) depth = desktop->vfmt->BitsPerPixel;
  return SDL_VideoModeOK(width, height, depth, flags) != 0;
}

int ChosenScale(const Engine& engine) {
  if (!engine.player.autoScale) return std::clamp(engine.player.scale, 1, kLargestScale);
  // Before the first video mode, SDL reports the desktop's own.
  const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
  return ScaleThatFits(engine.core.screenWidth, engine.core.screenHeight, desktop ? desktop->current_w : 0,
                       desktop ? desktop->current_h : 0);
}

// A game of 24 bits on a display of 32 (the usual desktop) gets a scaled
// window of the display's own 32 bits: SDL then sends the enlarged frame as
// it is, where a window of 24 bits would be converted pixel by pixel on every
// update, at four or nine times the game's pixels. The game's screen keeps
// the 24 bits (and the masks SDL gives a screen of 24 bits on such a display),
// so it draws as it always did; its pixels are widened to 32 bits once, while
// being enlarged.
bool WidensIntoDisplayDepth(const Engine& engine) {
  if (engine.core.screenDepth != 24 || engine.core.fullscreen || engine.window.openVideoMode) return false;
  const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
  const SDL_PixelFormat* f = desktop ? desktop->vfmt : nullptr;
  return f && f->BitsPerPixel == 32 && f->Rmask == 0xFF0000 && f->Gmask == 0xFF00 && f->Bmask == 0xFF;
}

// The game's own screen beside a larger window: same pixel format, so
// images converted for the window blit onto it unchanged.
SDL_Surface* MakeScreenFor(const SDL_Surface* window, int width, int height) {
  const SDL_PixelFormat* f = window->format;
  SDL_Surface* screen =
      SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, f->BitsPerPixel, f->Rmask, f->Gmask, f->Bmask, f->Amask);
  if (screen && f->palette) SDL_SetColors(screen, f->palette->colors, 0, f->palette->ncolors);
  return screen;
}

template <class Pixel>
void WidenRow(const Uint8* from, Uint8* to, int width, int factor) {
  const Pixel* in = reinterpret_cast<const Pixel*>(from);
  Pixel* out = reinterpret_cast<Pixel*>(to);
  if (factor == 2) {
    for (int x = 0; x < width; ++x, out += 2) out[0] = out[1] = in[x];
    return;
  }
  for (int x = 0; x < width; ++x)
    for (int k = 0; k < factor; ++k) *out++ = in[x];
}

// Three bytes a pixel, moved four at a time: each write's extra byte is
// overwritten by the next one, and the row's last pixel reads and writes
// only its own three, so nothing outside the row is touched.
void WidenRowOf3(const Uint8* from, Uint8* to, int width, int factor) {
  Uint32 pixel;
  for (int x = 0; x < width - 1; ++x, from += 3) {
    std::memcpy(&pixel, from, 4);
    for (int k = 0; k < factor; ++k, to += 3) std::memcpy(to, &pixel, 4);
  }
  for (int k = 0; k < factor; ++k, to += 3) std::memcpy(to, from, 3);
}

// 24-bit pixels (blue, green, red bytes) into 32-bit ones of the same masks.
void WidenRow3To4(const Uint8* from, Uint8* to, int width, int factor) {
  Uint32* out = reinterpret_cast<Uint32*>(to);
  for (int x = 0; x < width; ++x, from += 3) {
    Uint32 pixel = from[0] | from[1] << 8 | static_cast<Uint32>(from[2]) << 16;
    for (int k = 0; k < factor; ++k) *out++ = pixel;
  }
}

void WidenRowOfBytes(const Uint8* from, Uint8* to, int width, int factor, int bytes) {
  for (int x = 0; x < width; ++x, from += bytes)
    for (int k = 0; k < factor; ++k, to += bytes) std::memcpy(to, from, bytes);
}

// Widens one row of the region: each pixel into factor pixels of the window.
void WidenRowInto(const Uint8* in, Uint8* out, int width, int factor, int bytes, int outBytes) {
  if (bytes == 3 && outBytes == 4) return WidenRow3To4(in, out, width, factor);
  switch (bytes) {
    case 4: return WidenRow<Uint32>(in, out, width, factor);
    case 3: return WidenRowOf3(in, out, width, factor);
    case 2: return WidenRow<Uint16>(in, out, width, factor);
    case 1: return WidenRow<Uint8>(in, out, width, factor);
    default: return WidenRowOfBytes(in, out, width, factor, bytes);
  }
}

}  // namespace

int ScaleThatFits(int width, int height, int desktopWidth, int desktopHeight) {
  int factor = kLargestScale;
  while (factor > 1 && (width * factor > desktopWidth || height * factor > desktopHeight)) --factor;
  return factor;
}

bool OpenScreen(Engine& engine) {
  CoreState& core = engine.core;
  if (engine.player.fullscreen) core.fullscreen = true;
  int scale = ChosenScale(engine);
  int width = core.screenWidth * scale, height = core.screenHeight * scale;
  Uint32 flags = SDL_HWSURFACE | SDL_DOUBLEBUF | (core.fullscreen ? SDL_FULLSCREEN : 0);
  SDL_Surface* video = nullptr;
  int windowDepth = scale > 1 && WidensIntoDisplayDepth(engine) ? 32 : core.screenDepth;
  if (core.fullscreen && !OffersFullScreen(engine, width, height, flags)) {
    SDL_SetError("the display offers no such mode");
  } else {
    video = OpenVideoMode(engine, width, height, flags, windowDepth);
  }
  if (!video && core.fullscreen) {
    LogFormat("Fullscreen %ix%i not possible (%s): opening a window of that size\r\n", width, height,
              SDL_GetError());
    core.fullscreen = false;
    video = OpenVideoMode(engine, width, height, flags & ~SDL_FULLSCREEN, core.screenDepth);
  }
  if (!video) {
    LogFormat("Can't set video mode: %s\n", SDL_GetError());
    return false;
  }
  if (scale == 1) {
    core.screen = video;
    return true;
  }
  if (video->format->BitsPerPixel == 32 && windowDepth != core.screenDepth) {
    core.screen =
        SDL_CreateRGBSurface(SDL_SWSURFACE, core.screenWidth, core.screenHeight, 24, 0xFF0000, 0xFF00, 0xFF, 0);
  } else {
    core.screen = MakeScreenFor(video, core.screenWidth, core.screenHeight);
  }
  if (!core.screen) {
    LogFormat("Can't set video mode: %s\n", SDL_GetError());
    return false;
  }
  engine.window.surface = video;
  engine.window.scale = scale;
  return true;
}

void CloseScreen(Engine& engine) {
  if (!engine.window.surface) return;
  SDL_FreeSurface(engine.core.screen);
  engine.core.screen = nullptr;
  engine.window.surface = nullptr;
  engine.window.scale = 1;
}

void PresentScreen(Engine& engine) {
  SDL_Surface* window = engine.window.surface;
  if (window) {
    if (SDL_MUSTLOCK(window) && SDL_LockSurface(window) < 0) return;
    ScaleUp(engine.core.screen, window, engine.window.scale);
    if (SDL_MUSTLOCK(window)) SDL_UnlockSurface(window);
  } else {
    window = engine.core.screen;
  }
  // A display that flips pages shows the other buffer; any other shows the update.
  if (window->flags & SDL_DOUBLEBUF) {
    SDL_Flip(window);
  } else {
    SDL_UpdateRect(window, 0, 0, 0, 0);
  }
}

void PresentScreenRegions(Engine& engine, const std::vector<SDL_Rect>& regions) {
  SDL_Surface* window = engine.window.surface;
  if (!window) {
    SDL_UpdateRects(engine.core.screen, static_cast<int>(regions.size()), const_cast<SDL_Rect*>(regions.data()));
    return;
  }
  if (SDL_MUSTLOCK(window) && SDL_LockSurface(window) < 0) return;
  const int factor = engine.window.scale;
  std::vector<SDL_Rect>& enlarged = engine.window.regions;
  enlarged.clear();
  for (const SDL_Rect& r : regions) {
    ScaleUpRegion(engine.core.screen, window, factor, r);
    enlarged.push_back({static_cast<Sint16>(r.x * factor), static_cast<Sint16>(r.y * factor),
                        static_cast<Uint16>(r.w * factor), static_cast<Uint16>(r.h * factor)});
  }
  if (SDL_MUSTLOCK(window)) SDL_UnlockSurface(window);
  SDL_UpdateRects(window, static_cast<int>(enlarged.size()), enlarged.data());
}

void MapToScreen(const Engine& engine, int* x, int* y) {
  if (!engine.window.surface) return;
  *x /= engine.window.scale;
  *y /= engine.window.scale;
}

void ScaleUp(const SDL_Surface* from, SDL_Surface* to, int factor) {
  ScaleUpRegion(from, to, factor, {0, 0, static_cast<Uint16>(from->w), static_cast<Uint16>(from->h)});
}

void ScaleUpRegion(const SDL_Surface* from, SDL_Surface* to, int factor, const SDL_Rect& region) {
  const int bytes = from->format->BytesPerPixel, outBytes = to->format->BytesPerPixel;
  const size_t rowBytes = static_cast<size_t>(region.w) * factor * outBytes;
  for (int y = region.y; y < region.y + region.h; ++y) {
    const Uint8* in = static_cast<const Uint8*>(from->pixels) + static_cast<size_t>(y) * from->pitch +
                      static_cast<size_t>(region.x) * bytes;
    Uint8* first = static_cast<Uint8*>(to->pixels) + static_cast<size_t>(y) * factor * to->pitch +
                   static_cast<size_t>(region.x) * factor * outBytes;
    WidenRowInto(in, first, region.w, factor, bytes, outBytes);
    for (int k = 1; k < factor; ++k) std::memcpy(first + static_cast<size_t>(k) * to->pitch, first, rowBytes);
  }
}
