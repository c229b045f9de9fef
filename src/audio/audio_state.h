// Sound state: the sound manager.
#pragma once

#include <memory>

#include "audio/sfx.h"

struct AudioState {
  std::unique_ptr<Sfx> sfx;  // fourth manager created at start-up
};
