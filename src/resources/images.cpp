// Image loading into the image registry, and the release of a registered image.
#include "resources/images.h"

#include <stdexcept>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "resources/pack_readers.h"
#include "resources/pixels.h"
#include "resources/sprite_runs.h"
#include "util/bytes.h"
#include "util/guard.h"
#include "util/log.h"
#include "util/resource_address.h"

SDL_Surface* ConvertForScreen(SDL_Surface* screen, SDL_Surface* source) {
  if (!screen || screen == SDL_GetVideoSurface()) return SDL_DisplayFormat(source);
  return SDL_ConvertSurface(source, screen->format, SDL_SWSURFACE);
}

namespace {

SDL_Surface* ReadSource(Engine& engine, const std::string& address) {
  ResourceAddress where = SplitAddress(address);
  if (!where.isPackEntry) {
    LogFormat("lade Bild %s.", address.c_str());
    SDL_RWops* stream = SDL_RWFromFile(address.c_str(), "rb");
    return ReadBmp(stream);
  }
  if (where.entry < 0) {
    LogText("Fehler beim Laden aus BMP-Pack.\r\n");
    return nullptr;
  }
  LogFormat("lade Bild Nr.%i aus %s.", where.entry, where.file.c_str());
  if (!engine.resources.imagePacks) throw std::runtime_error("no image pack reader");
  return engine.resources.imagePacks->LoadImage(where.file.c_str(), where.entry);
}

// True when the format cannot hold 255 in every channel (15/16-bit sources):
// their magenta reaches the display format as (248, 0, 248), not as the key.
bool LosesMagenta(const SDL_PixelFormat* format) {
  return !format->palette && (format->Rloss || format->Gloss || format->Bloss);
}

// Writes the display key wherever the source pixel was its own magenta, so
// that every source depth ends up with the same transparent colour.
void CarryMagentaOver(SDL_Surface* source, SDL_Surface* converted, Uint32 key) {
  Uint32 sourceMagenta = SDL_MapRGB(source->format, 255, 0, 255);
  SDL_LockSurface(converted);
  for (int y = 0; y < source->h; ++y)
    for (int x = 0; x < source->w; ++x)
      if (GetPixel(source, x, y) == sourceMagenta) PutPixel(x, y, key, converted);
  SDL_UnlockSurface(converted);
}

ImageRef Load(Engine& engine, const std::string& address) {
  Hashtable<std::shared_ptr<SDL_Surface>>& images = engine.resources.images;
  if (std::shared_ptr<SDL_Surface> known = images.Get(address)) return ImageRef(known);
  SDL_Surface* source = ReadSource(engine, address);
  if (!source) {
    LogText("ERR\r\n");
    if (DiagnosticsOn(engine)) Diagnose(engine, FormatText("cannot read image \"%s\" (%s)", address.c_str(), SDL_GetError()));
    return nullptr;
  }
  LogText(".");
  SDL_Surface* converted = ConvertForScreen(engine.core.screen, source);
  LogText(".");
  if (!converted) {
    SDL_FreeSurface(source);
    return nullptr;
  }
  Uint32 key = SDL_MapRGB(converted->format, 255, 0, 255);
  if (LosesMagenta(source->format)) CarryMagentaOver(source, converted, key);
  SDL_FreeSurface(source);  // the display-format copy is all the engine keeps
  SDL_SetColorKey(converted, SDL_SRCCOLORKEY, key);
  LogText(".");
  std::shared_ptr<SDL_Surface> owned(converted, SDL_FreeSurface);
  images.Add(address, owned);
  if (images.Get(address) != owned) throw std::runtime_error("image registry full");
  LogText(".");
  LogText("OK\r\n");
  return ImageRef(owned);
}

}  // namespace

namespace {

// True when the stream, from its current position, holds the pixel rows its
// BMP header claims: SDL allocates the surface for the claimed size before it
// reads a row. Leaves the stream where it was.
bool BmpRowsPresent(SDL_RWops* stream) {
  int start = SDL_RWtell(stream);
  int end = SDL_RWseek(stream, 0, RW_SEEK_END);
  unsigned char h[30] = {};
  bool read = start >= 0 && SDL_RWseek(stream, start, RW_SEEK_SET) == start && SDL_RWread(stream, h, 1, 30) == 30;
  SDL_RWseek(stream, start, RW_SEEK_SET);
  if (!read || h[0] != 'B' || h[1] != 'M') return read;  // not a BMP: SDL refuses it by itself
  auto u16 = [&](int at) { return static_cast<int64_t>(ReadLittle16(h + at)); };
  auto i32 = [&](int at) { return static_cast<int64_t>(ReadLittleInt32(h + at)); };
  int64_t dataOffset = i32(10), width, height, bits;
  if (i32(14) == 12) {  // the old OS/2 header
    width = u16(18), height = u16(20), bits = u16(24);
  } else {
    width = i32(18), height = i32(22), bits = u16(28);
  }
  if (height < 0) height = -height;  // rows stored top-down
  if (width <= 0 || height <= 0 || dataOffset < 0 || bits <= 0 || bits > 32) return false;
  int64_t available = static_cast<int64_t>(end) - start - dataOffset;
  int64_t rowBytes = (width * bits + 31) / 32 * 4;  // width below 2^31, bits at most 32: no overflow
  return available >= 0 && rowBytes <= available / height;
}

}  // namespace

SDL_Surface* ReadBmp(SDL_RWops* stream) {
  if (!stream) return nullptr;
  if (!BmpRowsPresent(stream)) {
    SDL_RWclose(stream);
    SDL_SetError("BMP header claims more pixels than the file holds");
    return nullptr;
  }
  SDL_Surface* surface = SDL_LoadBMP_RW(stream, 1);
  if (!surface) return nullptr;
  const SDL_PixelFormat* format = surface->format;
  bool convertible = format->BitsPerPixel == 8 ? format->palette != nullptr
                                               : (format->BitsPerPixel == 15 || format->BitsPerPixel == 16 ||
                                                  format->BitsPerPixel == 24 || format->BitsPerPixel == 32);
  if (convertible) return surface;
  int depth = format->BitsPerPixel;
  SDL_FreeSurface(surface);
  SDL_SetError("BMP of unusable depth %d", depth);
  return nullptr;
}

ImageRef LoadImage(Engine& engine, const std::string& address) {
  ImageRef surface;
  GuardedWith([&] { return FormatText("Exception in LoadImage(%s).\r\n", address.c_str()); },
              [&] { surface = Load(engine, address); });
  return surface;
}

void ReleaseImage(Engine& engine, const std::string& address) {
  Hashtable<std::shared_ptr<SDL_Surface>>& images = engine.resources.images;
  std::shared_ptr<SDL_Surface> surface = images.Get(address);
  images.Remove(address);
  if (!surface) return;
  engine.resources.imageRuns.erase(surface.get());  // a later surface may get the same address
}  // the last owner goes here: the surface is freed and every holder reads null

void ReleaseAllImages(Engine& engine) {
  Hashtable<std::shared_ptr<SDL_Surface>>& images = engine.resources.images;
  while (images.Count() > 0) ReleaseImage(engine, images.KeyAt(images.Count() - 1));
}
