// Sound state: the sound manager.
#pragma once

#include <memory>

class Sfx;

struct AudioState {
  std::unique_ptr<Sfx> sfx;  // fourth manager created at start-up

  AudioState();
  ~AudioState();  // beside Sfx, which it must see whole to delete
  AudioState(const AudioState&) = delete;
  AudioState& operator=(const AudioState&) = delete;
};
