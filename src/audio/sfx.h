// The sound manager: sounds and music by name, played through SDL_mixer.
#pragma once

class Sfx {
 public:
  virtual ~Sfx() = default;
};
