// The sound pack reader: pack entries decoded into mixer chunks.
#pragma once

#include <SDL/SDL_mixer.h>

class SFXPackReader {
 public:
  virtual ~SFXPackReader() = default;
  // A new mixer chunk decoded from the entry (caller owns it), or null.
  Mix_Chunk* LoadSound(const char* file, int entry);
};
