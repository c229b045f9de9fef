// Pack writing, the exact inverse of the pack readers.
#include "resources/pack_writer.h"

#include <cstring>

void AppendInt32(std::string* out, int32_t value) {
  uint32_t v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) out->push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

int32_t PackPitch(int32_t width, int32_t depth) { return (width * ((depth + 7) / 8) + 3) & ~3; }

std::string BuildDataPack(const std::vector<std::string>& entries) {
  std::string pack;
  AppendInt32(&pack, static_cast<int32_t>(entries.size()));
  int32_t offset = 4 + 8 * static_cast<int32_t>(entries.size());
  for (const std::string& entry : entries) {
    AppendInt32(&pack, offset);
    AppendInt32(&pack, static_cast<int32_t>(entry.size()));
    offset += static_cast<int32_t>(entry.size());
  }
  for (const std::string& entry : entries) pack += entry;
  return pack;
}

std::string BuildImagePack(const std::vector<PackedImage>& images) {
  std::string pack;
  AppendInt32(&pack, static_cast<int32_t>(images.size()));
  int32_t offset = 4 + 20 * static_cast<int32_t>(images.size());
  for (const PackedImage& image : images) {
    AppendInt32(&pack, image.width);
    AppendInt32(&pack, image.height);
    AppendInt32(&pack, image.depth);
    AppendInt32(&pack, offset);
    AppendInt32(&pack, static_cast<int32_t>(image.data.size()));
    offset += static_cast<int32_t>(image.data.size());
  }
  for (const PackedImage& image : images) pack += image.data;
  return pack;
}

bool PackSurface(SDL_Surface* source, int depth, PackedImage* out) {
  if (!source) return false;
  SDL_Surface* target = SDL_CreateRGBSurface(0, source->w, source->h, depth, 0, 0, 0, 0);
  if (!target) return false;
  if (depth == 8) {
    // Keep the source's own palette when it has one; otherwise SDL's default.
    SDL_Palette* palette = source->format->palette ? source->format->palette : target->format->palette;
    SDL_SetColors(target, palette->colors, 0, palette->ncolors);
  }
  SDL_Surface* converted = SDL_ConvertSurface(source, target->format, 0);
  SDL_FreeSurface(target);
  if (!converted) return false;
  out->width = converted->w;
  out->height = converted->h;
  out->depth = depth;
  out->data.clear();
  if (depth == 8) {
    SDL_Palette* palette = converted->format->palette;
    for (int i = 0; i < 256; ++i) {
      SDL_Color c = i < palette->ncolors ? palette->colors[i] : SDL_Color{0, 0, 0, 0};
      out->data.push_back(static_cast<char>(c.r));
      out->data.push_back(static_cast<char>(c.g));
      out->data.push_back(static_cast<char>(c.b));
    }
  }
  SDL_LockSurface(converted);
  out->data.append(static_cast<const char*>(converted->pixels),
                   static_cast<size_t>(converted->pitch) * converted->h);
  SDL_UnlockSurface(converted);
  SDL_FreeSurface(converted);
  return true;
}
