// Writing the three pack formats: what the pack tool and the tests build packs with.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>
#include <string>
#include <vector>

// One image entry as the image pack stores it.
struct PackedImage {
  int32_t width = 0;
  int32_t height = 0;
  int32_t depth = 0;   // 8 (palette), 16, 24 or 32 bits per pixel
  std::string data;    // 8 bits: the 768-byte palette, then the pixels; rows padded to the pitch
};

// Script/text and sound packs share one layout: a head field holding the
// entry count, 8-byte records (offset, size), then the entries' bytes.
std::string BuildDataPack(const std::vector<std::string>& entries);
std::string BuildImagePack(const std::vector<PackedImage>& images);

// The raw layout of a surface converted to a software surface of the given
// depth with SDL's default masks: exactly what the image pack reader copies back.
// Returns false when SDL cannot convert the surface.
bool PackSurface(SDL_Surface* source, int depth, PackedImage* out);

// Bytes per row of a software surface of that width and depth.
int32_t PackPitch(int32_t width, int32_t depth);

void AppendInt32(std::string* out, int32_t value);
