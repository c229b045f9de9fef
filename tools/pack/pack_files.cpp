// Reading the files that go into a pack.
#include "pack/pack_files.h"

#include <SDL/SDL.h>

namespace {

int NaturalDepth(const SDL_Surface* surface) {
  int bits = surface->format->BitsPerPixel;
  if (bits <= 8) return 8;
  if (bits <= 16) return 16;
  return bits == 24 ? 24 : 32;
}

}  // namespace

bool ReadImageEntries(const std::vector<std::string>& files, int depth, std::vector<PackedImage>* images,
                      std::ostream& err) {
  for (const std::string& file : files) {
    SDL_Surface* surface = SDL_LoadBMP(file.c_str());
    if (!surface) {
      err << "quillon-pack: " << file << ": not a readable BMP image (" << SDL_GetError() << ")\n";
      return false;
    }
    PackedImage image;
    bool packed = PackSurface(surface, depth ? depth : NaturalDepth(surface), &image);
    SDL_FreeSurface(surface);
    if (!packed) {
      err << "quillon-pack: " << file << ": cannot convert the image (" << SDL_GetError() << ")\n";
      return false;
    }
    images->push_back(std::move(image));
  }
  return true;
}

bool ReadDataEntries(const std::vector<std::string>& files, PackKind kind, std::vector<std::string>* entries,
                     std::ostream& err) {
  for (const std::string& file : files) {
    std::string content;
    if (!ReadFile(file, &content)) {
      err << "quillon-pack: " << file << ": cannot read the file\n";
      return false;
    }
    if (kind == PackKind::kSound && content.empty()) {
      err << "quillon-pack: " << file << ": the sound file is empty\n";
      return false;
    }
    entries->push_back(std::move(content));
  }
  return true;
}
