// Sound bytes: headers checked first, then SDL_mixer decodes them.
#include "audio/sound_bytes.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "audio/sound_formats.h"

bool SoundClaimsFit(const unsigned char* data, size_t size) { return SoundHeaderProblem(data, size).empty(); }

Mix_Chunk* DecodeSound(const unsigned char* data, size_t size) {
  if (size == 0 || size > 0x7FFFFFFF) return nullptr;
  size_t used = size;
  std::string problem = SoundHeaderProblem(data, size, &used);
  if (!problem.empty()) {
    SDL_SetError("%s", problem.c_str());
    return nullptr;
  }
  return Mix_LoadWAV_RW(SDL_RWFromConstMem(data, static_cast<int>(used)), 1);
}

Mix_Chunk* LoadSoundFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    SDL_SetError("Couldn't open %s", path.c_str());
    return nullptr;
  }
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return DecodeSound(bytes.data(), bytes.size());
}
